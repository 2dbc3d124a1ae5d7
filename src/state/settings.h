// Every section and key of Config.ini with its type and default, and the reads and writes of the
// settings that are kept only between runs (start-up reads, the writes at exit).
#pragma once
#include <array>
#include <string>

#include "state/bookmark_line.h"
#include "state/placement.h"
#include "state/profile.h"

namespace pel {

class CConfigFile;

enum class SettingKind {
    Int,     // written with "%d"
    Flag,    // written "1" or "0"
    Text,    // a string, read through 260 bytes
    Struct,  // hexadecimal digits and a checksum byte
};

// What a value read from a damaged file becomes when it lies outside [low, high]. Only values that
// index a table or an array, or pick one of a few modes, are checked; the others stay as read.
enum class OutOfRange { Keep, Clamp, UseDefault };

struct Setting {
    const char* section;
    const char* key;
    SettingKind kind;
    int intDefault;
    const char* textDefault;
    OutOfRange outOfRange;
    int low;
    int high;
};

namespace settings {

constexpr OutOfRange kKeep = OutOfRange::Keep;
constexpr OutOfRange kClamp = OutOfRange::Clamp;
constexpr OutOfRange kUseDefault = OutOfRange::UseDefault;
constexpr SettingKind kInt = SettingKind::Int;
constexpr SettingKind kFlag = SettingKind::Flag;
constexpr SettingKind kText = SettingKind::Text;

// clang-format off
//                            section     key            kind   default   text    out of range low high
inline constexpr Setting kMarkNum     {"BookMark", "MarkNum",     kInt,  0,        "",     kClamp,      0, 9};
inline constexpr Setting kBkColor     {"Style",    "bkcolor",     kInt,  13625548, "",     kKeep,       0, 0};
inline constexpr Setting kTxtColor    {"Style",    "txtcolor",    kInt,  0,        "",     kKeep,       0, 0};
inline constexpr Setting kTxtFont     {"Style",    "txtfont",     kText, 0,        "宋体", kKeep,       0, 0};
inline constexpr Setting kTxtSize     {"Style",    "txtsize",     kInt,  270,      "",     kKeep,       0, 0};
inline constexpr Setting kTxtHj       {"Style",    "txthj",       kInt,  100,      "",     kKeep,       0, 0};
inline constexpr Setting kUnderline   {"Style",    "UNDERLINE",   kFlag, 0,        "",     kKeep,       0, 0};
inline constexpr Setting kItalic      {"Style",    "ITALIC",      kFlag, 0,        "",     kKeep,       0, 0};
inline constexpr Setting kBold        {"Style",    "BOLD",        kFlag, 0,        "",     kKeep,       0, 0};
inline constexpr Setting kBjl         {"Style",    "BJL",         kInt,  10,       "",     kKeep,       0, 0};
inline constexpr Setting kBjr         {"Style",    "BJR",         kInt,  10,       "",     kKeep,       0, 0};
inline constexpr Setting kBju         {"Style",    "BJU",         kInt,  0,        "",     kKeep,       0, 0};
inline constexpr Setting kBjd         {"Style",    "BJD",         kInt,  0,        "",     kKeep,       0, 0};
inline constexpr Setting kDelBlank    {"Style",    "delblank",    kInt,  0,        "",     kKeep,       0, 0};
inline constexpr Setting kKeepOne     {"Style",    "KeepOne",     kFlag, 1,        "",     kKeep,       0, 0};
inline constexpr Setting kKeyUD       {"Style",    "KeyUD",       kInt,  1,        "",     kUseDefault, 1, 3};
inline constexpr Setting kSortFlag    {"Style",    "SortFlag",    kInt,  0,        "",     kUseDefault, 0, 2};
inline constexpr Setting kSortRuleFlag{"Style",    "SortRuleFlag",kInt,  1,        "",     kUseDefault, 1, 10};
inline constexpr Setting kOrgRectFlag {"Style",    "orgrectFlag", kFlag, 0,        "",     kKeep,       0, 0};
inline constexpr Setting kQuoteBarFlag{"Style",    "QuoteBarFlag",kFlag, 0,        "",     kKeep,       0, 0};
inline constexpr Setting kPicPath     {"Style",    "picPath",     kText, 0,        "",     kKeep,       0, 0};
inline constexpr Setting kNightFlag   {"Style",    "NightFlag",   kFlag, 0,        "",     kKeep,       0, 0};
inline constexpr Setting kMarkLine    {"Style",    "MarkLine",    kInt,  0,        "",     kKeep,       0, 0};
inline constexpr Setting kKeyA        {"Style",    "KeyA",        kInt,  1,        "",     kKeep,       0, 0};
inline constexpr Setting kKeyV        {"Style",    "KeyV",        kInt,  32,       "",     kKeep,       0, 0};
inline constexpr Setting kFileNum     {"File Dir", "FileNum",     kInt,  0,        "",     kClamp,      0, 5};
inline constexpr Setting kTimePadNum  {"TimePad",  "TimePadNum",  kInt,  0,        "",     kClamp,      0, 99};
inline constexpr Setting kQuoteFlag   {"Quote",    "QuoteFlag",   kInt,  1,        "",     kUseDefault, 0, 2};
inline constexpr Setting kLoopFlag    {"Quote",    "LoopFlag",    kInt,  0,        "",     kKeep,       0, 0};
inline constexpr Setting kQuotePath   {"Quote",    "QuotePath",   kText, 0,        "",     kKeep,       0, 0};
inline constexpr Setting kScrollFlag  {"Quote",    "ScrollFlag",  kInt,  0,        "",     kKeep,       0, 0};
inline constexpr Setting kRollType    {"Quote",    "RollType",    kInt,  0,        "",     kUseDefault, 0, 2};
inline constexpr Setting kTimeSpan    {"Quote",    "TimeSpan",    kInt,  30,       "",     kKeep,       0, 0};
inline constexpr Setting kTimeEnd     {"Quote",    "TimeEnd",     kInt,  3,        "",     kKeep,       0, 0};
inline constexpr Setting kTimeFirst   {"Quote",    "TimeFirst",   kInt,  5,        "",     kKeep,       0, 0};
inline constexpr Setting kTimeSpanTip {"Quote",    "TimeSpanTip", kInt,  30,       "",     kKeep,       0, 0};
inline constexpr Setting kRemWndPlace {"Interface","RemWndPlace", SettingKind::Struct, 0, "", kKeep,  0, 0};
inline constexpr Setting kToolFlag    {"Interface","toolflag",    kInt,  1,        "",     kKeep,       0, 0};
inline constexpr Setting kStatusFlag  {"Interface","statusflag",  kInt,  1,        "",     kKeep,       0, 0};
inline constexpr Setting kDiyName     {"Interface","DIYname",     kText, 0,        "",     kKeep,       0, 0};
inline constexpr Setting kTrayFlag    {"Interface","TrayFlag",    kInt,  -1,       "",     kUseDefault, -1, 2};
inline constexpr Setting kShukuFlag   {"Interface","shukuflag",   kInt,  0,        "",     kKeep,       0, 0};
inline constexpr Setting kHaoZipPath  {"Check",    "HaoZpath",    kText, 0,        "",     kKeep,       0, 0};
// clang-format on

// Numbered keys: BookMark 0 (LastReadEntry) and 1..9, File Dir 1..5, TimePad 1..99, RuleDiy 0..9.
inline constexpr const char* kBookMarkSection = "BookMark";
inline constexpr const char* kFileDirSection = "File Dir";
inline constexpr const char* kTimePadSection = "TimePad";
inline constexpr const char* kRuleDiySection = "RuleDiy";
constexpr int kBookmarkKeys = 10;  // 0 .. 9
constexpr int kRecentFolderKeys = 5;
constexpr int kReadingRecordKeys = 99;
constexpr int kCustomRuleKeys = 10;

// Every keyed setting, for audits and tests.
inline constexpr const Setting* kAll[] = {
    &kMarkNum,     &kBkColor,     &kTxtColor,   &kTxtFont,      &kTxtSize,     &kTxtHj,        &kUnderline,
    &kItalic,      &kBold,        &kBjl,        &kBjr,          &kBju,         &kBjd,          &kDelBlank,
    &kKeepOne,     &kKeyUD,       &kSortFlag,   &kSortRuleFlag, &kOrgRectFlag, &kQuoteBarFlag, &kPicPath,
    &kNightFlag,   &kMarkLine,    &kKeyA,       &kKeyV,         &kFileNum,     &kTimePadNum,   &kQuoteFlag,
    &kLoopFlag,    &kQuotePath,   &kScrollFlag, &kRollType,     &kTimeSpan,    &kTimeEnd,      &kTimeFirst,
    &kTimeSpanTip, &kRemWndPlace, &kToolFlag,   &kStatusFlag,   &kDiyName,     &kTrayFlag,     &kShukuFlag,
    &kHaoZipPath,
};

}  // namespace settings

// Reads and writes of one setting by its table entry.
int ReadSetting(IProfile& profile, const std::string& iniPath, const Setting& setting);
std::string ReadTextSetting(IProfile& profile, const std::string& iniPath, const Setting& setting);
bool WriteSetting(IProfile& profile, const std::string& iniPath, const Setting& setting, int value);
bool WriteTextSetting(IProfile& profile, const std::string& iniPath, const Setting& setting,
                      const std::string& value);

// Frame, before its window exists.
struct FrameSettings {
    WindowPlacement placement;
    int timeSpanTip = settings::kTimeSpanTip.intDefault;
    int toolFlag = settings::kToolFlag.intDefault;
    int statusFlag = settings::kStatusFlag.intDefault;
    std::string diyName;
};
FrameSettings ReadFrameSettings(IProfile& profile, const std::string& iniPath);

// Frame, when its window is created: the boss hot key.
struct BossKeySettings {
    int modifiers = settings::kKeyA.intDefault;
    int virtualKey = settings::kKeyV.intDefault;
};
BossKeySettings ReadBossKeySettings(IProfile& profile, const std::string& iniPath);

// View, on its initial update (the lists and the five Style values go into its CConfigFile).
struct ViewSettings {
    std::string haoZipPath;
    int underline = 0;
    int italic = 0;
    int bold = 0;
    int marginLeft = settings::kBjl.intDefault;
    int marginRight = settings::kBjr.intDefault;
    int marginTop = settings::kBju.intDefault;
    int marginBottom = settings::kBjd.intDefault;
    int deleteBlankLines = 0;
    int keepOne = settings::kKeepOne.intDefault;
    int keyUD = settings::kKeyUD.intDefault;
    std::array<std::string, settings::kCustomRuleKeys> customRules;
    int trayFlag = settings::kTrayFlag.intDefault;
    int rollType = settings::kRollType.intDefault;
    int timeSpan = settings::kTimeSpan.intDefault;
    int timeEnd = settings::kTimeEnd.intDefault;
    int timeFirst = settings::kTimeFirst.intDefault;
    int quoteFlag = settings::kQuoteFlag.intDefault;
    int loopFlag = 0;
    std::string quotePath;
    int scrollFlag = 0;
    int sortFlag = settings::kSortFlag.intDefault;
    int sortRuleFlag = settings::kSortRuleFlag.intDefault;
    int orgRectFlag = 0;
    int quoteBarFlag = 0;
    std::string picPath;
    int nightFlag = 0;
};
// Loads the bookmark list, the Style values and the recent folders into `config`, then reads the rest,
// in the order the view does at start-up.
ViewSettings ReadViewSettings(CConfigFile& config);

// Read last at start-up, and only when the LastReadEntry names a book.
int ReadLibrarySelection(IProfile& profile, const std::string& iniPath);
// Read on demand when the last book's first visible line is restored.
int ReadMarkLine(IProfile& profile, const std::string& iniPath);

// The five Style values that CConfigFile keeps.
struct StyleValues {
    int backColor = settings::kBkColor.intDefault;
    int textColor = settings::kTxtColor.intDefault;
    std::string fontName = settings::kTxtFont.textDefault;
    int textSize = settings::kTxtSize.intDefault;   // twips; not written back while negative
    int lineSpacing = settings::kTxtHj.intDefault;  // twips; not written back while negative
};

// Everything the exit handler writes, as the application object and the frame hold it at exit.
struct ExitSnapshot {
    // LastReadEntry: the page last shown, and the time of writing.
    std::string fileName;
    int page = 0;
    std::string bookPath;
    LocalTime now;
    StyleValues style;
    std::string libraryFolder;  // opened in the sidebar during this run, or empty
    int sortFlag = settings::kSortFlag.intDefault;
    int markLine = 0;
    int deleteBlankLines = 0;
    std::string diyName;
    int keyA = settings::kKeyA.intDefault;
    int keyV = settings::kKeyV.intDefault;
    std::array<std::string, settings::kCustomRuleKeys> customRules;
    int quoteFlag = settings::kQuoteFlag.intDefault;
    int loopFlag = 0;
    std::string quotePath;
    int scrollFlag = 0;
    int rollType = settings::kRollType.intDefault;
    int timeSpan = settings::kTimeSpan.intDefault;
    int timeEnd = settings::kTimeEnd.intDefault;
    int timeFirst = settings::kTimeFirst.intDefault;
    int timeSpanTip = settings::kTimeSpanTip.intDefault;
    int marginLeft = settings::kBjl.intDefault;
    int marginRight = settings::kBjr.intDefault;
    int marginTop = settings::kBju.intDefault;
    int marginBottom = settings::kBjd.intDefault;
    int trayFlag = settings::kTrayFlag.intDefault;
    int underline = 0;
    int italic = 0;
    int bold = 0;
    int nightFlag = 0;
    int keepOne = settings::kKeepOne.intDefault;
    int keyUD = settings::kKeyUD.intDefault;
    int sortRuleFlag = settings::kSortRuleFlag.intDefault;
    bool sidebarHidden = false;    // orgrectFlag
    bool bottomBarHidden = false;  // QuoteBarFlag
    std::string picPath;
    WindowPlacement placement;
    int toolFlag = settings::kToolFlag.intDefault;
    int statusFlag = settings::kStatusFlag.intDefault;
    // shukuflag: the sidebar entry is kept only while the sidebar shows the open book's folder.
    bool sidebarShowsBookFolder = false;
    int librarySelection = 0;
    bool editMode = false;
};

// The exit steps that belong to other features.
class IExitHooks {
public:
    virtual ~IExitHooks() = default;
    // No longer called: WriteSettingsAtExit adds the folder itself (CConfigFile::AddRecentFolder).
    // Kept so that existing overrides still build; drop them and this together.
    virtual void AddRecentFolder(CConfigFile& /*config*/, const std::string& /*folder*/) {}
    // Add the open book's reading time since it was opened to its record.
    virtual void CreditReadingTime() = 0;
    // Edit mode is on: ask "是否保存文本？" and save on Yes.
    virtual void OfferToSaveText() = 0;
};

// The exit handler's writes, in their order. The frame closes after it returns. Every step runs even when
// the store refuses a write; the result is false when any write was refused, so the reader can be told.
bool WriteSettingsAtExit(IProfile& profile, const std::string& iniPath, const ExitSnapshot& snapshot,
                         IExitHooks& hooks);

}  // namespace pel
