// Quote-file lines: the bar reads a quote file of any bytes, line by line or scrolling, and ticks on.
#include <map>
#include <string>

#include "book/platform.h"
#include "fuzz_input.h"
#include "state/quote_bar.h"

namespace {

class Host : public pel::IQuoteBarHost {
public:
    void StartTimer(int, int) override {}
    void StopTimer(int) override {}
    int MessageBox(const std::string&, const std::string&, unsigned) override { return 1; }
    pel::QuoteExtent ViewClientSize() override { return {800, 600}; }
    pel::QuoteExtent MeasureQuote(const std::string& text) override {
        return {static_cast<int>(text.size()) * 7, 14};
    }
    void SetQuoteText(const std::string& text) override { PEL_FUZZ_CHECK(text.size() <= fileSize + 64); }
    void MoveQuote(const pel::QuoteRect&, bool) override {}
    void RelayoutView() override {}
    std::size_t fileSize = 0;
};

class Files : public pel::IFileSystem {
public:
    bool CanOpenForReading(const std::string& path) override { return path == kPath; }
    bool CanOpenExclusive(const std::string& path) override { return path == kPath; }
    bool FileSize(const std::string& path, std::uint64_t& size) override {
        if (path != kPath) return false;
        size = bytes.size();
        return true;
    }
    bool ReadAll(const std::string& path, std::string& out) override {
        if (path != kPath) return false;
        out = bytes;
        return true;
    }
    static constexpr const char* kPath = "Q.txt";
    std::string bytes;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    pel::fuzz::Input input(data, size);
    const unsigned flags = input.Byte();
    Files files;
    files.bytes = input.Rest();
    Host host;
    host.fileSize = files.bytes.size();
    pel::QuoteSettings settings;
    settings.quoteFlag = pel::kQuoteFromFile;
    settings.loopFlag = flags & 1;
    settings.scrollFlag = (flags >> 1) & 1;
    settings.quotePath = Files::kPath;
    pel::QuoteBar bar(settings, host, files);
    bar.Start(false);
    const int ticks = 8 + static_cast<int>(flags >> 2) * 4;
    for (int i = 0; i < ticks; ++i) {
        bar.Tick();
        if (i == 3) bar.ToggleBottomBar();
        if (i == 5) bar.ToggleBottomBar();
    }
    PEL_FUZZ_CHECK(bar.ScrollPos() <= bar.QuoteFileText().size());
    bar.Restart();
    bar.Tick();
    return 0;
}
