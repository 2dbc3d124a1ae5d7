#include "archive/command_lines.h"

#include "archive/archive_paths.h"

namespace pel {

namespace {

std::string Quoted(const std::string& text) { return "\"" + text + "\""; }

// Pieces 1 to 4 of both lines: the interpreter, the extractor's drive and its folder.
std::string EnterExtractorFolder(const std::string& extractorPath) {
    // /D: no AutoRun command of the registry runs before ours.
    return "cmd.exe /D /C " + ExtractorDriveOf(extractorPath) + ":& cd " +
           Quoted(ExtractorFolderOf(extractorPath));
}

}  // namespace

std::string ListingCommandLine(const std::string& extractorPath, const std::string& archivePath,
                               const std::string& programDir) {
    return EnterExtractorFolder(extractorPath) + "& haozipc l " + Quoted(archivePath) + " -y -r0 *.txt >" +
           Quoted(ListFilePathOf(programDir));
}

std::string ExtractionCommandLine(const std::string& extractorPath, const std::string& archivePath,
                                  const std::string& memberPath, const std::string& programDir) {
    return EnterExtractorFolder(extractorPath) + "& haozipc e " + Quoted(archivePath) + " -y -o" +
           Quoted(WorkFolderOf(programDir)) + " " + Quoted(memberPath);
}

std::string WorkFolderOf(const std::string& programDir) { return programDir + "temp"; }

std::string ListFilePathOf(const std::string& programDir) { return programDir + "temp\\rarlist.txt"; }

std::string ExtractedMemberPath(const std::string& programDir, const std::string& memberPath) {
    return programDir + "temp\\" + MemberFileName(memberPath);
}

}  // namespace pel
