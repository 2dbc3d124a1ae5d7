// The application object: lives for the whole run, owns the frame and the settings that
// dialogs edit, and keeps the snapshot of the reading state.
#pragma once
#include <windows.h>

#include <array>
#include <memory>
#include <string>

#include "book/reader.h"
#include "framework/app.h"
#include "state/auto_scroll.h"
#include "state/profile.h"
#include "state/quote_bar.h"
#include "state/settings.h"

class CMainFrame;
class CPelinreaderDoc;

class CPelinreaderApp : public fw::Application {
public:
    CPelinreaderApp();
    ~CPelinreaderApp() override;

    bool InitInstance();
    int ExitInstance(int code);

    bool OnCommand(UINT id, UINT notifyCode, HWND control) override;
    bool OnUpdateCommand(fw::CommandUI& ui) override;

    const char* AppTitle() const { return "Pelin阅读器——Pelinreader"; }

    // Writes the settings kept only at exit, in their fixed order. Exit and closing the window
    // both end here. False when the edited page could not be saved: the window then stays open,
    // so that nothing the reader wrote is lost.
    bool SaveSettingsAtExit();

    std::unique_ptr<pel::IFileSystem> files;
    std::unique_ptr<pel::ICodePage> codePage;
    std::unique_ptr<pel::IProfile> profile;

    std::string programDir;  // with trailing backslash
    std::string iniPath;     // programDir + "Config.ini"
    pel::ReadingState readingState;

    // Working copies of the settings that dialogs edit and the exit handler writes.
    int MarkLine = 0;
    int delblank = 0;
    std::string DIYname;
    int KeyA = 1;
    int KeyV = 32;
    int TimeSpanTip = 30;
    int TrayFlag = -1;
    std::array<std::string, pel::settings::kCustomRuleKeys> RuleDiy;
    pel::QuoteSettings Quote;      // Quote/QuoteFlag, LoopFlag, QuotePath, ScrollFlag
    pel::AutoScrollSettings Roll;  // Quote/RollType, TimeSpan, TimeEnd, TimeFirst
    int BJL = 10, BJR = 10, BJU = 0, BJD = 0;
    std::string libraryFolderOpened;  // a folder listed in the sidebar during this run

private:
    void OnUpdateDeleteBlankLines(fw::CommandUI& ui);

    std::unique_ptr<CPelinreaderDoc> doc_;
    std::unique_ptr<CMainFrame> frame_;
};

CPelinreaderApp& TheApp();

// The local clock as the settings lines want it.
pel::LocalTime LocalNow();
