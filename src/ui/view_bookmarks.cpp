// Bookmarks and reading records.
#include <windows.h>

#include "app/pelinreader_app.h"
#include "resource.h"
#include "ui/pelinreader_view.h"
#include "ui/records_dialog.h"

void CPelinreaderView::OnBookmarkCommand(UINT id) { bookmarks_.OnCommand(static_cast<int>(id)); }

void CPelinreaderView::ShowOnlyInLibrary(const std::string& bookPath) {
    library_.ShowOnly(bookPath);
    ShowLibraryRows();
}

void CPelinreaderView::RebuildBookmarkMenus(const std::vector<pel::MenuEntry>& open,
                                            const std::vector<pel::MenuEntry>& remove) {
    HMENU main = GetMenu(app_.MainWindow());
    if (!main) return;
    // "书签(&B)" holds "打开书签" and "删除书签" as its second and third items.
    HMENU marks = GetSubMenu(main, 1);
    if (!marks) return;
    auto refill = [](HMENU sub, const std::vector<pel::MenuEntry>& entries) {
        if (!sub) return;
        while (GetMenuItemCount(sub) > 0) DeleteMenu(sub, 0, MF_BYPOSITION);
        for (const pel::MenuEntry& e : entries)
            AppendMenuA(sub, MF_STRING, static_cast<UINT_PTR>(e.id), e.text.c_str());
    };
    refill(GetSubMenu(marks, 1), open);
    refill(GetSubMenu(marks, 2), remove);
}

void CPelinreaderView::OnReadingRecords(UINT) {
    ApplyCursorActions(cursor_.Reveal());
    CRecordsDlg dlg(*app_.profile, app_.iniPath, app_.programDir);
    if (dlg.DoModal(app_.MainWindow()) != IDOK) return;
    if (records_.OpenChosenRecord(dlg.choice, reader_)) {
        // The book is open at its place; OpenChosenRecord already refreshed the library list.
    }
}
