#include "state/config_file.h"

#include <algorithm>
#include <utility>

namespace pel {

namespace {

const BookmarkLine kEmptyBookmark{};
const ReadingRecord kEmptyRecord{};
const std::string kEmptyText;

std::string Key(int key) { return std::to_string(key); }

// The stored text of a list entry.
const std::string& RawOf(const std::string& folder) { return folder; }
template <typename Entry>
const std::string& RawOf(const Entry& entry) {
    return entry.raw;
}

// The order of keys 1..key after entry `key` has become the first: [key, 1, 2, .., key - 1].
template <typename Entry, std::size_t N>
std::vector<std::string> RotatedToFront(const std::array<Entry, N>& entries, int key) {
    std::vector<std::string> lines;
    lines.push_back(RawOf(entries[static_cast<std::size_t>(key)]));
    for (int k = 1; k < key; ++k) lines.push_back(RawOf(entries[static_cast<std::size_t>(k)]));
    return lines;
}

// Keys 1..count after entry `key` has gone: the later ones move up and the last becomes empty.
template <typename Entry, std::size_t N>
std::vector<std::string> WithoutEntry(const std::array<Entry, N>& entries, int key, int count) {
    std::vector<std::string> lines;
    for (int k = 1; k <= count; ++k) {
        if (k != key) lines.push_back(RawOf(entries[static_cast<std::size_t>(k)]));
    }
    lines.push_back("");
    return lines;
}

}  // namespace

std::string ConfigPathFromModule(const std::string& moduleFileName) {
    std::size_t folderEnd = 0;
    for (std::size_t i = 0; i < moduleFileName.size();) {
        const unsigned char b = static_cast<unsigned char>(moduleFileName[i]);
        if (IsCp936LeadByte(b) && i + 1 < moduleFileName.size()) {
            i += 2;
            continue;
        }
        if (b == '\\') folderEnd = i + 1;
        ++i;
    }
    return moduleFileName.substr(0, folderEnd) + "Config.ini";
}

CConfigFile::CConfigFile(IProfile& profile, std::string iniPath)
    : profile_(profile), path_(std::move(iniPath)) {}

void CConfigFile::LoadBookmarks() {
    markNum_ = ReadSetting(profile_, path_, settings::kMarkNum);
    for (auto& line : bookmarks_) line = BookmarkLine{};
    for (int key = 0; key <= markNum_; ++key) {
        const std::string raw =
            profile_.ReadString(path_, settings::kBookMarkSection, std::to_string(key), "");
        bookmarks_[static_cast<std::size_t>(key)] = ParseBookmarkLine(key, raw);
    }
}

const BookmarkLine& CConfigFile::BookmarkEntry(int key) const {
    if (key < 0 || key >= settings::kBookmarkKeys) return kEmptyBookmark;
    return bookmarks_[static_cast<std::size_t>(key)];
}

bool CConfigFile::SaveLastReadEntry(const std::string& fileName, int page, const std::string& bookPath,
                                    const LocalTime& now) {
    return profile_.WriteString(path_, settings::kBookMarkSection, "0",
                                FormatLastReadEntry(fileName, page, now, bookPath));
}

bool CConfigFile::AppendBookmark(const std::string& line) {
    const int count = markNum_ + 1;
    if (count >= settings::kBookmarkKeys) return false;
    WriteSetting(profile_, path_, settings::kMarkNum, count);
    profile_.WriteString(path_, settings::kBookMarkSection, Key(count), line);
    LoadBookmarks();
    if (count <= markNum_) MoveBookmarkToFront(count);
    return true;
}

void CConfigFile::MoveBookmarkToFront(int key) {
    if (key < 1 || key > markNum_) return;
    const std::vector<std::string> lines = RotatedToFront(bookmarks_, key);
    for (int k = 1; k <= key; ++k) {
        profile_.WriteString(path_, settings::kBookMarkSection, Key(k),
                             lines[static_cast<std::size_t>(k - 1)]);
    }
    LoadBookmarks();
}

void CConfigFile::DeleteBookmark(int key) {
    if (key < 1 || key > markNum_) return;
    const int count = markNum_;
    const std::vector<std::string> lines = WithoutEntry(bookmarks_, key, count);
    for (int k = 1; k <= count; ++k) {
        profile_.WriteString(path_, settings::kBookMarkSection, Key(k),
                             lines[static_cast<std::size_t>(k - 1)]);
    }
    WriteSetting(profile_, path_, settings::kMarkNum, count - 1);
    LoadBookmarks();
}

void CConfigFile::DeleteAllBookmarks() {
    const int count = markNum_;
    profile_.WriteString(path_, settings::kBookMarkSection, settings::kMarkNum.key, "");
    for (int k = 1; k <= count; ++k) profile_.WriteString(path_, settings::kBookMarkSection, Key(k), "");
    LoadBookmarks();
}

std::vector<MenuEntry> CConfigFile::BookmarkMenu(int idBase) const {
    std::vector<MenuEntry> menu;
    for (int k = 1; k <= markNum_; ++k) {
        menu.push_back(
            {idBase + k, std::to_string(k) + ". " + bookmarks_[static_cast<std::size_t>(k)].label});
    }
    return menu;
}

void CConfigFile::LoadStyle() {
    style_.backColor = ReadSetting(profile_, path_, settings::kBkColor);
    style_.textColor = ReadSetting(profile_, path_, settings::kTxtColor);
    style_.fontName = ReadTextSetting(profile_, path_, settings::kTxtFont);
    style_.textSize = ReadSetting(profile_, path_, settings::kTxtSize);
    style_.lineSpacing = ReadSetting(profile_, path_, settings::kTxtHj);
}

void CConfigFile::SaveStyle(const StyleValues& style) {
    WriteSetting(profile_, path_, settings::kBkColor, style.backColor);
    WriteSetting(profile_, path_, settings::kTxtColor, style.textColor);
    WriteTextSetting(profile_, path_, settings::kTxtFont, style.fontName);
    if (style.textSize >= 0) WriteSetting(profile_, path_, settings::kTxtSize, style.textSize);
    if (style.lineSpacing >= 0) WriteSetting(profile_, path_, settings::kTxtHj, style.lineSpacing);
}

void CConfigFile::LoadRecentFolders() {
    fileNum_ = ReadSetting(profile_, path_, settings::kFileNum);
    for (auto& folder : folders_) folder.clear();
    for (int key = 1; key <= fileNum_; ++key) {
        folders_[static_cast<std::size_t>(key)] =
            profile_.ReadString(path_, settings::kFileDirSection, std::to_string(key), "");
    }
}

const std::string& CConfigFile::RecentFolder(int number) const {
    if (number < 1 || number > fileNum_) return kEmptyText;
    return folders_[static_cast<std::size_t>(number)];
}

bool CConfigFile::ListsFolder(const std::string& folder) const {
    for (int key = 1; key <= fileNum_; ++key) {
        if (folders_[static_cast<std::size_t>(key)] == folder) return true;
    }
    return false;
}

void CConfigFile::MoveRecentFolderToFront(int number) {
    if (number < 1 || number > fileNum_) return;
    const std::vector<std::string> lines = RotatedToFront(folders_, number);
    for (int k = 1; k <= number; ++k) {
        profile_.WriteString(path_, settings::kFileDirSection, Key(k),
                             lines[static_cast<std::size_t>(k - 1)]);
    }
    LoadRecentFolders();
}

void CConfigFile::DeleteRecentFolder(int number) {
    if (number < 1 || number > fileNum_) return;
    const int count = fileNum_;
    const std::vector<std::string> lines = WithoutEntry(folders_, number, count);
    for (int k = number; k <= count; ++k) {
        profile_.WriteString(path_, settings::kFileDirSection, Key(k),
                             lines[static_cast<std::size_t>(k - 1)]);
    }
    WriteSetting(profile_, path_, settings::kFileNum, count - 1);
    LoadRecentFolders();
}

void CConfigFile::ClearRecentFolders() {
    profile_.WriteString(path_, settings::kFileDirSection, settings::kFileNum.key, "");
    for (int k = 1; k <= settings::kRecentFolderKeys; ++k) {
        profile_.WriteString(path_, settings::kFileDirSection, Key(k) + " ", "");
    }
    LoadRecentFolders();
}

bool CConfigFile::AddRecentFolder(const std::string& folder) {
    if (folder.empty() || ListsFolder(folder)) return false;
    // The slot after the list as it stands now: a count remembered from earlier in the run would leave
    // empty entries behind once folders were deleted or the list cleared in between.
    const int count = std::min(fileNum_ + 1, settings::kRecentFolderKeys);
    WriteSetting(profile_, path_, settings::kFileNum, count);
    profile_.WriteString(path_, settings::kFileDirSection, Key(count), folder);
    LoadRecentFolders();
    MoveRecentFolderToFront(count);
    return true;
}

std::vector<MenuEntry> CConfigFile::RecentFolderMenu(int idBase) const {
    std::vector<MenuEntry> menu;
    for (int k = 1; k <= fileNum_; ++k) {
        menu.push_back({idBase + k, std::to_string(k) + " " + folders_[static_cast<std::size_t>(k)]});
    }
    return menu;
}

void CConfigFile::LoadReadingRecords() {
    timePadNum_ = ReadSetting(profile_, path_, settings::kTimePadNum);
    for (auto& record : records_) record = ReadingRecord{};
    for (int key = 1; key <= timePadNum_; ++key) {
        records_[static_cast<std::size_t>(key)] =
            ParseReadingRecord(profile_.ReadString(path_, settings::kTimePadSection, Key(key), ""));
    }
}

const ReadingRecord& CConfigFile::Record(int key) const {
    if (key < 1 || key > timePadNum_) return kEmptyRecord;
    return records_[static_cast<std::size_t>(key)];
}

int CConfigFile::FindRecord(const std::string& name) const {
    for (int key = 1; key <= timePadNum_; ++key) {
        if (records_[static_cast<std::size_t>(key)].name == name) return key;
    }
    return 0;
}

void CConfigFile::StoreRecord(int count, int key, const std::string& line) {
    if (key < 1 || key > settings::kReadingRecordKeys) return;
    WriteSetting(profile_, path_, settings::kTimePadNum,
                 std::clamp(count, key, settings::kReadingRecordKeys));
    profile_.WriteString(path_, settings::kTimePadSection, Key(key), line);
    LoadReadingRecords();
}

void CConfigFile::MoveRecordToFront(int key) {
    if (key < 1 || key > timePadNum_) return;
    const std::vector<std::string> lines = RotatedToFront(records_, key);
    for (int k = 1; k <= key; ++k) {
        profile_.WriteString(path_, settings::kTimePadSection, Key(k),
                             lines[static_cast<std::size_t>(k - 1)]);
    }
    LoadReadingRecords();
}

void CConfigFile::DeleteRecord(int key) {
    if (key < 1 || key > timePadNum_) return;
    const int count = timePadNum_;
    const std::vector<std::string> lines = WithoutEntry(records_, key, count);
    for (int k = 1; k <= count; ++k) {
        profile_.WriteString(path_, settings::kTimePadSection, Key(k),
                             lines[static_cast<std::size_t>(k - 1)]);
    }
    WriteSetting(profile_, path_, settings::kTimePadNum, count - 1);
    LoadReadingRecords();
}

void CConfigFile::DeleteAllRecords() {
    const int count = timePadNum_;
    profile_.WriteString(path_, settings::kTimePadSection, settings::kTimePadNum.key, "");
    for (int k = 1; k <= count; ++k) profile_.WriteString(path_, settings::kTimePadSection, Key(k), "");
    LoadReadingRecords();
}

}  // namespace pel
