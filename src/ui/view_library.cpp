// The library sidebar of the reading form: a folder's books, the books opened in this run or an
// archive's members; a double click opens one; a tooltip tells its folder and size.
#include <windows.h>
#include <shlobj.h>

#include "app/pelinreader_app.h"
#include "resource.h"
#include "ui/library_text.h"
#include "ui/pelinreader_view.h"

namespace {
std::string ListText(HWND list, int index) {
    const LRESULT n = SendMessageA(list, LB_GETTEXTLEN, index, 0);
    if (n == LB_ERR || n <= 0) return {};
    std::string text(static_cast<size_t>(n) + 1, '\0');
    const LRESULT got = SendMessageA(list, LB_GETTEXT, index, reinterpret_cast<LPARAM>(text.data()));
    text.resize(got == LB_ERR ? 0 : static_cast<size_t>(got));
    return text;
}

std::uint64_t FileSizeOf(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return 0;
    return (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}
}  // namespace

void CPelinreaderView::CreateLibraryTip() {
    HWND list = Item(IDC_LIBRARY_LIST);
    libraryTip_ = CreateWindowExA(
        WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
        CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, hwnd_, nullptr, GetModuleHandleA(nullptr), nullptr);
    if (!libraryTip_) return;
    TOOLINFOA ti{};
    ti.cbSize = sizeof ti;
    ti.uFlags = TTF_IDISHWND;
    ti.hwnd = hwnd_;
    ti.uId = reinterpret_cast<UINT_PTR>(list);
    ti.lpszText = const_cast<char*>("单击文件名可查看详细信息！");
    SendMessageA(libraryTip_, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&ti));
    SendMessageA(libraryTip_, TTM_SETTIPTEXTCOLOR, RGB(0, 0, 255), 0);
    SendMessageA(libraryTip_, TTM_SETDELAYTIME, TTDT_AUTOMATIC, 800);
    SendMessageA(libraryTip_, TTM_SETMAXTIPWIDTH, 0, 300);
}

void CPelinreaderView::SetLibraryTipText(const std::string& text) {
    if (!libraryTip_) return;
    TOOLINFOA ti{};
    ti.cbSize = sizeof ti;
    ti.uFlags = TTF_IDISHWND;
    ti.hwnd = hwnd_;
    ti.uId = reinterpret_cast<UINT_PTR>(Item(IDC_LIBRARY_LIST));
    ti.lpszText = const_cast<char*>(text.c_str());
    SendMessageA(libraryTip_, TTM_SETMAXTIPWIDTH, 0, 300);
    SendMessageA(libraryTip_, TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&ti));
}

void CPelinreaderView::RelayToLibraryTip(MSG& msg) {
    if (!libraryTip_) return;
    SendMessageA(libraryTip_, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&msg));
    RefreshLibraryTip();
}

void CPelinreaderView::RefreshLibraryTip() {
    HWND list = Item(IDC_LIBRARY_LIST);
    const std::string& libraryFolder = library_.Folder();
    if (!libraryFolder.empty()) {
        const int index = static_cast<int>(SendMessageA(list, LB_GETCURSEL, 0, 0));
        if (index == lastTipIndex_) return;
        lastTipIndex_ = index;
        const std::string name = ListText(list, index);
        if (archive_.ListingActive()) {
            const std::string member = archive_.MemberBookPathAt(index);
            SetLibraryTipText(LibraryTipText(name, LibraryFolderPart(member), "/N"));
            return;
        }
        const std::string full =
            libraryFolder == "books" ? app_.programDir + "books\\" + name : libraryFolder + "\\" + name;
        SetLibraryTipText(LibraryTipText(name, libraryFolder, LibrarySizeText(FileSizeOf(full))));
        return;
    }
    if (SendMessageA(list, LB_GETCOUNT, 0, 0) == 1) {
        // The one line's own book, which is the open one.
        std::string path = library_.PathAt(0);
        if (path.empty()) path = reader_.BookPath();
        const std::string folder = LibraryFolderPart(path);
        if (folder == "books") path = app_.programDir + path;
        SetLibraryTipText(LibraryTipText(pel::FileNameOf(path), folder, LibrarySizeText(FileSizeOf(path))));
    }
}

void CPelinreaderView::ListLibrary(const std::string& folder) {
    archive_.ResetListing();
    HWND list = Item(IDC_LIBRARY_LIST);
    ListRedrawPause pause(list);
    SendMessageA(list, LB_RESETCONTENT, 0, 0);
    std::string pattern = folder + "\\*.txt";
    SendMessageA(list, LB_DIR, DDL_READWRITE, reinterpret_cast<LPARAM>(pattern.data()));
    lastTipIndex_ = -1;
}

