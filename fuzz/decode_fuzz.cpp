// Encoding detection and the decoding of a whole book, found and in every forced mode.
#include <string>

#include "book/decode.h"
#include "fuzz_input.h"
#include "platform/native/native_code_page.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static pel::NativeCodePage codePage;
    const std::string_view file(reinterpret_cast<const char*>(data), size);

    PEL_FUZZ_CHECK(pel::DetectUtf8(data, static_cast<long long>(size), -1) <= 1);
    PEL_FUZZ_CHECK(pel::DetectUtf8(data, static_cast<long long>(size), 3) <= 1);
    for (bool forceUtf8 : {false, true}) {
        const pel::DetectedEncoding found = pel::DetectEncoding(file, forceUtf8);
        PEL_FUZZ_CHECK(pel::EncodingName(found.encoding)[0] != '\0');
        std::string text = pel::DecodeBook(std::string(file), found, codePage);
        PEL_FUZZ_CHECK(text.find('\0') == std::string::npos);
        PEL_FUZZ_CHECK(pel::CountHighBitBytes(text) <= static_cast<long long>(text.size()));
    }
    for (int encoding :
         {pel::kEncodingAnsi, pel::kEncodingUnicode, pel::kEncodingUnicodeBig, pel::kEncodingUtf8}) {
        for (bool skipMark : {false, true}) {
            pel::DetectedEncoding forced;
            forced.encoding = encoding;
            forced.skipUtf8Mark = skipMark && encoding == pel::kEncodingUtf8;
            std::string text = pel::DecodeBook(std::string(file), forced, codePage);
            PEL_FUZZ_CHECK(text.find('\0') == std::string::npos);
            if (encoding == pel::kEncodingAnsi) PEL_FUZZ_CHECK(text.size() <= size);
        }
    }
    return 0;
}
