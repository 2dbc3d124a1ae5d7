#include "state/web_search.h"

namespace pel {

namespace {

// Command ids of the items that belong to other features.
constexpr int kCmdCopy = 57634;
constexpr int kCmdFind = 57636;
constexpr int kCmdReplace = 57641;
constexpr int kCmdCut = 57635;
constexpr int kCmdPaste = 57637;
constexpr int kCmdUndo = 57643;
constexpr int kCmdAutoScroll = 32823;  // the menu bar's item; 107 does the same but is on no menu
constexpr int kCmdEditMode = 108;
constexpr int kCmdJumpPercent = 32847;
constexpr int kCmdContents = 32854;

}  // namespace

std::vector<ContextMenuItem> BuildContextMenu(const ContextMenuState& state) {
    const bool noSelection = state.selectionEmpty;
    std::vector<ContextMenuItem> items;
    items.push_back({"复制\t(&Ctrl+C)", kCmdCopy, noSelection});
    items.push_back({"查找\t(&Ctrl+F)", kCmdFind, false});
    if (state.editMode) {
        items.push_back({"替换\t(&Ctrl+H)", kCmdReplace, false});
        items.push_back({"剪切\t(&Ctrl+X)", kCmdCut, noSelection});
        items.push_back({"粘贴\t(&Ctrl+V)", kCmdPaste, !state.canPaste});
        items.push_back({"撤销\t(&Ctrl+Z)", kCmdUndo, !state.canUndo});
    }
    items.push_back({"", 0, false});
    items.push_back({"到百度搜索所选文字\t(&B)", kCmdSearchBaidu, noSelection});
    items.push_back({"到搜狗搜索所选文字\t(&G)", kCmdSearchSogou, noSelection});
    items.push_back({"自动滚屏\t(&Enter)", kCmdAutoScroll, false});
    items.push_back({"全屏切换\t(&Ctrl+Enter)", kCmdFullScreenKeys, false});
    items.push_back({"编辑模式\t(&E)", kCmdEditMode, false});
    items.push_back({"跳转百分比\t(&P)", kCmdJumpPercent, false});
    items.push_back({"查看目录\t(&F4)", kCmdContents, false});
    return items;
}

std::string EncodeSearchText(std::string_view cp936) {
    static constexpr char kHex[] = "0123456789abcdef";
    std::string encoded;
    encoded.reserve(cp936.size() * 3);
    for (char c : cp936) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte == 0) continue;
        const bool unreserved = (byte >= 'A' && byte <= 'Z') || (byte >= 'a' && byte <= 'z') ||
                                (byte >= '0' && byte <= '9') || byte == '-' || byte == '.' || byte == '_' ||
                                byte == '~';
        if (unreserved) {
            encoded += c;
        } else {
            encoded += '%';
            encoded += kHex[byte >> 4];
            encoded += kHex[byte & 0x0F];
        }
    }
    return encoded;
}

const char* SearchEndpointOf(int commandId) {
    switch (commandId) {
        case kCmdSearchBaidu:
            return kBaiduSearchEndpoint;
        case kCmdSearchSogou:
            return kSogouSearchEndpoint;
        default:
            return nullptr;
    }
}

std::string SearchUrl(const char* endpoint, std::string_view selection) {
    if (endpoint == nullptr || selection.empty() || selection.size() > kMaxSearchBytes) return "";
    return endpoint + EncodeSearchText(selection);
}

bool WebSearch(int commandId, IWebSearchHost& host) {
    const char* endpoint = SearchEndpointOf(commandId);
    if (endpoint == nullptr) return false;
    const std::string url = SearchUrl(endpoint, host.SelectedText());
    if (url.empty()) return false;
    host.OpenUrl(url);
    return true;
}

}  // namespace pel
