// The picture page's compositing: the page control's painting on the key colour, put over the picture.
#include "ui/text_over_picture.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using Pixels = std::vector<unsigned char>;

Pixels Of(std::initializer_list<COLORREF> colours) {
    Pixels p;
    for (COLORREF c : colours) p.insert(p.end(), {GetBValue(c), GetGValue(c), GetRValue(c), 0});
    return p;
}

COLORREF At(const Pixels& p, size_t i) { return RGB(p[4 * i + 2], p[4 * i + 1], p[4 * i]); }

TEST(TextOverPicture, KeyShowsThePictureTextStaysAndEdgesMix) {
    const COLORREF key = pel::PictureKeyFor(RGB(0, 0, 0));
    ASSERT_EQ(key, RGB(255, 255, 255));
    Pixels page = Of({key, RGB(0, 0, 0), RGB(128, 128, 128), key});
    const Pixels picture = Of({RGB(220, 40, 40), RGB(220, 40, 40), RGB(200, 100, 50), RGB(1, 2, 3)});
    pel::PutTextOverPicture(page.data(), picture.data(), 4, RGB(0, 0, 0), key);
    EXPECT_EQ(At(page, 0), RGB(220, 40, 40));
    EXPECT_EQ(At(page, 1), RGB(0, 0, 0));
    // Half text: half of the picture's brightness.
    EXPECT_EQ(At(page, 2), RGB(100, 50, 25));
    EXPECT_EQ(At(page, 3), RGB(1, 2, 3));
}

TEST(TextOverPicture, LightTextGetsADarkKeyAndStaysVisible) {
    // White text on the white key would vanish into the picture; a light colour is painted on black.
    for (COLORREF text : {RGB(255, 255, 255), RGB(128, 128, 128), RGB(255, 255, 0)})
        EXPECT_EQ(pel::PictureKeyFor(text), RGB(0, 0, 0)) << text;
    for (COLORREF text : {RGB(0, 0, 0), RGB(0, 0, 255), RGB(120, 60, 20)})
        EXPECT_EQ(pel::PictureKeyFor(text), RGB(255, 255, 255)) << text;
    const COLORREF text = RGB(255, 255, 255), key = pel::PictureKeyFor(text);
    Pixels page = Of({text, key});
    const Pixels picture = Of({RGB(10, 20, 30), RGB(10, 20, 30)});
    pel::PutTextOverPicture(page.data(), picture.data(), 2, text, key);
    EXPECT_EQ(At(page, 0), text);
    EXPECT_EQ(At(page, 1), RGB(10, 20, 30));
}

TEST(TextOverPicture, ColouredTextIsMeasuredOnItsStrongestChannel) {
    // Blue text on white differs from the key only in red and green; a pixel of it stays blue.
    const COLORREF text = RGB(0, 0, 255), key = RGB(255, 255, 255);
    Pixels page = Of({text, RGB(255, 255, 255)});
    const Pixels picture = Of({RGB(0, 200, 0), RGB(0, 200, 0)});
    pel::PutTextOverPicture(page.data(), picture.data(), 2, text, key);
    EXPECT_EQ(At(page, 0), text);
    EXPECT_EQ(At(page, 1), RGB(0, 200, 0));
}

}  // namespace
