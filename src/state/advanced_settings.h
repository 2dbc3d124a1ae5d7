// The advanced settings dialog (template 160, "高级设置", F2): what its controls hold, read from and
// stored into the application's working copies of the settings, and the step that puts the new values
// into force once the dialog closes with OK. The dialog window itself belongs to the user interface,
// which moves these values in and out of its controls.
#pragma once
#include <string>
#include <string_view>

#include "book/reader.h"
#include "state/auto_scroll.h"
#include "state/quote_bar.h"

namespace pel {

// Menu item "高级设置\tF2".
constexpr int kCmdAdvancedSettings = 32809;

// The items of the two drop-down lists, in their order: the index is the stored value.
inline constexpr const char* kRollTypeItems[] = {"按像素滚屏", "按行滚屏", "按页滚屏"};
inline constexpr const char* kTrayButtonItems[] = {"无", "最小化按钮", "关闭按钮"};
// "浏览...": the open-file dialog for the quote file. The filter is in the platform's form, description
// and pattern each ending in a NUL, the list in a second one.
inline constexpr const char* kQuoteFileDialogTitle = "打开小说或TXT文本";
inline constexpr char kQuoteFileFilter[] = "ANSI文本(*.txt)\0*.txt\0";

inline constexpr const char* kChooseTrayButton = "请选择托盘按钮......";
inline constexpr const char* kMarginsTooSmall = "警告！边距设置太小或不合理，请重新设置！";
// The page text must keep at least this many pixels of width and height inside the page control.
constexpr int kMinTextAreaPixels = 20;

// Style/BJL, BJR, BJU, BJD: pixels between the page control's edges and its text.
struct TextMargins {
    int left = settings::kBjl.intDefault;
    int right = settings::kBjr.intDefault;
    int top = settings::kBju.intDefault;
    int bottom = settings::kBjd.intDefault;
    bool operator==(const TextMargins&) const = default;
};

// The application's working copies that the dialog edits.
struct AdvancedSettings {
    QuoteSettings quote;
    AutoScrollSettings autoScroll;
    int timeSpanTip = settings::kTimeSpanTip.intDefault;  // reminder interval in minutes, 0 off
    int trayFlag = settings::kTrayFlag.intDefault;        // -1 not chosen yet
    TextMargins margins;
    std::string diyName;  // the personal window title; empty shows the book's file name
};

// The three quote radios by their index, and a list with no item chosen.
enum QuoteRadio { kQuoteRadioNone = -1, kQuoteRadioBuiltIn = 0, kQuoteRadioCustom = 1, kQuoteRadioOff = 2 };
constexpr int kNoSelection = -1;

// The contents of the dialog's controls.
struct AdvancedDialogData {
    int quoteRadio = kQuoteRadioNone;  // 1029 "默认", 1030 "自定义", 1031 "关闭"
    std::string quotePath;             // the dialog's own copy of the quote file's full path
    std::string quotePathShown;        // edit 1001
    bool loop = false;                 // 1053 "自动循环"
    bool scroll = false;               // 1037 "滚动显示"
    // 1032, 1053, 1036, 1001 and 1037 are enabled while "自定义" is chosen.
    bool customControlsEnabled = false;
    int rollType = kNoSelection;  // selection of 1044; a typed text selects nothing
    std::string timeSpan;         // 1048, ms
    std::string timeEnd;          // 1054, s
    std::string timeFirst;        // 1055, s
    std::string timeSpanTip;      // 1049, minutes
    std::string marginLeft;       // 1056
    std::string marginRight;      // 1057
    std::string marginTop;        // 1058
    std::string marginBottom;     // 1059
    int trayFlag = kNoSelection;  // selection of 1045
    std::string diyName;          // 1065
};

// QuoteFlag 1 is "默认", 2 "自定义", 0 "关闭"; any other value chooses no radio.
int QuoteRadioOf(int quoteFlag);
// The controls as the dialog opens.
AdvancedDialogData OpenAdvancedDialog(const AdvancedSettings& settings);
// A click on one of the three radios.
void ClickQuoteRadio(AdvancedDialogData& dialog, int radio);
// A new item chosen in 1044: the item, and its starting interval in 1048.
void ChooseRollType(AdvancedDialogData& dialog, int index);
// The interval that choosing a scroll mode puts into 1048: "30", "3000", "30000" (ms); "" outside 0..2.
const char* StartingInterval(int rollType);
// "浏览..." closed with OK: the full path becomes the dialog's copy, 1001 shows only the file's name.
void ChooseQuoteFile(AdvancedDialogData& dialog, const std::string& fullPath);
// The number edits' conversion: leading blanks, an optional sign, the leading digits; no digits give 0.
// A number beyond the int range gives the nearest int.
int ParseDecimal(std::string_view text);

// OK: stores the controls into `settings` in the dialog's order, each value as soon as it is read.
// False when no tray button is chosen: the dialog then shows kChooseTrayButton (OK button) and stays
// open, and the values up to the tray button (TrayFlag -1 among them) are stored already.
bool AcceptAdvancedDialog(const AdvancedDialogData& dialog, AdvancedSettings& settings);

// The page control's formatting rectangle, in its client coordinates.
struct TextRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    bool operator==(const TextRect&) const = default;
};

struct MarginMove {
    bool accepted = false;
    TextRect rect;  // the rectangle to give the control; the one passed in when refused
};
// The formatting rectangle moved by the change from the applied margins to the wanted ones. Refused
// when the text area would be narrower or lower than kMinTextAreaPixels (or lie beyond the int range).
MarginMove MoveTextMargins(const TextRect& rect, const TextMargins& applied, const TextMargins& wanted);

// What applying the settings asks of the view besides the quote bar, auto-scroll and the reader.
class IAdvancedSettingsHost {
public:
    virtual ~IAdvancedSettingsHost() = default;
    // The page control's formatting rectangle, and a new one given to it (the control repaints).
    virtual TextRect PageFormatRect() = 0;
    virtual void SetPageFormatRect(const TextRect& rect) = 0;
    // Modal box; `flags` are the platform's MB_* values, the result its ID* value.
    virtual int MessageBox(const std::string& text, const std::string& caption, unsigned flags) = 0;
};

// After the dialog's OK: the window title from the new DIYname (through SyncTitle), the quote bar
// started afresh, auto-scroll given the new values, and the page text moved to the new margins, which
// then become `appliedMargins`; refused margins are reset to the applied ones with kMarginsTooSmall.
// `quotes` must work on `settings.quote`.
void ApplyAdvancedSettings(AdvancedSettings& settings, TextMargins& appliedMargins, QuoteBar& quotes,
                           AutoScroller& scroller, Reader& reader, IAdvancedSettingsHost& host);

}  // namespace pel
