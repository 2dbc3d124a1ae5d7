// Text conversions of the driver: everything it prints is UTF-8.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

std::string ToUtf8(std::wstring_view text);
std::wstring FromCodePage(std::string_view bytes, UINT codePage);

// A text on one line: CR, LF, TAB and the backslash written as escapes, so that whole texts compare exactly.
std::wstring Escaped(const std::wstring& text);

// Writes UTF-8 bytes to standard output unchanged (no console code-page translation).
void PrintUtf8(std::string_view text);
void PrintLine(std::wstring_view text);
void PrintError(std::wstring_view text);
