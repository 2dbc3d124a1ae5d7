// Benchmarks of the book core: decoding and pagination of in-memory books (by lines and by chapters),
// building the position index, and the per-tick position update of timer 150 on a 100 MB whole-book page.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "book/chapters.h"
#include "book/decode.h"
#include "book/page_index.h"
#include "book/pagination.h"
#include "book/reader.h"
#include "platform/native/native_code_page.h"
#include "support/fake_file_system.h"
#include "support/fake_host.h"
#include "support/fake_page_control.h"

namespace {

// GBK lines of 50 Chinese characters with a heading "第N章" every `chapterLines` lines, up to `bytes` bytes.
std::string GbkBook(std::size_t bytes, long long chapterLines = 80) {
    static const char kPool[] =
        "天地玄黄宇宙洪荒日月盈昃辰宿列张寒来暑往秋收冬藏闰余成岁律吕调阳云腾致雨露结为霜";
    const std::size_t poolChars = (sizeof kPool - 1) / 2;
    std::string text;
    text.reserve(bytes + 128);
    unsigned seed = 1;
    for (long long line = 0; text.size() < bytes; ++line) {
        if (line % chapterLines == 0) {
            text += "第" + std::to_string(line / chapterLines + 1) + "章 风起云涌\r\n";
            continue;
        }
        for (int c = 0; c < 50; ++c) {
            seed = seed * 1103515245u + 12345u;
            text.append(kPool + 2 * ((seed >> 16) % poolChars), 2);
        }
        text += "\r\n";
    }
    text.resize(bytes);
    return text;
}

std::u16string Widen(const std::string& gbkAsciiSafe) {
    // Only the shape matters for the timing: each GBK pair becomes one CJK unit.
    std::u16string wide;
    wide.reserve(gbkAsciiSafe.size() / 2 + 1);
    for (std::size_t i = 0; i < gbkAsciiSafe.size(); ++i) {
        const unsigned char b = static_cast<unsigned char>(gbkAsciiSafe[i]);
        if (b < 0x80 || i + 1 == gbkAsciiSafe.size()) {
            wide.push_back(b);
        } else {
            wide.push_back(static_cast<char16_t>(
                0x4E00 + ((b << 8 | static_cast<unsigned char>(gbkAsciiSafe[i + 1])) % 20000)));
            ++i;
        }
    }
    return wide;
}

constexpr std::size_t kSmallBook = 16u << 20;

void BM_DecodeAnsiAndPaginate(benchmark::State& state) {
    const std::string book = GbkBook(kSmallBook);
    pel::NativeCodePage cp;
    std::vector<long long> table;
    for (auto _ : state) {
        std::string file = book;
        const pel::DetectedEncoding detected = pel::DetectEncoding(file, false);
        std::string text = pel::DecodeBook(std::move(file), detected, cp);
        benchmark::DoNotOptimize(pel::BuildLinePages(text, table).pageCount);
    }
    state.SetBytesProcessed(static_cast<long long>(state.iterations()) * kSmallBook);
}
BENCHMARK(BM_DecodeAnsiAndPaginate)->Unit(benchmark::kMillisecond);

void BM_PaginateByLines(benchmark::State& state) {
    const std::string book = GbkBook(static_cast<std::size_t>(state.range(0)) << 20);
    std::vector<long long> table;
    for (auto _ : state) benchmark::DoNotOptimize(pel::BuildLinePages(book, table).pageCount);
    state.SetBytesProcessed(static_cast<long long>(state.iterations()) * static_cast<long long>(book.size()));
}
BENCHMARK(BM_PaginateByLines)->Arg(16)->Arg(40)->Unit(benchmark::kMillisecond);

// Chapter pagination of a 100 MB book with about 5,100 chapters (one every 200 lines), as chapter mode
// does it: the detector of rule 1 (第…章) or rule 8 ("[无][0-9][章][50]"), then the character count.
void BM_PaginateByChapters100MB(benchmark::State& state) {
    const std::string book = GbkBook(100u << 20, 200);
    const int rule = static_cast<int>(state.range(0));
    std::size_t chapters = 0;
    for (auto _ : state) {
        const pel::ChapterScan scan = rule <= pel::kLastWordRule
                                          ? pel::PaginateByChapterWord(book, rule)
                                          : pel::PaginateByRuleText(book, pel::kDigitRuleText);
        chapters = scan.starts.size();
        benchmark::DoNotOptimize(pel::CountHighBitBytes(book));
    }
    state.counters["chapters"] = static_cast<double>(chapters);
    state.SetBytesProcessed(static_cast<long long>(state.iterations()) * static_cast<long long>(book.size()));
}
BENCHMARK(BM_PaginateByChapters100MB)->Arg(1)->Arg(8)->Unit(benchmark::kMillisecond);

void BM_Utf16ToCp936(benchmark::State& state) {
    const std::u16string wide = Widen(GbkBook(kSmallBook));
    pel::NativeCodePage cp;
    for (auto _ : state) benchmark::DoNotOptimize(cp.Utf16ToCp936(wide).size());
    state.SetBytesProcessed(static_cast<long long>(state.iterations()) * wide.size() * 2);
}
BENCHMARK(BM_Utf16ToCp936)->Unit(benchmark::kMillisecond);

void BM_Utf8ToUtf16(benchmark::State& state) {
    const std::u16string wide = Widen(GbkBook(kSmallBook));
    std::string utf8;
    for (char16_t u : wide) {
        if (u < 0x80) {
            utf8.push_back(static_cast<char>(u));
        } else {
            utf8.push_back(static_cast<char>(0xE0 | u >> 12));
            utf8.push_back(static_cast<char>(0x80 | (u >> 6 & 0x3F)));
            utf8.push_back(static_cast<char>(0x80 | (u & 0x3F)));
        }
    }
    pel::NativeCodePage cp;
    std::u16string out;
    for (auto _ : state) benchmark::DoNotOptimize(cp.Utf8ToUtf16(utf8, out));
    state.SetBytesProcessed(static_cast<long long>(state.iterations()) * utf8.size());
}
BENCHMARK(BM_Utf8ToUtf16)->Unit(benchmark::kMillisecond);

void BM_PageIndexBuild(benchmark::State& state) {
    auto page = std::make_shared<const std::string>(GbkBook(kSmallBook));
    pel::PageIndex index;
    for (auto _ : state) {
        index.Build(page, *page);
        benchmark::DoNotOptimize(index.CharCount());
    }
    state.SetBytesProcessed(static_cast<long long>(state.iterations()) * kSmallBook);
}
BENCHMARK(BM_PageIndexBuild)->Unit(benchmark::kMillisecond);

// Timer 150 on a 100 MB book shown whole: first visible line, its character index, the mapping to a byte
// offset and the percentage, while the reader scrolls.
void BM_PositionTickWholeBook100MB(benchmark::State& state) {
    pel::testing::FakePageControl control(40);
    pel::testing::FakeHost host;
    pel::testing::FakeFileSystem files;
    pel::NativeCodePage cp;
    files.Add("D:\\big.txt", GbkBook(100u << 20));
    pel::Reader reader(control, host, files, cp);
    reader.pagingMode = pel::kPagingWhole;
    reader.OpenBook("D:\\big.txt");
    files.files.clear();
    control.ScrollLines(control.LineCount() / 2);
    int step = 1;
    for (auto _ : state) {
        control.ScrollLines(step);
        step = -step;
        reader.OnPositionTimer();
        benchmark::DoNotOptimize(reader.ReadPercent());
    }
    state.counters["lines"] = control.LineCount();
}
BENCHMARK(BM_PositionTickWholeBook100MB)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
