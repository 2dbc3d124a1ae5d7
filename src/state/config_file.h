// CConfigFile: the path of Config.ini and the lists kept in it (bookmarks, recent folders, reading
// records), plus the five Style values read at start-up.
#pragma once
#include <array>
#include <string>
#include <vector>

#include "state/bookmark_line.h"
#include "state/profile.h"
#include "state/record_line.h"
#include "state/settings.h"

namespace pel {

// One item of a menu that the view rebuilds: command id and text.
struct MenuEntry {
    int id = 0;
    std::string text;
    bool operator==(const MenuEntry&) const = default;
};

// The module's own file name up to and including its last backslash, then "Config.ini". The
// backslash is searched character by character: the second byte of a CP936 character may be 0x5C.
std::string ConfigPathFromModule(const std::string& moduleFileName);

class CConfigFile {
public:
    CConfigFile(IProfile& profile, std::string iniPath);

    IProfile& Profile() const { return profile_; }
    const std::string& Path() const { return path_; }

    // BookMark: MarkNum (0..9 whatever the file says) and keys 0..MarkNum.
    void LoadBookmarks();
    int MarkNum() const { return markNum_; }
    // Key 0 is the LastReadEntry, 1..9 the bookmarks; any other key gives an empty line.
    const BookmarkLine& BookmarkEntry(int key) const;
    const BookmarkLine& LastReadEntry() const { return bookmarks_[0]; }
    bool SaveLastReadEntry(const std::string& fileName, int page, const std::string& bookPath,
                           const LocalTime& now);
    // The list updates below write their keys at once and reload the list. Key 0 is never touched.
    // A new line at the end (MarkNum + 1), then moved to key 1; refused (false, nothing written) when
    // the list already holds nine.
    bool AppendBookmark(const std::string& line);
    // Entries 1..key-1 move down one place and entry `key` becomes entry 1; keys 1..key are written.
    void MoveBookmarkToFront(int key);
    // Entries after `key` move up one place; keys 1..MarkNum are written, the last one empty, then
    // MarkNum - 1.
    void DeleteBookmark(int key);
    // MarkNum and keys 1..MarkNum are written empty (MarkNum reads back as 0).
    void DeleteAllBookmarks();
    // "%d. " and the label of each bookmark, with the command ids idBase + 1 .. idBase + MarkNum.
    std::vector<MenuEntry> BookmarkMenu(int idBase) const;

    // Style: bkcolor, txtcolor, txtfont, txtsize, txthj.
    void LoadStyle();
    const StyleValues& Style() const { return style_; }
    // txtsize and txthj are written only when not negative.
    void SaveStyle(const StyleValues& style);

    // File Dir: FileNum (0..5 whatever the file says) and keys 1..FileNum, each a folder without its
    // trailing backslash, the most recently added or used first.
    void LoadRecentFolders();
    int FileNum() const { return fileNum_; }
    const std::string& RecentFolder(int number) const;  // 1..FileNum
    bool ListsFolder(const std::string& folder) const;  // byte for byte
    // The list updates below write their keys at once and reload the list.
    // Folders 1..number-1 move down one place and folder `number` becomes folder 1; keys 1..number are
    // written, FileNum stays.
    void MoveRecentFolderToFront(int number);
    // Later folders move up one place; keys number..FileNum are written, the last one empty, then
    // FileNum - 1.
    void DeleteRecentFolder(int number);
    // FileNum is written empty (it reads back as 0) and so are keys 1..5, named "%d " as the menu
    // command writes them; the profile functions ignore the trailing blank.
    void ClearRecentFolders();
    // The exit step for the folder listed in the sidebar during this run: a folder that is not empty and
    // not listed yet goes into the slot after the last one (the oldest, when five are listed), FileNum
    // and that key are written, and then it moves to the front. False when nothing was written.
    bool AddRecentFolder(const std::string& folder);
    // "%d " and the folder, with the command ids idBase + 1 .. idBase + FileNum.
    std::vector<MenuEntry> RecentFolderMenu(int idBase) const;

    // TimePad: TimePadNum (0..99) and keys 1..TimePadNum, parsed.
    void LoadReadingRecords();
    int TimePadNum() const { return timePadNum_; }
    const ReadingRecord& Record(int key) const;  // 1..TimePadNum; any other key gives an empty record
    const std::string& ReadingRecordLine(int key) const { return Record(key).raw; }
    // The first record from key 1 whose name equals `name` byte for byte; 0 when none does.
    int FindRecord(const std::string& name) const;
    // Writes TimePadNum = `count` and key `key` = `line`, then reloads.
    void StoreRecord(int count, int key, const std::string& line);
    // Records 1..key-1 move down one place and record `key` becomes record 1; keys 1..key are written.
    void MoveRecordToFront(int key);
    // Records after `key` move up one place; keys 1..TimePadNum are written, the last one empty, then
    // TimePadNum - 1.
    void DeleteRecord(int key);
    // TimePadNum and keys 1..TimePadNum are written empty.
    void DeleteAllRecords();

private:
    IProfile& profile_;
    std::string path_;
    int markNum_ = 0;
    std::array<BookmarkLine, settings::kBookmarkKeys> bookmarks_;
    StyleValues style_;
    int fileNum_ = 0;
    std::array<std::string, settings::kRecentFolderKeys + 1> folders_;  // by key, 0 unused
    int timePadNum_ = 0;
    std::array<ReadingRecord, settings::kReadingRecordKeys + 1> records_;  // by key, 0 unused
};

}  // namespace pel
