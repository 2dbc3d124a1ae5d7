// The two command lines that drive HaoZipC.exe through the command interpreter: change to the
// extractor's drive and folder, then list an archive's .txt members into temp\rarlist.txt, or extract
// one member into temp\ under its bare file name.
#pragma once
#include <string>

namespace pel {

// The platform starts the system's own interpreter by its full path; "cmd.exe" is only its first word.
// "cmd.exe /D /C D:& cd "<folder>"& haozipc l "<archive>" -y -r0 *.txt >"<ProgramDir>temp\rarlist.txt""
std::string ListingCommandLine(const std::string& extractorPath, const std::string& archivePath,
                               const std::string& programDir);
// "cmd.exe /D /C D:& cd "<folder>"& haozipc e "<archive>" -y -o"<ProgramDir>temp" "<member>""
std::string ExtractionCommandLine(const std::string& extractorPath, const std::string& archivePath,
                                  const std::string& memberPath, const std::string& programDir);

// The work folder beside the program ("temp", no final backslash) and the files in it.
std::string WorkFolderOf(const std::string& programDir);
std::string ListFilePathOf(const std::string& programDir);
// Where the extractor puts a member: the work folder and the member's bare file name.
std::string ExtractedMemberPath(const std::string& programDir, const std::string& memberPath);

}  // namespace pel
