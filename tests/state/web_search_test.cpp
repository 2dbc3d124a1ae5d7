// The context menu of the page control, and the web search of the selection: its encoding into the URL,
// the two endpoints, and the selections that start no search.
#include "state/web_search.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace pel::testing {
namespace {

class SearchView : public IWebSearchHost {
public:
    std::string SelectedText() override { return selection; }
    void OpenUrl(const std::string& url) override { opened.push_back(url); }
    std::string selection;
    std::vector<std::string> opened;
};

std::vector<int> Ids(const std::vector<ContextMenuItem>& items) {
    std::vector<int> ids;
    for (const ContextMenuItem& item : items) ids.push_back(item.id);
    return ids;
}

TEST(ContextMenu, OutsideEditModeNineItemsAndASeparator) {
    const auto items = BuildContextMenu({false, true, true, false});
    EXPECT_EQ(Ids(items), (std::vector<int>{57634, 57636, 0, 105, 110, 32823, 106, 108, 32847, 32854}));
    EXPECT_TRUE(items[2].IsSeparator());
    EXPECT_EQ(items[0].label, "复制\t(&Ctrl+C)");
    EXPECT_EQ(items[3].label, "到百度搜索所选文字\t(&B)");
    EXPECT_EQ(items[4].label, "到搜狗搜索所选文字\t(&G)");
    EXPECT_EQ(items[6].label, "全屏切换\t(&Ctrl+Enter)");
    EXPECT_EQ(items[9].label, "查看目录\t(&F4)");
    for (const ContextMenuItem& item : items) EXPECT_FALSE(item.grayed) << item.label;
}

TEST(ContextMenu, EditModeAddsReplaceCutPasteAndUndo) {
    const auto items = BuildContextMenu({false, true, true, true});
    EXPECT_EQ(Ids(items), (std::vector<int>{57634, 57636, 57641, 57635, 57637, 57643, 0, 105, 110, 32823, 106,
                                            108, 32847, 32854}));
    EXPECT_EQ(items[2].label, "替换\t(&Ctrl+H)");
    EXPECT_EQ(items[5].label, "撤销\t(&Ctrl+Z)");
}

TEST(ContextMenu, GreyedItemsFollowSelectionClipboardAndUndo) {
    const auto items = BuildContextMenu({true, false, false, true});
    std::vector<int> greyed;
    for (const ContextMenuItem& item : items)
        if (item.grayed) greyed.push_back(item.id);
    EXPECT_EQ(greyed, (std::vector<int>{57634, 57635, 57637, 57643, 105, 110}));
}

TEST(SearchEncoding, OnlyLettersDigitsAndUnreservedMarksStayAsTheyAre) {
    EXPECT_EQ(EncodeSearchText("中文"), "%d6%d0%ce%c4");
    EXPECT_EQ(EncodeSearchText("Az09-._~"), "Az09-._~");
    // Nothing that the shell or the search engine would take for something else reaches them raw.
    EXPECT_EQ(EncodeSearchText("a b&c"), "a%20b%26c");
    EXPECT_EQ(EncodeSearchText("#1 100%+"), "%231%20100%25%2b");
    EXPECT_EQ(EncodeSearchText("\"say\"\t'x'"), "%22say%22%09%27x%27");
    EXPECT_EQ(EncodeSearchText("第1章\r\n"), "%b5%da1%d5%c2%0d%0a");
    EXPECT_EQ(EncodeSearchText(std::string("a\0b", 3)), "ab");
    EXPECT_EQ(EncodeSearchText("\x80\xff\x7f"), "%80%ff%7f");
}

TEST(WebSearchCommand, EachCommandOpensItsEndpointWithTheSelection) {
    SearchView view;
    view.selection = "中文";
    EXPECT_TRUE(WebSearch(kCmdSearchBaidu, view));
    EXPECT_TRUE(WebSearch(kCmdSearchSogou, view));
    ASSERT_EQ(view.opened.size(), 2u);
    EXPECT_EQ(view.opened[0], "http://www.baidu.com/s?wd=%d6%d0%ce%c4");
    EXPECT_EQ(view.opened[1], "https://www.sogou.com/web?query=%d6%d0%ce%c4");
    EXPECT_FALSE(WebSearch(106, view));
    EXPECT_EQ(view.opened.size(), 2u);
}

TEST(WebSearchCommand, EmptyAndOverlongSelectionsStartNoSearch) {
    SearchView view;
    EXPECT_FALSE(WebSearch(kCmdSearchBaidu, view));
    view.selection = std::string(201, 'a');
    EXPECT_FALSE(WebSearch(kCmdSearchSogou, view));
    EXPECT_TRUE(view.opened.empty());

    view.selection = std::string(100, 'x');  // and 50 two-byte characters: exactly 200 bytes
    for (int i = 0; i < 50; ++i) view.selection += "汉";
    ASSERT_EQ(view.selection.size(), 200u);
    EXPECT_TRUE(WebSearch(kCmdSearchBaidu, view));
    ASSERT_EQ(view.opened.size(), 1u);
    EXPECT_EQ(view.opened[0].size(), std::string(kBaiduSearchEndpoint).size() + 100 + 100 * 3);
}

}  // namespace
}  // namespace pel::testing
