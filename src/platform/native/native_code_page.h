// Code-page conversions without Windows: strict UTF-8 decoding, and UTF-16 to CP936 through a table of all
// 65,536 units built once from the C library's iconv.
#pragma once
#include "book/platform.h"

namespace pel {

class NativeCodePage : public ICodePage {
public:
    std::string Utf16ToCp936(std::u16string_view text) override;
    bool Utf8ToUtf16(std::string_view text, std::u16string& out) override;
};

}  // namespace pel
