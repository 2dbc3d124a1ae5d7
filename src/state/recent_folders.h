// Recent folders: the submenu "最近文件夹" of the file menu, opening one of its folders in the library
// sidebar and "清除最近文件夹". The list itself lives in CConfigFile (section File Dir).
#pragma once
#include <string>
#include <vector>

#include "state/config_file.h"

namespace pel {

// Folder k of the list opens by kOpenRecentFolderIdBase + k (57617 .. 57621).
constexpr int kOpenRecentFolderIdBase = 57616;
constexpr int kCmdClearRecentFolders = 57631;
// The item the submenu holds before its first rebuild.
constexpr int kRecentFolderPlaceholderId = 57625;

// What the recent-folder commands ask of the view.
class IRecentFolderHost {
public:
    virtual ~IRecentFolderHost() = default;
    // Modal box; `flags` are the platform's MB_* values, the result its ID* value.
    virtual int MessageBox(const std::string& text, const std::string& caption, unsigned flags) = 0;
    virtual bool FolderExists(const std::string& folder) = 0;
    // The library lists the folder: it becomes the sidebar's folder and the list holds the names of
    // the plain files matching folder + "\*.txt"; an archive listing is dropped together with the page
    // text, and a hidden sidebar is shown.
    virtual void ListFolderInLibrary(const std::string& folder) = 0;
    // Remove the placeholder 57625 and the items 57617..57621 of "最近文件夹", then append these.
    virtual void RebuildRecentFolderMenu(const std::vector<MenuEntry>& entries) = 0;
};

class RecentFolderCommands {
public:
    RecentFolderCommands(CConfigFile& config, IRecentFolderHost& host);

    // 57617..57621 and 57631; false for any other id (and for a folder number the list lacks).
    bool OnCommand(int id);

    // Reads the list again and rebuilds the submenu: at start-up, after the view's settings are read.
    void Load();
    // Recent folder `number` (1..FileNum) is listed in the library and moves to the front; a folder
    // that no longer exists is offered for deletion instead. Returns the folder listed, or "".
    std::string Open(int number);
    // The list is emptied and so is the submenu.
    void Clear();

private:
    CConfigFile& config_;
    IRecentFolderHost& host_;
};

}  // namespace pel
