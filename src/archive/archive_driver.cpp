#include "archive/archive_driver.h"

#include <cstdio>
#include <utility>

#include "archive/archive_paths.h"
#include "archive/command_lines.h"

namespace pel {

CArchiveDriver::CArchiveDriver(IProfile& profile, std::string iniPath, std::string programDir,
                               IArchiveFiles& files, IProcessRunner& runner, IArchiveHost& host)
    : profile_(profile),
      iniPath_(std::move(iniPath)),
      programDir_(std::move(programDir)),
      files_(files),
      runner_(runner),
      host_(host) {}

void CArchiveDriver::LocateExtractor() {
    extractorPath_ = profile_.ReadString(iniPath_, kHaoZipSection, kHaoZipKey, "");
    if (!extractorPath_.empty()) return;
    for (const char* place : {kExtractorDefaultC, kExtractorDefaultD}) {
        if (files_.FileExists(place)) {
            WriteExtractorPath(place);
            return;
        }
    }
    const std::string beside = programDir_ + kExtractorBesideProgram;
    if (files_.FileExists(beside)) extractorPath_ = beside;
}

void CArchiveDriver::ForgetExtractor() {
    if (extractorPath_.empty()) return;
    extractorPath_.clear();
    if (!profile_.ReadString(iniPath_, kHaoZipSection, kHaoZipKey, "").empty())
        profile_.WriteString(iniPath_, kHaoZipSection, kHaoZipKey, "");
}

void CArchiveDriver::WriteExtractorPath(const std::string& path) {
    extractorPath_ = path;
    profile_.WriteString(iniPath_, kHaoZipSection, kHaoZipKey, path);
}

bool CArchiveDriver::EnsureExtractor() {
    if (!extractorPath_.empty() && files_.FileExists(extractorPath_)) return true;
    host_.ShowMessage(kMsgSetExtractor);
    std::string chosen = host_.BrowseForExtractor();
    if (chosen.empty()) return false;
    // A host that asks for the extractor's folder instead of the file gets the file in that folder.
    if (!files_.FileExists(chosen)) {
        const std::string inFolder = JoinPath(chosen, kExtractorProcessName);
        if (files_.FileExists(inFolder)) chosen = inFolder;
    }
    WriteExtractorPath(chosen);
    return true;
}

bool CArchiveDriver::CommandLinePathsSafe(const std::string& archivePath) {
    // The extractor folder is empty for a path without a backslash; `cd ""` is harmless.
    const std::string folder = ExtractorFolderOf(extractorPath_);
    const std::string* unsafe = nullptr;
    if (!IsSafeForCommandLine(archivePath)) {
        unsafe = &archivePath;
    } else if (!folder.empty() && !IsSafeForCommandLine(folder)) {
        unsafe = &folder;
    } else if (!IsSafeForCommandLine(programDir_)) {
        unsafe = &programDir_;
    }
    if (unsafe) host_.ShowMessage(kMsgUnsafePath + *unsafe);
    return unsafe == nullptr;
}

WaitOutcome CArchiveDriver::WaitForExtractor() {
    int polls = 0;
    bool noticeShown = false;
    for (;;) {
        runner_.Sleep(kExtractorPollMs);
        const bool running = runner_.ExtractorRunning();
        if (!running) {
            if (noticeShown) host_.ShowWaitNotice(false);
            return WaitOutcome::kEnded;
        }
        if (++polls <= kExtractorPollLimit) continue;
        // A big archive takes its time: the wait goes on while the reader sees why, and ends the
        // extractor when the reader gives up rather than leaving it running hidden.
        if (!noticeShown) {
            host_.ShowWaitNotice(true);
            noticeShown = true;
        }
        if (host_.ReaderGaveUp() || polls >= kExtractorGiveUpPolls) {
            runner_.StopExtractor();
            host_.ShowWaitNotice(false);
            return WaitOutcome::kTimedOut;
        }
    }
}

bool CArchiveDriver::ListArchive(const std::string& archivePath) {
    if (!EnsureExtractor()) return false;
    if (!CommandLinePathsSafe(archivePath)) return false;
    files_.CreateFolder(WorkFolderOf(programDir_));
    // A list file left by an earlier listing must never be taken for this archive's.
    const std::string listFile = ListFilePathOf(programDir_);
    files_.RemoveFile(listFile);
    if (!runner_.StartHidden(ListingCommandLine(extractorPath_, archivePath, programDir_))) {
        host_.ShowMessage(kMsgStartRefused);
        return false;
    }
    // A list file still being written is not read.
    if (WaitForExtractor() == WaitOutcome::kTimedOut) return false;

    std::string bytes;
    if (!files_.ReadAll(listFile, bytes)) {
        host_.ShowMessage(kMsgExtractFailed);
        ForgetExtractor();
        return false;
    }
    const ArchiveListing listing = ParseArchiveListing(bytes);
    if (listing.status != ArchiveListing::Status::kListed) {
        host_.ShowMessage(kMsgExtractFailed);
        // A listing that began and broke off came from a real extractor (a damaged archive); output
        // without the header did not.
        if (listing.status == ArchiveListing::Status::kNotListing) ForgetExtractor();
        return false;
    }
    if (listing.truncated) host_.ShowMessage(kMsgTooManyMembers);
    if (listing.unsafeMembers > 0) {
        char text[128];
        std::snprintf(text, sizeof text, kMsgUnsafeMembersSkipped, listing.unsafeMembers);
        host_.ShowMessage(text);
    }
    if (listing.members.empty()) {
        host_.ShowMessage(kMsgNoMembers);
        members_.clear();
        return false;
    }
    members_.clear();
    members_.reserve(listing.members.size());
    for (const std::string& path : listing.members) members_.push_back({path, MemberFileName(path)});
    listedArchive_ = archivePath;
    return true;
}

std::string CArchiveDriver::ExtractedPathOf(const std::string& bookPath) const {
    std::string archivePath, memberPath;
    if (!SplitMemberBookPath(bookPath, archivePath, memberPath)) return {};
    return ExtractedMemberPath(programDir_, memberPath);
}

bool CArchiveDriver::ExtractArchiveMember(const std::string& bookPath) {
    std::string archivePath, memberPath;
    if (!SplitMemberBookPath(bookPath, archivePath, memberPath)) return false;
    // A book path may come from Config.ini (bookmarks, reading records) as well as from the listing.
    if (!IsSafeMemberPath(memberPath)) {
        host_.ShowMessage(kMsgUnsafeMember + memberPath);
        return false;
    }
    if (!EnsureExtractor()) return false;
    if (!CommandLinePathsSafe(archivePath)) return false;
    files_.CreateFolder(WorkFolderOf(programDir_));
    // A file of the same name from an earlier extraction must not pass for this member.
    const std::string extracted = ExtractedMemberPath(programDir_, memberPath);
    files_.RemoveFile(extracted);
    if (!runner_.StartHidden(ExtractionCommandLine(extractorPath_, archivePath, memberPath, programDir_))) {
        host_.ShowMessage(kMsgStartRefused);
        return false;
    }
    if (WaitForExtractor() == WaitOutcome::kTimedOut) {
        // Whatever the ended extractor left is half a member.
        files_.RemoveFile(extracted);
        return false;
    }
    if (!files_.FileExists(extracted)) {
        host_.ShowMessage(kMsgExtractFailed);
        return false;
    }
    return true;
}

std::string CArchiveDriver::MemberBookPathAt(int index) const {
    if (index < 0 || index >= MemberCount()) return {};
    return MemberBookPath(listedArchive_, members_[static_cast<std::size_t>(index)].path);
}

}  // namespace pel
