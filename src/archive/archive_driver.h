// The archive driver: finds HaoZipC.exe, lists an archive's .txt members for the library sidebar and
// extracts one member into temp\ beside the program for OpenBook. The platform comes in through three
// small interfaces, so the whole road runs in tests without Windows.
#pragma once
#include <string>
#include <vector>

#include "archive/listing.h"
#include "state/profile.h"

namespace pel {

// Starting the extractor and waiting for it.
class IProcessRunner {
public:
    virtual ~IProcessRunner() = default;
    // Starts the command line with its window hidden; false when the start was refused.
    virtual bool StartHidden(const std::string& commandLine) = 0;
    // True while the work started last is still going on (by its process handle or by a process named
    // exactly "HaoZipC.exe"); false once it has ended or when that cannot be learnt.
    virtual bool ExtractorRunning() = 0;
    virtual void Sleep(int milliseconds) = 0;
    // Ends the work started last, with everything it started in turn.
    virtual void StopExtractor() {}
};

// The files the driver touches: the extractor, temp\, the list file and the extracted member.
class IArchiveFiles {
public:
    virtual ~IArchiveFiles() = default;
    virtual bool FileExists(const std::string& path) = 0;    // an existing file, not a folder
    virtual bool CreateFolder(const std::string& path) = 0;  // true also when it exists already
    virtual bool ReadAll(const std::string& path, std::string& bytes) = 0;
    virtual bool RemoveFile(const std::string& path) = 0;  // true also when there was none
};

// What the driver asks of the view.
class IArchiveHost {
public:
    virtual ~IArchiveHost() = default;
    // A message box with an OK button.
    virtual void ShowMessage(const std::string& text) = 0;
    // The open-file dialog for the extractor: title kBrowseExtractorTitle, the one filter
    // kBrowseExtractorFilter with pattern kBrowseExtractorPattern, read-only box hidden. The chosen
    // file's full path, or empty when the reader cancels. A folder may be returned instead: its
    // HaoZipC.exe is then taken when it is there.
    virtual std::string BrowseForExtractor() = 0;
    // The notice shown while a long extraction goes on (kMsgExtractorWorking), with a button that gives
    // up; shown with true, taken away with false.
    virtual void ShowWaitNotice(bool /*shown*/) {}
    // Handles the notice's messages; true once the reader has given up.
    virtual bool ReaderGaveUp() { return false; }
};

inline constexpr char kHaoZipSection[] = "Check";
inline constexpr char kHaoZipKey[] = "HaoZpath";
inline constexpr char kExtractorDefaultC[] = "c:\\program files\\haozip\\haozipc.exe";
inline constexpr char kExtractorDefaultD[] = "d:\\program files\\haozip\\haozipc.exe";
inline constexpr char kExtractorProcessName[] = "HaoZipC.exe";
inline constexpr int kExtractorPollMs = 200;
// After this many polls that found the extractor still running (about 4.2 s) the wait shows its notice and
// goes on until the extractor ends or the reader gives up.
inline constexpr int kExtractorPollLimit = 20;
// Until the window offers its give-up button, a wait that has gone on this long (five minutes) gives up by
// itself, so an extractor that never ends cannot hold the reader for good.
inline constexpr int kExtractorGiveUpPolls = 1500;

inline constexpr char kBrowseExtractorTitle[] = "打开好压压缩命令行 HaoZipC.exe 位置";
inline constexpr char kBrowseExtractorFilter[] = "好压压缩命令行(HaoZipC.exe)";
inline constexpr char kBrowseExtractorPattern[] = "*.exe";

inline constexpr char kMsgSetExtractor[] = "请设定 好压压缩命令行 HaoZipC.exe 位置";
inline constexpr char kMsgStartRefused[] = "Wrong!";
inline constexpr char kMsgExtractorTimeout[] = "解压超时出错！请强制结束HaoZipC.exe进程！";
inline constexpr char kMsgExtractFailed[] = "文件解压失败！";
inline constexpr char kMsgExtractorWorking[] =
    "正在解压，请稍候……\n压缩包较大时需要较长时间；按“取消”结束解压。";
// The extractor that comes with the program, looked for beside it when no other one is set.
inline constexpr char kExtractorBesideProgram[] = "HaoZipC.exe";
inline constexpr char kMsgTooManyMembers[] = "压缩包txt文件总数大于2000！只提取其中2000项！";
inline constexpr char kMsgNoMembers[] = "压缩包未找到txt文件！";
// Refusals of paths that could run other commands or write outside temp\; the path follows the text.
inline constexpr char kMsgUnsafePath[] =
    "路径含有命令行无法传递的字符（双引号、两个以上的%或控制字符），无法调用好压：\n";
inline constexpr char kMsgUnsafeMember[] = "压缩包内的文件名不安全，拒绝解压：\n";
// "%d" is the number of .txt members left out of the sidebar.
inline constexpr char kMsgUnsafeMembersSkipped[] = "压缩包中有%d个txt文件的文件名不安全，未列出！";

// One member for the sidebar: its path inside the archive and the name shown.
struct ArchiveMember {
    std::string path;
    std::string displayName;
};

enum class WaitOutcome { kEnded, kTimedOut };

class CArchiveDriver {
public:
    // `programDir` ends with a backslash; `iniPath` is Config.ini.
    CArchiveDriver(IProfile& profile, std::string iniPath, std::string programDir, IArchiveFiles& files,
                   IProcessRunner& runner, IArchiveHost& host);

