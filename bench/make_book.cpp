// pel_make_book ENCODING MEGABYTES OUTPUT [LINES_PER_CHAPTER [digits]]: writes a novel-like book of at
// most MEGABYTES (whole lines). ENCODING is gbk, utf8 or utf16le (the UTF-16 book starts with its
// byte-order mark). The text has 第…章 headings every LINES_PER_CHAPTER lines (80 unless given), numbered
// in Chinese numerals or, with "digits", in ASCII digits (第123章), and lines of 50 Chinese characters with
// punctuation, ended by CR LF.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "platform/native/native_code_page.h"

namespace {

const char16_t kPool[] =
    u"天地玄黄宇宙洪荒日月盈昃辰宿列张寒来暑往秋收冬藏闰余成岁律吕调阳云腾致雨露结为霜金生丽水玉出昆冈"
    u"剑号巨阙珠称夜光果珍李柰菜重芥姜海咸河淡鳞潜羽翔龙师火帝鸟官人皇始制文字乃服衣裳推位让国有虞陶唐"
    u"他说我们你的是在不了有和人这中大为上个国到以说时要就出会可也而子得于自之年着下过生能对后多么学那";
const char16_t* const kDigits = u"零一二三四五六七八九";

std::u16string ChineseNumber(int n) {
    std::u16string s;
    const int thousands = n / 1000, hundreds = n / 100 % 10, tens = n / 10 % 10, ones = n % 10;
    if (thousands) s += std::u16string(1, kDigits[thousands]) + u"千";
    if (hundreds)
        s += std::u16string(1, kDigits[hundreds]) + u"百";
    else if (thousands && (tens || ones))
        s += u"零";
    if (tens)
        s += (tens == 1 && n < 20 ? std::u16string() : std::u16string(1, kDigits[tens])) + u"十";
    else if (hundreds && ones)
        s += u"零";
    if (ones) s += kDigits[ones];
    return s;
}

void AppendUtf8(std::string& out, const std::u16string& text) {
    for (char16_t u : text) {
        if (u < 0x80) {
            out.push_back(static_cast<char>(u));
        } else if (u < 0x800) {
            out.push_back(static_cast<char>(0xC0 | u >> 6));
            out.push_back(static_cast<char>(0x80 | (u & 0x3F)));
        } else {
            out.push_back(static_cast<char>(0xE0 | u >> 12));
            out.push_back(static_cast<char>(0x80 | (u >> 6 & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (u & 0x3F)));
        }
    }
}

void AppendUtf16Le(std::string& out, const std::u16string& text) {
    for (char16_t u : text) {
        out.push_back(static_cast<char>(u & 0xFF));
        out.push_back(static_cast<char>(u >> 8));
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 4 || argc > 6) {
        std::fprintf(stderr,
                     "usage: pel_make_book gbk|utf8|utf16le MEGABYTES OUTPUT [LINES_PER_CHAPTER [digits]]\n");
        return 2;
    }
    const std::string encoding = argv[1];
    const long long target = std::atoll(argv[2]) * 1024 * 1024;
    const long long chapterLines = argc > 4 ? std::atoll(argv[4]) : 80;
    const bool digits = argc > 5 && std::strcmp(argv[5], "digits") == 0;
    if ((encoding != "gbk" && encoding != "utf8" && encoding != "utf16le") || target <= 0 ||
        chapterLines < 1 || (argc > 5 && !digits)) {
        std::fprintf(stderr, "pel_make_book: bad encoding, size, chapter length or numbering\n");
        return 2;
    }
    std::FILE* out = std::fopen(argv[3], "wb");
    if (out == nullptr) {
        std::perror(argv[3]);
        return 1;
    }
    pel::NativeCodePage codePage;
    const std::size_t poolSize = sizeof kPool / sizeof kPool[0] - 1;
    unsigned seed = 12345;
    long long written = 0;
    int chapter = 0;
    long long line = 0;
    std::string chunk;
    if (encoding == "utf16le") chunk = "\xFF\xFE";
    std::string encoded;
    // Whole lines only, so that every encoding ends on a complete character.
    for (bool full = false; !full; ++line) {
        std::u16string text;
        if (line % chapterLines == 0) {
            ++chapter;
            text += u"第";
            if (digits) {
                for (char c : std::to_string(chapter)) text += static_cast<char16_t>(c);
            } else {
                text += ChineseNumber(chapter % 10000);
            }
            text += u"章 风起云涌\r\n";
        } else {
            for (int c = 0; c < 50; ++c) {
                seed = seed * 1103515245u + 12345u;
                const unsigned r = seed >> 16;
                text += (c % 12 == 11) ? (r & 1 ? u'，' : u'。') : kPool[r % poolSize];
            }
            text += u"\r\n";
        }
        encoded.clear();
        if (encoding == "gbk") {
            encoded = codePage.Utf16ToCp936(text);
        } else if (encoding == "utf8") {
            AppendUtf8(encoded, text);
        } else {
            AppendUtf16Le(encoded, text);
        }
        if (written + static_cast<long long>(chunk.size() + encoded.size()) > target) {
            full = true;
        } else {
            chunk += encoded;
        }
        if (chunk.size() >= (1u << 20) || full) {
            std::fwrite(chunk.data(), 1, chunk.size(), out);
            written += static_cast<long long>(chunk.size());
            chunk.clear();
        }
    }
    std::fclose(out);
    return 0;
}
