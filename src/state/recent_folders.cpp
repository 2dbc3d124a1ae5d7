#include "state/recent_folders.h"

#include "book/message_flags.h"

namespace pel {

RecentFolderCommands::RecentFolderCommands(CConfigFile& config, IRecentFolderHost& host)
    : config_(config), host_(host) {}

bool RecentFolderCommands::OnCommand(int id) {
    if (id == kCmdClearRecentFolders) {
        Clear();
        return true;
    }
    const int number = id - kOpenRecentFolderIdBase;
    if (number < 1 || number > settings::kRecentFolderKeys) return false;
    Open(number);
    return true;
}

void RecentFolderCommands::Load() {
    config_.LoadRecentFolders();
    host_.RebuildRecentFolderMenu(config_.RecentFolderMenu(kOpenRecentFolderIdBase));
}

std::string RecentFolderCommands::Open(int number) {
    if (number < 1 || number > config_.FileNum()) return "";
    const std::string folder = config_.RecentFolder(number);
    if (!host_.FolderExists(folder)) {
        if (host_.MessageBox("路径不存在！是否删除？", kAppCaption, kMbOkCancel | kMbIconExclamation) ==
            kIdOk) {
            config_.DeleteRecentFolder(number);
            Load();
        }
        return "";
    }
    host_.ListFolderInLibrary(folder);
    config_.MoveRecentFolderToFront(number);
    Load();
    return folder;
}

void RecentFolderCommands::Clear() {
    config_.ClearRecentFolders();
    Load();
}

}  // namespace pel
