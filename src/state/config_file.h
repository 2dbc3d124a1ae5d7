// CConfigFile: the path of Config.ini and the lists kept in it (bookmarks, recent folders, reading
// records), plus the five Style values read at start-up.
#pragma once
#include <array>
#include <string>

#include "state/bookmark_line.h"
#include "state/profile.h"
#include "state/settings.h"

namespace pel {

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

    // Style: bkcolor, txtcolor, txtfont, txtsize, txthj.
    void LoadStyle();
    const StyleValues& Style() const { return style_; }
    // txtsize and txthj are written only when not negative.
    void SaveStyle(const StyleValues& style);

    // File Dir: FileNum (0..5) and keys 1..FileNum.
    void LoadRecentFolders();
    int FileNum() const { return fileNum_; }
    const std::string& RecentFolder(int number) const;  // 1..FileNum
    bool ListsFolder(const std::string& folder) const;  // byte for byte

    // TimePad: TimePadNum (0..99) and the raw lines of keys 1..TimePadNum.
    void LoadReadingRecords();
    int TimePadNum() const { return timePadNum_; }
    const std::string& ReadingRecordLine(int number) const;  // 1..TimePadNum

private:
    IProfile& profile_;
    std::string path_;
    int markNum_ = 0;
    std::array<BookmarkLine, settings::kBookmarkKeys> bookmarks_;
    StyleValues style_;
    int fileNum_ = 0;
    std::array<std::string, settings::kRecentFolderKeys + 1> folders_;  // by key, 0 unused
    int timePadNum_ = 0;
    std::array<std::string, settings::kReadingRecordKeys + 1> records_;  // by key, 0 unused
};

}  // namespace pel
