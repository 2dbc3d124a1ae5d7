// Doubles for the navigation tests: a page control that models lines, a window of visible lines, the
// vertical scroll state and its own page-down and page-up, and the hosts of Reader and Navigator.
#pragma once
#include <algorithm>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "book/page_index.h"
#include "book/platform.h"
#include "book/reader.h"
#include "state/navigation.h"
#include "support/fake_page_control.h"

namespace pel::testing {

// The shared line-based page control with the scroll state of a real one: in lines, the bottom visible
// when first line + window >= line count; the control's own page-down moves a window less one line.
class ScrollingPageControl : public FakePageControl {
public:
    explicit ScrollingPageControl(int visibleLines) : FakePageControl(visibleLines) {}

    void ScrollLines(int lines) override {
        lineScrolls.push_back(lines);
        MoveTo(first() + lines);
    }
    ScrollState VerticalScroll() override { return {first(), visibleLines(), LineCount()}; }
    void PageDownScroll() override {
        ++pageDowns;
        MoveTo(first() + visibleLines() - 1);
    }
    void PageUpScroll() override {
        ++pageUps;
        MoveTo(first() - (visibleLines() - 1));
    }

    void ScrollToBottom() { MoveTo(LineCount()); }
    bool BottomVisible() { return first() + visibleLines() >= LineCount(); }

    int pageDowns = 0;
    int pageUps = 0;
    std::vector<int> lineScrolls;
};

class QuietReaderHost : public IReaderHost {
public:
    void SetCounterLabels(const std::string&, const std::string&) override {}
    void SetTotalBox(int) override {}
    void SetCurrentBox(int) override {}
    int CurrentBoxValue(bool& ok) override {
        ok = false;
        return 0;
    }
    void SetWindowTitle(const std::string&) override {}
    int MessageBox(const std::string& text, const std::string&, unsigned) override {
        messages.push_back(text);
        return 1;
    }
    void StartTimer(int, int) override {}
    void StopTimer(int) override {}
    void PublishReadingState(const ReadingState&) override {}
    std::vector<std::string> messages;
};

class MemoryFiles : public IFileSystem {
public:
    bool CanOpenForReading(const std::string& path) override { return files.count(path) != 0; }
    bool CanOpenExclusive(const std::string& path) override { return files.count(path) != 0; }
    bool FileSize(const std::string& path, std::uint64_t& size) override {
        auto it = files.find(path);
        if (it == files.end()) return false;
        size = it->second.size();
        return true;
    }
    bool ReadAll(const std::string& path, std::string& bytes) override {
        auto it = files.find(path);
        if (it == files.end()) return false;
        bytes = it->second;
        return true;
    }
    std::map<std::string, std::string> files;
};

// The tests' books are plain ASCII, which needs no conversion.
class AsciiCodePage : public ICodePage {
public:
    std::string Utf16ToCp936(std::u16string_view text) override {
        std::string out;
        for (char16_t c : text) out += c < 0x80 ? static_cast<char>(c) : '?';
        return out;
    }
    bool Utf8ToUtf16(std::string_view text, std::u16string& out) override {
        out.assign(text.begin(), text.end());
        return true;
    }
};

struct Message {
    std::string text;
    std::string caption;
    unsigned flags = 0;
};

class RecordingNavigationHost : public INavigationHost {
public:
    int MessageBox(const std::string& text, const std::string& caption, unsigned flags) override {
        messages.push_back({text, caption, flags});
        return answer;
    }
    void KillTimer(int id) override { killedTimers.push_back(id); }
    // The edit session's rule: asked while the page is edited, Yes saves (and reloads on a page turn),
    // a failed save keeps the page.
    bool OfferToSave(SavePlace place) override {
        places.push_back(place);
        if (!edited) return true;
        if (MessageBox(SaveQuestion(place), kAppCaption, kMbYesNo | kMbIconExclamation) != kIdYes)
            return true;
        ++(place == SavePlace::kPageTurn ? savesAndReloads : saves);
        return !saveFails;
    }
    bool ReadingTimeOfOpenBook(long long& session, long long& stored) override {
        session = sessionSeconds;
        stored = storedSeconds;
        return readingTimeRuns;
    }
    void ToggleAutoScroll() override { ++autoScrollToggles; }

    std::vector<Message> messages;
    int answer = 1;
    std::vector<int> killedTimers;
    bool edited = false;
    bool saveFails = false;
    std::vector<SavePlace> places;
    int savesAndReloads = 0;
    int saves = 0;
    bool readingTimeRuns = false;
    long long sessionSeconds = 0;
    long long storedSeconds = 0;
    int autoScrollToggles = 0;
};

}  // namespace pel::testing
