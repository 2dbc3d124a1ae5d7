#include "state/config_file.h"

#include <utility>

namespace pel {

namespace {

const BookmarkLine kEmptyBookmark{};
const std::string kEmptyText;

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

void CConfigFile::LoadReadingRecords() {
    timePadNum_ = ReadSetting(profile_, path_, settings::kTimePadNum);
    for (auto& record : records_) record.clear();
    for (int key = 1; key <= timePadNum_; ++key) {
        records_[static_cast<std::size_t>(key)] =
            profile_.ReadString(path_, settings::kTimePadSection, std::to_string(key), "");
    }
}

const std::string& CConfigFile::ReadingRecordLine(int number) const {
    if (number < 1 || number > timePadNum_) return kEmptyText;
    return records_[static_cast<std::size_t>(number)];
}

}  // namespace pel
