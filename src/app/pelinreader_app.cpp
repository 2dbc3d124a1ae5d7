#include "app/pelinreader_app.h"

#include <commctrl.h>

#include <cstring>
#include <vector>

#include "app/pelinreader_doc.h"
#include "platform/win32/win32_code_page.h"
#include "platform/win32/win32_file_system.h"
#include "resource.h"
#include "shell/help.h"
#include "state/config_file.h"
#include "state/win32_profile.h"
#include "ui/main_frame.h"
#include "ui/pelinreader_view.h"

namespace {
CPelinreaderApp* g_app = nullptr;

std::string ModuleFileName() {
    std::vector<char> buf(MAX_PATH);
    for (;;) {
        DWORD n = GetModuleFileNameA(nullptr, buf.data(), static_cast<DWORD>(buf.size()));
        if (n < buf.size()) return std::string(buf.data(), n);
        buf.resize(buf.size() * 2);
    }
}
}  // namespace

CPelinreaderApp& TheApp() { return *g_app; }

pel::LocalTime LocalNow() {
    SYSTEMTIME st;
    GetLocalTime(&st);
    return {st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute, st.wSecond};
}

CPelinreaderApp::CPelinreaderApp() { g_app = this; }

CPelinreaderApp::~CPelinreaderApp() {
    frame_.reset();
    g_app = nullptr;
}

bool CPelinreaderApp::InitInstance() {
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES | ICC_BAR_CLASSES | ICC_COOL_CLASSES |
                                             ICC_LISTVIEW_CLASSES | ICC_HOTKEY_CLASS};
    InitCommonControlsEx(&icc);
    // The page control is the rich-edit 1.0 class.
    if (!LoadLibraryA("riched32.dll")) {
        MessageBoxA(nullptr, "无法加载RichEdit控件！", AppTitle(), MB_OK | MB_ICONSTOP);
        return false;
    }
    const std::string module = ModuleFileName();
    iniPath = pel::ConfigPathFromModule(module);
    programDir = iniPath.substr(0, iniPath.size() - std::strlen("Config.ini"));
    files = std::make_unique<pel::Win32FileSystem>();
    codePage = std::make_unique<pel::Win32CodePage>();
    profile = std::make_unique<pel::Win32Profile>();

    doc_ = std::make_unique<CPelinreaderDoc>();
    frame_ = std::make_unique<CMainFrame>(*this);
    if (!frame_->LoadFrame()) return false;
    frame_->View().OnInitialUpdate();

    HWND main = frame_->hwnd();
    ShowWindow(main, SW_SHOWNORMAL);
    UpdateWindow(main);
    frame_->CenterOnScreen();
    return true;
}

int CPelinreaderApp::ExitInstance(int code) { return code; }

namespace {

// The exit steps that belong to features of their own.
class ExitHooks : public pel::IExitHooks {
public:
    explicit ExitHooks(CPelinreaderView& view) : view_(view) {}
    void CreditReadingTime() override { view_.CreditReadingTime(); }
    void OfferToSaveText() override { saveFailed = !view_.OfferToSaveAtExit(); }
    bool saveFailed = false;

private:
    CPelinreaderView& view_;
};

}  // namespace

bool CPelinreaderApp::SaveSettingsAtExit() {
    pel::ExitSnapshot s;
    CPelinreaderView& view = frame_->View();
    s.fileName = readingState.fileName;
    s.page = readingState.currentPage;
    s.bookPath = readingState.bookPath;
    s.now = LocalNow();
    s.style = view.StyleValues();
    s.libraryFolder = libraryFolderOpened;
    s.sortFlag = view.reader().pagingMode;
    s.markLine = MarkLine;
    s.deleteBlankLines = delblank;
    s.diyName = DIYname;
    s.keyA = KeyA;
    s.keyV = KeyV;
    s.customRules = RuleDiy;
    s.quoteFlag = Quote.quoteFlag;
    s.loopFlag = Quote.loopFlag;
    s.quotePath = Quote.quotePath;
    s.scrollFlag = Quote.scrollFlag;
    s.rollType = Roll.rollType;
    s.timeSpan = Roll.timeSpan;
    s.timeEnd = Roll.timeEnd;
    s.timeFirst = Roll.timeFirst;
    s.timeSpanTip = TimeSpanTip;
    s.marginLeft = BJL;
    s.marginRight = BJR;
    s.marginTop = BJU;
    s.marginBottom = BJD;
    s.trayFlag = TrayFlag;
    view.FillExitSnapshot(s);
    frame_->FillExitSnapshot(s);
    ExitHooks hooks(view);
    if (!pel::WriteSettingsAtExit(*profile, iniPath, s, hooks)) {
        // The settings file is read-only, a folder, or on a folder the reader may not write: the book and
        // its text are untouched, only this run's settings are gone, and the reader is told where.
        const std::string text = "设置无法保存：" + iniPath;
        MessageBoxA(MainWindow(), text.c_str(), AppTitle(), MB_OK | MB_ICONEXCLAMATION);
    }
    return !hooks.saveFailed;
}

bool CPelinreaderApp::OnCommand(UINT id, UINT, HWND) { return HandleHelpCommand(MainWindow(), id); }

bool CPelinreaderApp::OnUpdateCommand(fw::CommandUI& ui) {
    if (IsHelpCommand(ui.id)) {
        ui.Enable(true);
        return true;
    }
    if (ui.id == ID_DELETE_BLANK_LINES) {
        OnUpdateDeleteBlankLines(ui);
        return true;
    }
    return false;
}

void CPelinreaderApp::OnUpdateDeleteBlankLines(fw::CommandUI& ui) { ui.SetCheck(delblank == 1); }
