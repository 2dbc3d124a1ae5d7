// Opening books: the open-file dialog, dropped files, the command line and the last book.
#include <windows.h>
#include <commdlg.h>
#include <shellapi.h>

#include <cstdlib>

#include "app/pelinreader_app.h"
#include "resource.h"
#include "ui/pelinreader_view.h"

void CPelinreaderView::ReopenLastBook() {
    const pel::BookmarkLine& last = config_.LastReadEntry();
    reader_.SetBookPath(last.path);
    reader_.OpenBook(last.path);
    if (reader_.BookPath().empty()) return;
    reader_.ReturnToSavedPage(std::atoi(last.page.c_str()));
    library_.ShowOnly(reader_.BookPath());
    ShowLibraryRows();
    StartTimer(TIMER_RESTORE_LINE, 200);
    RestoreLibrarySelection();
}

void CPelinreaderView::ShowLibraryRows() {
    HWND list = Item(IDC_LIBRARY_LIST);
    ListRedrawPause pause(list);
    SendMessageA(list, LB_RESETCONTENT, 0, 0);
    // Inserted, not added: the rows keep the order of the paths they open.
    for (const std::string& name : library_.Names())
        SendMessageA(list, LB_INSERTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(name.c_str()));
    lastTipIndex_ = -1;
}

void CPelinreaderView::OnFileOpen(UINT) {
    char file[MAX_PATH * 4] = "";
    static const char kFilter[] =
        "文本文件(*.txt)\0*.txt\0压缩文件(*.rar,*.zip,*.7z,*.iso)\0*.rar;*.zip;*.7z;*.iso\0所有文件(*.*)\0*.*"
        "\0";
    OPENFILENAMEA ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = app_.MainWindow();
    ofn.lpstrFilter = kFilter;
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = file;
    ofn.nMaxFile = sizeof file;
    ofn.lpstrTitle = "打开小说或TXT文本";
    ofn.Flags = OFN_HIDEREADONLY | OFN_EXPLORER | OFN_PATHMUSTEXIST;
    if (!GetOpenFileNameA(&ofn)) return;
    std::string path = file;
    if (HandleArchivePath(path)) return;
    if (!OfferToSave(pel::SavePlace::kOpenBook)) return;

    reader_.SetBookPath(path);
    reader_.OpenBook(path);
    if (reader_.BookPath().empty()) {
        // Only a book that opened takes a row.
        reader_.SetBookPath(app_.readingState.bookPath);
        return;
    }
    if (library_.AddOpened(reader_.BookPath())) {
        ShowLibraryRows();
    } else {
        SendMessageA(Item(IDC_LIBRARY_LIST), LB_INSERTSTRING, static_cast<WPARAM>(-1),
                     reinterpret_cast<LPARAM>(library_.Names().back().c_str()));
    }
    reader_.OfferResume();
}

void CPelinreaderView::OnDropFiles(HDROP drop) {
    // The whole path is read, however long it is.
    UINT len = DragQueryFileA(drop, 0, nullptr, 0);
    std::string path;
    if (len != 0 && len != 0xFFFFFFFFu) {
        path.resize(len + 1);
        UINT got = DragQueryFileA(drop, 0, path.data(), len + 1);
        path.resize(got);
    }
    DragFinish(drop);
    if (!path.empty()) OpenDroppedFile(path);
}

void CPelinreaderView::OpenDroppedFile(const std::string& path) {
    // An archive only fills the library; the open book and its path stay.
    if (HandleArchivePath(path)) return;
    if (!OfferToSave(pel::SavePlace::kOpenBook)) return;
    reader_.SetBookPath(path);
    reader_.OpenBook(path);
    if (reader_.BookPath().empty()) {
        reader_.SetBookPath(app_.readingState.bookPath);
        return;
    }
    // The dropped book is the one row, and the row opens it.
    library_.ShowOnly(reader_.BookPath());
    ShowLibraryRows();
    reader_.OfferResume();
}
