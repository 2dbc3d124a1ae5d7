// The page text that goes back into the book file, and the file name that save-as writes to.
#pragma once
#include <string>
#include <string_view>

namespace pel {

// The page as it is saved. `original` is the page in BookText, `shown` what went into the page control
// for it (the same bytes with LF LF pairs written as CR LF, so of the same length), `edited` the control's
// text now. The control's text is saved, except that every stretch the reader left as it was shown is
// written with the book's own bytes, so an LF-only book keeps its line ends where it was not edited.
std::string RestoreUneditedBytes(std::string_view original, std::string_view shown, std::string_view edited);

// The file save-as writes: `chosen` without blanks at its end, every ".txt" and then every ".TXT" taken out
// of its file name (the part after the last backslash), and ".txt" added.
std::string SaveAsPath(const std::string& chosen);
// `chosen` without blanks at its end.
std::string TrimmedPath(const std::string& chosen);

// Two paths name the same file as Windows compares names: ASCII letters without regard to case, a
// double-byte character byte for byte.
bool SamePath(std::string_view a, std::string_view b);

}  // namespace pel
