// The picture page: the page control draws its text on a plain key colour, and that layer is put over the
// picture pixel by pixel, so the picture shows behind the text.
#pragma once
#include <windows.h>

#include <cstddef>

namespace pel {

// The colour the page control paints its background in while a picture is shown: white under dark text,
// black under light text, so that the text and the key always stand well apart.
COLORREF PictureKeyFor(COLORREF text);

// `pixels` (the control's own painting) and `picture` are `count` 32-bit BGRX pixels. A pixel of the key
// becomes the picture's, a pixel of the text colour stays, and the pixels between (smoothed edges) mix the
// text colour over the picture in the share they held of it.
void PutTextOverPicture(unsigned char* pixels, const unsigned char* picture, size_t count, COLORREF text,
                        COLORREF key);

}  // namespace pel
