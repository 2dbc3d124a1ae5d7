// The places that ask whether to save the edited page before the page or the book is left. The question,
// the save and the decision whether the caller may go on live in EditSession::OfferToSave; every place
// only asks its host and stops when the answer is false.
#pragma once

namespace pel {

enum class SavePlace {
    kPageTurn,       // next and previous page: "是否保存文本？", SavePageAndReload
    kLibraryBook,    // a book from the library sidebar: "是否保存文本？", SavePage
    kBookmark,       // a bookmark: "是否保存文本？", SavePage
    kReadingRecord,  // a reading record: "是否保存当前文本？", SavePage
    kJumpToPercent,  // the jump dialog confirmed: "是否保存当前文本？", SavePage
    kExit,           // exit, asked whenever edit mode is on: "是否保存文本？", SavePage
    kOpenBook,       // another book from the open-file dialog or a drop: "是否保存文本？", SavePage
    kReload,         // the book read or paged anew (paging mode, chapter rule, blank lines, UTF-8, the page
                     // box, the contents): "是否保存文本？", SavePage
};

inline const char* SaveQuestion(SavePlace place) {
    return place == SavePlace::kReadingRecord || place == SavePlace::kJumpToPercent ? "是否保存当前文本？"
                                                                                    : "是否保存文本？";
}

}  // namespace pel