    // Once at start-up: Check/HaoZpath, else the first of the two default places that holds the file
    // (then written to HaoZpath at once), else HaoZipC.exe beside the program (not written: the folder
    // may move).
    void LocateExtractor();
    const std::string& ExtractorPath() const { return extractorPath_; }

    // Lists the archive's .txt members. True when there were any: Members() holds them, ListedArchive()
    // is the archive (the sidebar's LibraryFolder) and the listing is active. False after a message, or
    // silently when the reader cancelled the browse dialog; the sidebar is then left as it was.
    bool ListArchive(const std::string& archivePath);

    // Extracts the member that `bookPath` ("archive|member") names into temp\. True when the file is
    // there afterwards, at ExtractedPathOf(bookPath); false after a message (or a cancelled browse).
    bool ExtractArchiveMember(const std::string& bookPath);
    // ProgramDir, "temp\" and the member's file name; empty when `bookPath` holds no '|'.
    std::string ExtractedPathOf(const std::string& bookPath) const;

    // Sleeps 200 ms steps while the extractor runs; from the 21st poll on with the notice shown, until the
    // extractor ends or the reader gives up (the extractor is then ended).
    WaitOutcome WaitForExtractor();

    // The archive member count: above 0 while the sidebar lists an archive's members.
    int MemberCount() const { return static_cast<int>(members_.size()); }
    bool ListingActive() const { return !members_.empty(); }
    // A book without '|' was loaded, or a folder was listed.
    void ResetListing() { members_.clear(); }
    const std::vector<ArchiveMember>& Members() const { return members_; }
    const std::string& ListedArchive() const { return listedArchive_; }
    // The book path of sidebar line `index` while the listing is active; empty otherwise.
    std::string MemberBookPathAt(int index) const;

private:
    // The extractor path names a file, or the reader has just chosen one.
    bool EnsureExtractor();
    // Shows kMsgUnsafePath for the first of the paths that may not go into a command line.
    bool CommandLinePathsSafe(const std::string& archivePath);
    void WriteExtractorPath(const std::string& path);
    // The extractor wrote no listing at all: it is no HaoZipC.exe, and the reader is asked again next time.
    void ForgetExtractor();

    IProfile& profile_;
    std::string iniPath_;
    std::string programDir_;
    IArchiveFiles& files_;
    IProcessRunner& runner_;
    IArchiveHost& host_;
    std::string extractorPath_;
    std::vector<ArchiveMember> members_;
    std::string listedArchive_;
};

}  // namespace pel
