// Books inside archives: the extractor driver's side of the view.
#include <windows.h>
#include <commdlg.h>

#include <cctype>

#include "app/pelinreader_app.h"
#include "resource.h"
#include "ui/pelinreader_view.h"

namespace {

std::string LowerExtension(const std::string& path) {
    size_t dot = path.rfind('.');
    if (dot == std::string::npos) return {};
    std::string ext = path.substr(dot + 1);
    for (char& c : ext) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return ext;
}

bool IsArchiveExtension(const std::string& ext) {
    return ext == "zip" || ext == "7z" || ext == "iso" || ext == "rar";
}

}  // namespace

bool CPelinreaderView::ExtractArchiveMember(const std::string& memberPath) {
    return archive_.ExtractArchiveMember(memberPath);
}

void CPelinreaderView::ResetArchiveListing() { archive_.ResetListing(); }

std::string CPelinreaderView::BrowseForExtractor() {
    char file[MAX_PATH * 4] = "";
    std::string filter =
        std::string(pel::kBrowseExtractorFilter) + '\0' + pel::kBrowseExtractorPattern + '\0';
    OPENFILENAMEA ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = app_.MainWindow();
    ofn.lpstrFilter = filter.c_str();
    ofn.lpstrFile = file;
    ofn.nMaxFile = sizeof file;
    ofn.lpstrTitle = pel::kBrowseExtractorTitle;
    ofn.Flags = OFN_HIDEREADONLY | OFN_EXPLORER;
    if (!GetOpenFileNameA(&ofn)) return {};
    return file;
}

bool CPelinreaderView::IsArchivePath(const std::string& path) {
    return IsArchiveExtension(LowerExtension(path));
}

void CPelinreaderView::ShowWaitNotice(bool shown) {
    if (shown)
        waitNotice_.Show(app_.MainWindow(), pel::kMsgExtractorWorking);
    else
        waitNotice_.Hide();
}

bool CPelinreaderView::HandleArchivePath(const std::string& path) {
    if (!IsArchivePath(path)) return false;
    // The archive's books fill the library list; one is opened from there.
    if (!archive_.ListArchive(path)) return true;
    library_.ListFolder(archive_.ListedArchive());
    HWND list = Item(IDC_LIBRARY_LIST);
    const auto& members = archive_.Members();
    {
        // Drawn once when all rows are in: a row-by-row repaint makes a big archive take many seconds.
        ListRedrawPause pause(list);
        SendMessageA(list, LB_RESETCONTENT, 0, 0);
        SendMessageA(list, LB_INITSTORAGE, members.size(), members.size() * 32);
        for (size_t i = 0; i < members.size(); ++i)
            SendMessageA(list, LB_INSERTSTRING, i, reinterpret_cast<LPARAM>(members[i].displayName.c_str()));
    }
    lastTipIndex_ = -1;
    if (sidebarHidden) {
        sidebarHidden = false;
        RelayoutControls();
    }
    return true;
}
