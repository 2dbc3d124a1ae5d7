// Bookmarks: the Bookmark line, the nine numbered entries of section BookMark with their two menus, and
// the commands of the menu "书签(&B)" (add, open, delete one, delete all).
#pragma once
#include <string>
#include <vector>

#include "book/reader.h"
#include "edit/save_place.h"
#include "state/bookmark_line.h"
#include "state/clock.h"
#include "state/config_file.h"

namespace pel {

constexpr int kMaxBookmarks = 9;

// Commands of the menu; bookmark k opens by kOpenBookmarkIdBase + k and is deleted by
// kDeleteBookmarkIdBase + k.
constexpr int kCmdAddBookmark = 32775;
constexpr int kCmdClearBookmarks = 32780;
constexpr int kOpenBookmarkIdBase = 32780;    // 32781 .. 32789
constexpr int kDeleteBookmarkIdBase = 61203;  // 61204 .. 61212

// The date field of a bookmark: the month by "%d", then "-%d %H:%M" (day two digits, 24-hour time).
std::string FormatBookmarkTime(const LocalTime& time);

// "%s, %.2f%%, [%s] >P%d,%s,p%d, <%s": title, percentage, date, page, paging mode, character position
// of the first visible line, full path.
std::string FormatBookmarkLine(const std::string& title, double percent, const LocalTime& added, int page,
                               int pagingMode, long long charPos, const std::string& path);

// What the bookmark commands ask of the view besides the reading logic and the page control.
class IBookmarkHost {
public:
    virtual ~IBookmarkHost() = default;
    // Modal box; `flags` are the platform's MB_* values, the result its ID* value.
    virtual int MessageBox(const std::string& text, const std::string& caption, unsigned flags) = 0;
    // "已添加书签！" in a box captioned "提示" that view timer 100 closes after a second; `flags` give
    // the box's icon as the platform's MB_* values.
    virtual void ShowSelfClosingTip(const std::string& text, unsigned flags) = 0;
    virtual void KillTimer(int id) = 0;
    // Asks to save an edited page before the book is left; false when it must stay.
    virtual bool OfferToSave(SavePlace place) = 0;
    // The library list is emptied and shows only the file name of the open book, whose path a double
    // click on that line opens; no folder is listed any more.
    virtual void ShowOnlyInLibrary(const std::string& bookPath) = 0;
    // Replace the items of the submenus "打开书签" and "删除书签" (both empty without bookmarks).
    virtual void RebuildBookmarkMenus(const std::vector<MenuEntry>& open,
                                      const std::vector<MenuEntry>& remove) = 0;
};

class BookmarkCommands {
public:
    BookmarkCommands(CConfigFile& config, Reader& reader, IPageControl& page, IBookmarkHost& host,
                     IClock& clock);

    // The menu commands: 32775, 32781..32789, 61204..61212, 32780. False for any other id.
    bool OnCommand(int id);

    void Add();
    void Open(int key);
    void Delete(int key);
    void DeleteAll();

    // The two submenus from the loaded list; the view calls this once after the start-up reads, the
    // commands after every change.
    void RefreshMenus();

private:
    CConfigFile& config_;
    Reader& reader_;
    IPageControl& page_;
    IBookmarkHost& host_;
    IClock& clock_;
};

}  // namespace pel