void CPelinreaderView::OnOpenFolder(UINT) {
    LPITEMIDLIST root = nullptr;
    if (SHGetSpecialFolderLocation(hwnd_, CSIDL_DESKTOP, &root) != S_OK) {
        MessageBox("Start browsing path failure ", "", MB_OK);
        return;
    }
    char display[MAX_PATH] = "";
    BROWSEINFOA bi{};
    bi.hwndOwner = hwnd_;
    bi.pidlRoot = root;
    bi.pszDisplayName = display;
    bi.lpszTitle = "书库";
    bi.ulFlags = BIF_RETURNONLYFSDIRS;
    LPITEMIDLIST chosen = SHBrowseForFolderA(&bi);
    CoTaskMemFree(root);
    if (!chosen) return;
    char path[MAX_PATH] = "";
    const bool ok = SHGetPathFromIDListA(chosen, path) != FALSE;
    CoTaskMemFree(chosen);
    if (!ok || !*path) return;
    ShowFolderInLibrary(path);
}

void CPelinreaderView::ShowFolderInLibrary(const std::string& folder) {
    library_.ListFolder(folder);
    ListLibrary(folder);
    app_.libraryFolderOpened = folder;
    if (sidebarHidden) {
        sidebarHidden = false;
        RelayoutControls();
    }
}

void CPelinreaderView::OnLibraryDoubleClick() {
    HWND list = Item(IDC_LIBRARY_LIST);
    const int index = static_cast<int>(SendMessageA(list, LB_GETCURSEL, 0, 0));
    if (index < 0) return;
    if (!OfferToSave(pel::SavePlace::kLibraryBook)) return;
    // The row names the book it opens, however it came into the list.
    std::string path = library_.PathAt(index);
    const std::string& folder = library_.Folder();
    if (!folder.empty()) {
        path = archive_.ListingActive() ? archive_.MemberBookPathAt(index)
                                        : folder + "\\" + ListText(list, index);
    }
    if (path.empty()) return;
    reader_.SetBookPath(path);
    reader_.OpenBook(path);
    if (reader_.BookPath().empty()) {
        reader_.SetBookPath(app_.readingState.bookPath);
        return;
    }
    // Only a row that opened its book is remembered for the next start: a row whose book failed (deleted
    // since the listing) would bring back a row other than the book being read.
    if (!folder.empty()) libraryIndex_ = index + 1;
    reader_.OfferResume();
}

void CPelinreaderView::OnToggleSidebar(UINT) {
    sidebarHidden = !sidebarHidden;
    RelayoutControls();
}

void CPelinreaderView::OnUpdateSidebar(fw::CommandUI& ui) { ui.SetCheck(!sidebarHidden); }

void CPelinreaderView::RestoreLibrarySelection() {
    const int selection = pel::ReadLibrarySelection(*app_.profile, app_.iniPath);
    if (selection <= 0) return;
    library_.ListFolder(LibraryFolderPart(reader_.BookPath()));
    ListLibrary(library_.Folder());
    SendMessageA(Item(IDC_LIBRARY_LIST), LB_SETCURSEL, selection - 1, 0);
    libraryIndex_ = selection;
}

// ---- recent folders

bool CPelinreaderView::FolderExists(const std::string& folder) {
    const DWORD a = GetFileAttributesA(folder.c_str());
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

void CPelinreaderView::ListFolderInLibrary(const std::string& folder) {
    library_.ListFolder(folder);
    ListLibrary(folder);
    if (sidebarHidden) {
        sidebarHidden = false;
        RelayoutControls();
    }
}

void CPelinreaderView::RebuildRecentFolderMenu(const std::vector<pel::MenuEntry>& entries) {
    HMENU main = GetMenu(app_.MainWindow());
    HMENU file = main ? GetSubMenu(main, 0) : nullptr;
    if (!file) return;
    // "最近文件夹" is the file menu's only pop-up.
    HMENU recent = nullptr;
    for (int i = 0; i < GetMenuItemCount(file) && !recent; ++i) recent = GetSubMenu(file, i);
    if (!recent) return;
    DeleteMenu(recent, ID_RECENT_FOLDER_PLACEHOLDER, MF_BYCOMMAND);
    for (int id = ID_RECENT_FOLDER_FIRST; id < ID_RECENT_FOLDER_FIRST + 5; ++id)
        DeleteMenu(recent, id, MF_BYCOMMAND);
    for (const pel::MenuEntry& e : entries)
        AppendMenuA(recent, MF_STRING, static_cast<UINT_PTR>(e.id), e.text.c_str());
}

void CPelinreaderView::OnRecentFolder(UINT id) {
    // A folder that exists is listed in place of the books (ListFolderInLibrary).
    recent_.Open(static_cast<int>(id - ID_RECENT_FOLDER_FIRST) + 1);
}

void CPelinreaderView::OnClearRecentFolders(UINT) { recent_.Clear(); }
