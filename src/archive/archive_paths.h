// Paths around the extractor: member book paths ("archive|member"), the names shown and extracted, and the
// checks that keep a member inside temp\ and every path safe inside a command-interpreter line. All paths
// are CP936 bytes, so separators are found character by character: a GBK trail byte may be 0x5C ('\')
// or 0x7C ('|').
#pragma once
#include <cstddef>
#include <string>
#include <string_view>

namespace pel {

// Offset of the first single-byte character `c` of `text` (never a trail byte), or npos.
std::size_t FindFirstChar(std::string_view text, char c);

// A member's book path split at its first '|': the archive path before it, the member path after it.
// False when the path holds no '|'.
bool SplitMemberBookPath(const std::string& bookPath, std::string& archivePath, std::string& memberPath);
// The archive path, '|' and the member path: the BookPath of a book inside an archive.
std::string MemberBookPath(const std::string& archivePath, const std::string& memberPath);
// The part of a member path after its last '\' or '|': the name shown in the sidebar and the name the
// extractor writes into temp\.
std::string MemberFileName(const std::string& memberPath);

// `folder`, a backslash unless it ends with one already, and `name`.
std::string JoinPath(const std::string& folder, const std::string& name);

// The extractor path cut before its last backslash; empty when it has none.
std::string ExtractorFolderOf(const std::string& extractorPath);
// The drive of the extractor path: its first character (two bytes when it is a double-byte one).
std::string ExtractorDriveOf(const std::string& extractorPath);

// A path can be put between straight double quotes in a line for the command interpreter without
// changing its meaning: not empty, no control byte, no double quotation mark (it would end the quoted
// piece and let the rest run as commands), and at most one '%' (two could name a variable that the
// interpreter expands even inside quotes).
bool IsSafeForCommandLine(std::string_view path);

// A member path that may be listed and extracted: safe for the command line, relative (no leading '\',
// no ':' anywhere, so neither a drive nor a stream name), no folder named "..", no character that no
// Windows file name may hold (|, *, ?, <, >, and '/', which the listing writes as '\'), and a file name
// that is not empty, names no device (CON.txt, nul, COM1.txt, ...) and does not end in a dot or a blank.
// Such a member's bare file name can only name a file inside temp\.
bool IsSafeMemberPath(std::string_view memberPath);

}  // namespace pel
