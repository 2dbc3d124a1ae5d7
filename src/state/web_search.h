// The page control's context menu, and the web search of the selected text that two of its items start:
// the selection, as code page 936 bytes, goes into the search URL that the default browser opens.
#pragma once
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace pel {

// Commands of the context menu besides those of edit mode, navigation and the contents.
constexpr int kCmdSearchBaidu = 105;
constexpr int kCmdSearchSogou = 110;
// Sends the key strokes Ctrl+Enter, the full-screen accelerator of the frame.
constexpr int kCmdFullScreenKeys = 106;

// The search endpoints; the encoded selection follows the "=" directly.
inline constexpr const char* kBaiduSearchEndpoint = "http://www.baidu.com/s?wd=";
inline constexpr const char* kSogouSearchEndpoint = "https://www.sogou.com/web?query=";
// A longer selection starts no search.
constexpr std::size_t kMaxSearchBytes = 200;

// What the menu depends on.
struct ContextMenuState {
    bool selectionEmpty = true;
    bool canPaste = false;
    bool canUndo = false;
    bool editMode = false;
};

struct ContextMenuItem {
    std::string label;  // label, a tab, the shortcut text; empty for the separator
    int id = 0;         // 0 for the separator
    bool grayed = false;
    bool IsSeparator() const { return id == 0; }
};

// The items in their order: "替换", "剪切", "粘贴" and "撤销" only in edit mode.
std::vector<ContextMenuItem> BuildContextMenu(const ContextMenuState& state);

// The selection byte by byte: letters, digits and "-._~" as they are, every other byte as "%" and two
// lower-case hexadecimal digits, so the URL is one argument without blanks, quotes or line breaks and the
// search engine gets the selection whole ("&", "#" and "+" included). A NUL byte, which no selection of
// the page holds, is left out.
std::string EncodeSearchText(std::string_view cp936);
// The endpoint of command 105 or 110; nullptr for any other id.
const char* SearchEndpointOf(int commandId);
// endpoint + encoded selection; "" when the selection is empty or longer than kMaxSearchBytes.
std::string SearchUrl(const char* endpoint, std::string_view selection);

// What the search asks of the view.
class IWebSearchHost {
public:
    virtual ~IWebSearchHost() = default;
    // The page control's selected text, in code page 936.
    virtual std::string SelectedText() = 0;
    // Asks the shell to "open" the URL with a normal window (the default browser).
    virtual void OpenUrl(const std::string& url) = 0;
};

// Commands 105 and 110: opens the search of the selection; false (and nothing opened) for any other id,
// an empty selection or one longer than kMaxSearchBytes.
bool WebSearch(int commandId, IWebSearchHost& host);

}  // namespace pel
