// The library list's rows and the book each row opens, over the sequences of opening a reader goes
// through: the open-file dialog (also after a failed open), dropping, the command line and the last book,
// bookmarks and reading records, folders, recent folders and archives.
#include "state/library_list.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace pel::testing {
namespace {

const std::string kJia = "C:\\书\\甲书.txt";
const std::string kYi = "D:\\下载\\乙书.txt";
const std::string kBing = "C:\\书\\丙书.txt";

// Every row opens exactly the book it names.
void ExpectRowsOpenWhatTheyName(const LibraryList& list, const std::vector<std::string>& paths) {
    ASSERT_EQ(list.Names().size(), paths.size());
    for (size_t i = 0; i < paths.size(); ++i) {
        EXPECT_EQ(list.PathAt(static_cast<int>(i)), paths[i]) << "row " << i;
        EXPECT_EQ(list.Names()[i], paths[i].substr(paths[i].find_last_of("\\|") + 1)) << "row " << i;
    }
    EXPECT_EQ(list.PathAt(static_cast<int>(paths.size())), "");
    EXPECT_EQ(list.PathAt(-1), "");
}

TEST(LibraryList, BooksOpenedThroughTheDialogAreRowsInOrderAndTheSameBookTwiceIsTwoRows) {
    LibraryList list;
    EXPECT_TRUE(list.AddOpened(kJia));  // the first row clears what the list showed
    EXPECT_FALSE(list.AddOpened(kYi));
    EXPECT_FALSE(list.AddOpened(kJia));
    ExpectRowsOpenWhatTheyName(list, {kJia, kYi, kJia});
    EXPECT_EQ(list.OpenedCount(), 3u);
}

// Only a book that opened is added: after the last book's row, a failed open leaves that row, and the
// next good open clears it and is row 0.
TEST(LibraryList, AfterTheLastBookAndAFailedOpenTheFirstGoodOpenClearsTheList) {
    LibraryList list;
    list.ShowOnly(kBing);  // start-up: the last book
    EXPECT_EQ(list.OpenedCount(), 0u);
    ExpectRowsOpenWhatTheyName(list, {kBing});
    EXPECT_TRUE(list.AddOpened(kJia));
    ExpectRowsOpenWhatTheyName(list, {kJia});
    EXPECT_EQ(list.OpenedCount(), 1u);
}

// Open 甲 through the dialog, drop 乙: the one row 乙书.txt opens 乙, and the next dialog open starts the
// list again instead of pairing its row with 甲.
TEST(LibraryList, ADroppedBookOrABookmarkOrARecordIsTheOnlyRowAndOpensItself) {
    LibraryList list;
    list.AddOpened(kJia);
    list.ShowOnly(kYi);
    ExpectRowsOpenWhatTheyName(list, {kYi});
    EXPECT_EQ(list.OpenedCount(), 0u);
    EXPECT_TRUE(list.AddOpened(kBing));
    ExpectRowsOpenWhatTheyName(list, {kBing});
    list.AddOpened(kJia);
    ExpectRowsOpenWhatTheyName(list, {kBing, kJia});

    list.ShowOnly("E:\\书.rar|第一卷\\丁书.txt");  // an archive member from a bookmark
    ExpectRowsOpenWhatTheyName(list, {"E:\\书.rar|第一卷\\丁书.txt"});
    list.ShowOnly("");  // a command line whose book did not open
    EXPECT_TRUE(list.Names().empty());
}

TEST(LibraryList, AListedFolderOrArchiveOwnsTheRowsUntilABookIsOpenedAnotherWay) {
    LibraryList list;
    list.AddOpened(kJia);
    list.AddOpened(kYi);
    list.ListFolder("C:\\书");
    EXPECT_EQ(list.Folder(), "C:\\书");
    EXPECT_TRUE(list.Names().empty());
    EXPECT_EQ(list.OpenedCount(), 0u);
    EXPECT_EQ(list.PathAt(0), "");  // rows of a folder are opened by the folder's entry text

    EXPECT_TRUE(list.AddOpened(kBing));  // the dialog empties the folder listing
    EXPECT_EQ(list.Folder(), "");
    ExpectRowsOpenWhatTheyName(list, {kBing});

    list.ListFolder("E:\\书.rar");  // an archive's members
    list.ShowOnly(kYi);             // a dropped book
    EXPECT_EQ(list.Folder(), "");
    ExpectRowsOpenWhatTheyName(list, {kYi});

    list.ListFolder("C:\\书");
    EXPECT_TRUE(list.AddOpened(kJia));
    EXPECT_FALSE(list.AddOpened(kYi));
    ExpectRowsOpenWhatTheyName(list, {kJia, kYi});
    list.Clear();
    EXPECT_TRUE(list.Names().empty());
    EXPECT_EQ(list.Folder(), "");
}

}  // namespace
}  // namespace pel::testing
