// The application object: lives for the whole run, owns the frame and the settings that
// dialogs edit, and keeps the snapshot of the reading state.
#pragma once
#include <windows.h>

#include <memory>
#include <string>

#include "book/reader.h"
#include "framework/app.h"

class CMainFrame;
class CPelinreaderDoc;

// Values read from the settings file at start-up that the view and frame begin with.
struct StartupSettings {
    int pagingMode = 0;   // Style/SortFlag
    int chapterRule = 1;  // Style/SortRuleFlag
    int markLine = 0;     // Style/MarkLine
    int toolflag = 1;     // Interface/toolflag
    int statusflag = 1;   // Interface/statusflag
};

class CPelinreaderApp : public fw::Application {
public:
    CPelinreaderApp();
    ~CPelinreaderApp() override;

    bool InitInstance();
    int ExitInstance(int code);

    bool OnCommand(UINT id, UINT notifyCode, HWND control) override;
    bool OnUpdateCommand(fw::CommandUI& ui) override;

    const char* AppTitle() const { return "Pelin阅读器——Pelinreader"; }
    std::string ConfigPath() const { return programDir + "Config.ini"; }
    int ReadConfigInt(const char* section, const char* key, int def) const;
    std::string ReadConfigString(const char* section, const char* key, const char* def) const;

    // Writes the settings kept only at exit; the settings file's exit order lives here.
    void SaveSettingsAtExit();

    std::unique_ptr<pel::IFileSystem> files;
    std::unique_ptr<pel::ICodePage> codePage;

    std::string programDir;  // with trailing backslash
    pel::ReadingState readingState;
    int MarkLine = 0;
    int delblank = 0;
    std::string DIYname;
    StartupSettings settings;

private:
    void OnUpdateDeleteBlankLines(fw::CommandUI& ui);

    std::unique_ptr<CPelinreaderDoc> doc_;
    std::unique_ptr<CMainFrame> frame_;
};

CPelinreaderApp& TheApp();
