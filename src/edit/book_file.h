// How the book file on disk stands against the working text when the edited page is saved: whether the
// file still holds the text that was read from it, and what rewriting it in code page 936 would lose.
#pragma once
#include <string_view>

#include "book/platform.h"

namespace pel {

// `file` holds `text` as an ANSI book does: the same bytes up to the end of the text, followed by the end
// of the file or by the NUL byte at which reading stopped. With `blankLinesDeleted`, a line-end byte of
// the file may stand in the text as the blank or line-end byte that the deletion of blank lines put there.
bool FileHoldsText(std::string_view file, std::string_view text, bool blankLinesDeleted);

// A UTF-16 or UTF-8 book file checked before it is rewritten in code page 936.
struct RewriteCheck {
    // The whole file decodes, without an invalid sequence, a NUL or a stray byte, into `text`.
    bool holdsText = false;
    // Characters of the file that code page 936 cannot hold (each would be written as "?").
    long long lostCharacters = 0;
};

RewriteCheck CheckRewrite(std::string_view file, int encoding, std::string_view text, bool blankLinesDeleted,
                          ICodePage& codePage);

}  // namespace pel
