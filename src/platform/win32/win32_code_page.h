// Code-page conversions through the system: the ANSI code page (936) and strict UTF-8.
#pragma once
#include "book/platform.h"

namespace pel {

class Win32CodePage : public ICodePage {
public:
    std::string Utf16ToCp936(std::u16string_view text) override;
    bool Utf8ToUtf16(std::string_view text, std::u16string& out) override;
};

}  // namespace pel
