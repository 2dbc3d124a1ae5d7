// A stand-in for the reading view as the bookmarks and reading records need it: one object that is
// the host of the reader, the navigator, the bookmark commands and the reading clock, wired the way
// the view wires them (the reader's record hooks go to the ReadingClock), over a chosen settings store.
#pragma once
#include <gtest/gtest.h>

#include <cstdio>
#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "navigation_doubles.h"
#include "state/bookmarks.h"
#include "state/config_file.h"
#include "state/reading_records.h"
#include "state_test_support.h"

namespace pel::testing {

// Seconds and local time move together; tests stay within one day.
class FakeClock : public IClock {
public:
    Moment Now() override { return now; }
    void Advance(long long seconds) {
        now.seconds += seconds;
        long long second = now.local.second + now.local.minute * 60LL + now.local.hour * 3600LL + seconds;
        now.local.hour = static_cast<int>(second / 3600 % 24);
        now.local.minute = static_cast<int>(second / 60 % 60);
        now.local.second = static_cast<int>(second % 60);
    }
    Moment now{1709445900, {2024, 3, 3, 14, 5, 0}};
};

class FakeView : public IReaderHost, public INavigationHost, public IBookmarkHost, public IRecordHost {
public:
    // Shared by every host interface.
    int MessageBox(const std::string& text, const std::string& caption, unsigned flags) override {
        messages.push_back({text, caption, flags});
        if (answers.empty()) return kIdOk;
        const int answer = answers.front();
        answers.pop_front();
        return answer;
    }
    void ShowSelfClosingTip(const std::string& text) override { tips.push_back(text); }
    void ShowSelfClosingTip(const std::string& text, unsigned flags) override {
        tips.push_back(text);
        tipFlags.push_back(flags);
    }
    std::vector<unsigned> tipFlags;
    // The edit session's rule: asked while the page is edited, Yes saves, a failed save keeps the page.
    bool OfferToSave(SavePlace place) override {
        if (!edited) return true;
        if (MessageBox(SaveQuestion(place), kAppCaption, kMbYesNo | kMbIconExclamation) != kIdYes)
            return true;
        ++saves;
        return !saveFails;
    }
    void KillTimer(int id) override { killedTimers.push_back(id); }

    // IReaderHost
    void SetCounterLabels(const std::string&, const std::string&) override {}
    void SetTotalBox(int) override {}
    void SetCurrentBox(int) override {}
    int CurrentBoxValue(bool& ok) override {
        ok = false;
        return 0;
    }
    void SetWindowTitle(const std::string&) override {}
    void StartTimer(int, int) override {}
    void StopTimer(int) override {}
    void PublishReadingState(const ReadingState&) override {}
    void UpdateReadingRecords() override { records->Flush(*reader, *navigator); }
    void EnsureReadingRecord() override { records->EnsureRecord(*reader); }
    bool HasReadingRecord(long long& position) override { return records->StoredPosition(*reader, position); }

    // INavigationHost
    bool ReadingTimeOfOpenBook(long long& session, long long& stored) override {
        return records->ReadingTimeOfOpenBook(*reader, session, stored);
    }

    // IBookmarkHost, IRecordHost
    void ShowOnlyInLibrary(const std::string& bookPath) override { library = {bookPath}; }
    void RebuildBookmarkMenus(const std::vector<MenuEntry>& open,
                              const std::vector<MenuEntry>& remove) override {
        openMenu = open;
        deleteMenu = remove;
    }

    Reader* reader = nullptr;
    Navigator* navigator = nullptr;
    ReadingClock* records = nullptr;

    std::vector<Message> messages;
    std::deque<int> answers;  // then OK
    std::vector<std::string> tips;
    std::vector<int> killedTimers;
    bool edited = false;
    bool saveFails = false;
    int saves = 0;
    std::vector<std::string> library;  // the paths of the library lines
    std::vector<MenuEntry> openMenu, deleteMenu;
};

// Lines of ten bytes: "line 001\r\n".
inline std::string TenByteLines(int count) {
    std::string text;
    char line[32];
    for (int i = 1; i <= count; ++i) {
        std::snprintf(line, sizeof line, "line %03d\r\n", i);
        text += line;
    }
    return text;
}

// The view's pieces over one Config.ini of the store under test.
class ReadingWorld : public ::testing::TestWithParam<ProfileImplementation> {
protected:
    void SetUp() override {
        profile = GetParam().make();
        iniPath = FreshPath("reading");
        config = std::make_unique<CConfigFile>(*profile, iniPath);
        reader = std::make_unique<Reader>(control, view, files, codePage);
        navigator = std::make_unique<Navigator>(*reader, control, view);
        records = std::make_unique<ReadingClock>(*config, clock, view);
        marks = std::make_unique<BookmarkCommands>(*config, *reader, control, view, clock);
        view.reader = reader.get();
        view.navigator = navigator.get();
        view.records = records.get();
    }

    // A book of `lines` ten-byte lines, opened as the view opens one.
    void AddBook(const std::string& path, int lines) { files.files[path] = TenByteLines(lines); }
    void Open(const std::string& path) {
        reader->SetBookPath(path);
        reader->OpenBook(path);
    }
    // Scrolls the page so that `line` is the first visible one and lets timer 150 track it.
    void ReadAtLine(int line) {
        control.ScrollLines(line - control.FirstVisibleLine());
        reader->OnPositionTimer();
    }
    void Exit() { records->Flush(*reader, *navigator); }
    std::string File() const { return GetFile(iniPath); }
    void Put(const std::string& text) { PutFile(iniPath, text); }

    std::unique_ptr<IProfile> profile;
    std::string iniPath;
    FakeClock clock;
    ScrollingPageControl control{10};
    FakeView view;
    MemoryFiles files;
    AsciiCodePage codePage;
    std::unique_ptr<CConfigFile> config;
    std::unique_ptr<Reader> reader;
    std::unique_ptr<Navigator> navigator;
    std::unique_ptr<ReadingClock> records;
    std::unique_ptr<BookmarkCommands> marks;
};

inline std::string StoreName(const ::testing::TestParamInfo<ProfileImplementation>& info) {
    return info.param.name;
}

}  // namespace pel::testing
