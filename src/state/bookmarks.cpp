#include "state/bookmarks.h"

#include <cstdio>

#include "book/message_flags.h"
#include "state/navigation.h"

namespace pel {

std::string FormatBookmarkTime(const LocalTime& time) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%d-%02d %02d:%02d", time.month, time.day, time.hour, time.minute);
    return buffer;
}

std::string FormatBookmarkLine(const std::string& title, double percent, const LocalTime& added, int page,
                               int pagingMode, long long charPos, const std::string& path) {
    char middle[160];
    std::snprintf(middle, sizeof middle, ", %.2f%%, [%s] >P%d,%d,p%lld, <", percent,
                  FormatBookmarkTime(added).c_str(), page, pagingMode, charPos);
    return title + middle + path;
}

BookmarkCommands::BookmarkCommands(CConfigFile& config, Reader& reader, IPageControl& page,
                                   IBookmarkHost& host, IClock& clock)
    : config_(config), reader_(reader), page_(page), host_(host), clock_(clock) {}

bool BookmarkCommands::OnCommand(int id) {
    if (id == kCmdAddBookmark) {
        Add();
    } else if (id == kCmdClearBookmarks) {
        DeleteAll();
    } else if (id > kOpenBookmarkIdBase && id <= kOpenBookmarkIdBase + kMaxBookmarks) {
        Open(id - kOpenBookmarkIdBase);
    } else if (id > kDeleteBookmarkIdBase && id <= kDeleteBookmarkIdBase + kMaxBookmarks) {
        Delete(id - kDeleteBookmarkIdBase);
    } else {
        return false;
    }
    return true;
}

void BookmarkCommands::RefreshMenus() {
    host_.RebuildBookmarkMenus(config_.BookmarkMenu(kOpenBookmarkIdBase),
                               config_.BookmarkMenu(kDeleteBookmarkIdBase));
}

void BookmarkCommands::Add() {
    const std::string path = reader_.BookPath();
    if (path.empty()) {
        host_.MessageBox("未打开小说！", kAppCaption, kMbOk);
        return;
    }
    // The tracked position, brought up to the line shown at this moment.
    reader_.OnPositionTimer();
    reader_.SetLineMarker(page_.FirstVisibleLine());
    if (config_.MarkNum() >= kMaxBookmarks) {
        host_.MessageBox("书签已满！请删除不用的书签后再添加！", kHintCaption, kMbOk | kMbIconExclamation);
        return;
    }
    const std::string line =
        FormatBookmarkLine(BookTitleOf(path), reader_.ReadPercent(), clock_.Now().local,
                           reader_.CurrentPage(), reader_.pagingMode, reader_.ReadPosition(), path);
    config_.AppendBookmark(line);
    RefreshMenus();
    host_.ShowSelfClosingTip("已添加书签！", kMbIconExclamation);
}

void BookmarkCommands::Open(int key) {
    if (key < 1 || key > config_.MarkNum()) return;
    const BookmarkLine mark = config_.BookmarkEntry(key);
    if (!host_.OfferToSave(SavePlace::kBookmark)) return;
    if (reader_.pagingMode == kPagingWhole) host_.KillTimer(kTimerWholeBookLines);

    const long long mode = LeadingNumber(mark.modeOrTime);
    reader_.pagingMode = mode >= kPagingLines && mode <= kPagingWhole ? static_cast<int>(mode) : kPagingLines;
    const std::string previous = reader_.BookPath();
    reader_.SetBookPath(mark.path);
    reader_.OpenBook(mark.path);
    if (reader_.BookPath().empty()) {
        reader_.SetBookPath(previous);
        if (host_.MessageBox("书签已失效，是否删除？", kAppCaption, kMbOkCancel | kMbIconExclamation) ==
            kIdOk) {
            Delete(key);
        }
        return;
    }

    const long long position = LeadingNumber(mark.charPos);
    if (position > 0) {
        // The page that holds the position: the same as the stored page while the book and its
        // pagination are unchanged, and still the right text when they are not.
        reader_.GoToTextPosition(position);
    } else {
        // Bookmarks of older versions keep a page and a line instead of a position.
        const long long page = LeadingNumber(mark.page);
        if (reader_.pagingMode != kPagingWhole && page >= 0 && page <= reader_.PageCount()) {
            reader_.ShowPage(static_cast<int>(page));
        }
        const long long line = LeadingNumber(mark.savedLine);
        reader_.SetLineMarker(line > 0 && line < page_.LineCount() ? static_cast<int>(line) : 0);
        page_.ScrollLines(-page_.LineCount());
        page_.ScrollLines(reader_.LineMarker());
        reader_.OnPositionTimer();
    }
    host_.ShowOnlyInLibrary(reader_.BookPath());
    config_.MoveBookmarkToFront(key);
    RefreshMenus();
}

void BookmarkCommands::Delete(int key) {
    if (key < 1 || key > config_.MarkNum()) return;
    config_.DeleteBookmark(key);
    RefreshMenus();
}

void BookmarkCommands::DeleteAll() {
    config_.DeleteAllBookmarks();
    RefreshMenus();
}

}  // namespace pel
