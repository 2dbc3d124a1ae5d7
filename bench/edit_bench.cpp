// Benchmarks of saving and searching: SavePage of the last page of a 40 MB ANSI book on disk (the whole
// book goes through a temporary file) against writing only the tail in place, and the page search over a
// whole-book page with no match.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "book/decode.h"
#include "book/reader.h"
#include "edit/book_file.h"
#include "edit/edit_session.h"
#include "edit/find_text.h"
#include "platform/native/native_code_page.h"
#include "platform/native/native_file_system.h"
#include "support/fake_edit_control.h"
#include "support/fake_host.h"

namespace {

namespace fs = std::filesystem;

// 40 MB in pages of 50 lines stays within the page table's 10,000 pages.
constexpr std::size_t kBookBytes = 40u << 20;

// GBK lines of 50 Chinese characters, CR LF ended.
std::string GbkLines(std::size_t bytes) {
    static const char kPool[] =
        "天地玄黄宇宙洪荒日月盈昃辰宿列张寒来暑往秋收冬藏闰余成岁律吕调阳云腾致雨露结为霜";
    const std::size_t poolChars = (sizeof kPool - 1) / 2;
    std::string text;
    text.reserve(bytes + 128);
    unsigned seed = 1;
    while (text.size() < bytes) {
        for (int c = 0; c < 50; ++c) {
            seed = seed * 1103515245u + 12345u;
            text.append(kPool + 2 * ((seed >> 16) % poolChars), 2);
        }
        text += "\r\n";
    }
    return text;
}

std::string BookFile() {
    static const std::string path = [] {
        const std::string p = (fs::temp_directory_path() / "pel_edit_bench_book.txt").string();
        std::ofstream(p, std::ios::binary) << GbkLines(kBookBytes);
        return p;
    }();
    return path;
}

class BenchHost : public pel::IEditHost {
public:
    int MessageBox(const std::string&, const std::string&, unsigned) override { return pel::kIdYes; }
    void CreateFindDialog(const std::string&, bool) override {}
    bool AskSaveAsPath(std::string&) override { return false; }
    void ListOnlySavedBook(const std::string&) override {}
};

void BM_SaveLastPageOfA40MbBook(benchmark::State& state) {
    pel::testing::FakeEditControl control(20);
    pel::testing::FakeHost host;
    pel::NativeFileSystem files;
    pel::NativeCodePage codePage;
    pel::Reader reader(control, host, files, codePage);
    BenchHost editHost;
    pel::EditSession session(reader, control, control, editHost, files, codePage);
    const std::string path = BookFile();
    reader.OpenBook(path);
    reader.ShowPage(reader.PageCount());
    session.ToggleEditMode();
    if (!reader.ShowsPage()) state.SkipWithError("no page shown");
    for (auto _ : state) {
        control.SelectBytes(0, 0);
        control.Type("改");
        if (session.SavePage() != pel::SaveOutcome::kSaved) state.SkipWithError("save failed");
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(kBookBytes));
}
BENCHMARK(BM_SaveLastPageOfA40MbBook)->Unit(benchmark::kMillisecond)->UseRealTime();

// What writing only the last page in place would cost: one write at its offset and a cut to length.
void BM_InPlaceTailWrite(benchmark::State& state) {
    const std::string path = BookFile();
    const std::string page = GbkLines(50 * 102);
    for (auto _ : state) {
        const int fd = ::open(path.c_str(), O_WRONLY);
        const off_t at = static_cast<off_t>(fs::file_size(path) - page.size());
        benchmark::DoNotOptimize(::pwrite(fd, page.data(), page.size(), at));
        benchmark::DoNotOptimize(::ftruncate(fd, at + static_cast<off_t>(page.size())));
        ::fsync(fd);
        ::close(fd);
    }
}
BENCHMARK(BM_InPlaceTailWrite)->Unit(benchmark::kMillisecond)->UseRealTime();

// The check before a UTF-8 book is rewritten in code page 936: the whole file decoded, compared with the
// working text, and its characters without a GBK form counted.
void BM_CheckRewriteOfA40MbUtf8Book(benchmark::State& state) {
    static const char16_t kPool[] =
        u"天地玄黄宇宙洪荒日月盈昃辰宿列张寒来暑往秋收冬藏闰余成岁律吕调阳云腾致雨露结为霜";
    const std::size_t poolChars = sizeof kPool / sizeof kPool[0] - 1;
    std::u16string wide;
    unsigned seed = 1;
    while (wide.size() * 2 < kBookBytes) {
        for (int c = 0; c < 50; ++c) {
            seed = seed * 1103515245u + 12345u;
            wide += kPool[(seed >> 16) % poolChars];
        }
        wide += u"\r\n";
    }
    std::string file;
    for (char16_t u : wide) {
        if (u < 0x80) {
            file += static_cast<char>(u);
        } else {
            file += static_cast<char>(0xE0 | (u >> 12));
            file += static_cast<char>(0x80 | ((u >> 6) & 0x3F));
            file += static_cast<char>(0x80 | (u & 0x3F));
        }
    }
    pel::NativeCodePage codePage;
    const std::string text = codePage.Utf16ToCp936(wide);
    for (auto _ : state) {
        const pel::RewriteCheck check = pel::CheckRewrite(file, pel::kEncodingUtf8, text, false, codePage);
        if (!check.holdsText) state.SkipWithError("the file does not hold the text");
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(file.size()));
}
BENCHMARK(BM_CheckRewriteOfA40MbUtf8Book)->Unit(benchmark::kMillisecond);

void BM_FindNothingInA10MbPage(benchmark::State& state) {
    const std::string text = GbkLines(10u << 20);
    pel::TextPlace from, match;
    for (auto _ : state) {
        benchmark::DoNotOptimize(pel::FindFrom(text, from, "没有的字", {false, false}, match));
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(text.size()));
}
BENCHMARK(BM_FindNothingInA10MbPage)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
