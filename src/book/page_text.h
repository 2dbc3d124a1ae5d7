// The text of one page as it goes into the page control.
#pragma once
#include <string>
#include <string_view>

namespace pel {

// Copies a range of the book; an LF directly followed by another LF is written as CR, so the pair becomes
// one CR LF line break. The last byte is copied unchanged.
std::string MakePageText(std::string_view range);

}  // namespace pel
