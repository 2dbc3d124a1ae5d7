#include "ui/text_over_picture.h"

#include <algorithm>
#include <cstdlib>

namespace pel {

COLORREF PictureKeyFor(COLORREF text) {
    const int luma = (GetRValue(text) * 299 + GetGValue(text) * 587 + GetBValue(text) * 114) / 1000;
    return luma < 128 ? RGB(255, 255, 255) : RGB(0, 0, 0);
}

void PutTextOverPicture(unsigned char* pixels, const unsigned char* picture, size_t count, COLORREF text,
                        COLORREF key) {
    const int t[3] = {GetBValue(text), GetGValue(text), GetRValue(text)};
    const int k[3] = {GetBValue(key), GetGValue(key), GetRValue(key)};
    // The channel in which text and key differ most tells how much of the text a pixel holds.
    int c = 0;
    for (int i = 1; i < 3; ++i)
        if (std::abs(t[i] - k[i]) > std::abs(t[c] - k[c])) c = i;
    const int span = t[c] - k[c];
    for (size_t n = 0; n < count; ++n) {
        unsigned char* p = pixels + 4 * n;
        const unsigned char* q = picture + 4 * n;
        if (p[0] == k[0] && p[1] == k[1] && p[2] == k[2]) {
            p[0] = q[0], p[1] = q[1], p[2] = q[2];
            continue;
        }
        if (span == 0) continue;  // text in the key's colour: nothing to tell apart, the text stays
        // Share of the text, 0..256.
        const int a = std::clamp((p[c] - k[c]) * 256 / span, 0, 256);
        for (int i = 0; i < 3; ++i) p[i] = static_cast<unsigned char>((t[i] * a + q[i] * (256 - a)) / 256);
    }
}

}  // namespace pel
