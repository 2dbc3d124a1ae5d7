#include "app/pelinreader_app.h"

#include <commctrl.h>

#include <vector>

#include "app/pelinreader_doc.h"
#include "platform/win32/win32_code_page.h"
#include "platform/win32/win32_file_system.h"
#include "resource.h"
#include "ui/main_frame.h"
#include "ui/pelinreader_view.h"

namespace {
CPelinreaderApp* g_app = nullptr;

std::string ModuleFolder() {
    std::vector<char> buf(MAX_PATH);
    for (;;) {
        DWORD n = GetModuleFileNameA(nullptr, buf.data(), static_cast<DWORD>(buf.size()));
        if (n < buf.size()) {
            std::string path(buf.data(), n);
            size_t slash = path.rfind('\\');
            return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
        }
        buf.resize(buf.size() * 2);
    }
}
}  // namespace

CPelinreaderApp& TheApp() { return *g_app; }

CPelinreaderApp::CPelinreaderApp() { g_app = this; }

CPelinreaderApp::~CPelinreaderApp() {
    frame_.reset();
    g_app = nullptr;
}

int CPelinreaderApp::ReadConfigInt(const char* section, const char* key, int def) const {
    return static_cast<int>(GetPrivateProfileIntA(section, key, def, ConfigPath().c_str()));
}

std::string CPelinreaderApp::ReadConfigString(const char* section, const char* key, const char* def) const {
    char buf[260];
    DWORD n = GetPrivateProfileStringA(section, key, def, buf, sizeof buf, ConfigPath().c_str());
    return std::string(buf, n);
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
    programDir = ModuleFolder();
    files = std::make_unique<pel::Win32FileSystem>();
    codePage = std::make_unique<pel::Win32CodePage>();

    delblank = ReadConfigInt("Style", "delblank", 0);
    settings.pagingMode = ReadConfigInt("Style", "SortFlag", 0);
    if (settings.pagingMode < 0 || settings.pagingMode > 2) settings.pagingMode = 0;
    settings.chapterRule = ReadConfigInt("Style", "SortRuleFlag", 1);
    settings.markLine = ReadConfigInt("Style", "MarkLine", 0);

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

void CPelinreaderApp::SaveSettingsAtExit() {}

bool CPelinreaderApp::OnCommand(UINT, UINT, HWND) { return false; }

bool CPelinreaderApp::OnUpdateCommand(fw::CommandUI& ui) {
    if (ui.id == ID_DELETE_BLANK_LINES) {
        OnUpdateDeleteBlankLines(ui);
        return true;
    }
    return false;
}

void CPelinreaderApp::OnUpdateDeleteBlankLines(fw::CommandUI& ui) { ui.SetCheck(delblank == 1); }
