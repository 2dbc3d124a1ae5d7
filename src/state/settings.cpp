#include "state/settings.h"

#include <algorithm>

#include "state/config_file.h"

namespace pel {

int ReadSetting(IProfile& profile, const std::string& iniPath, const Setting& setting) {
    const int value = profile.ReadInt(iniPath, setting.section, setting.key, setting.intDefault);
    if (value >= setting.low && value <= setting.high) return value;
    switch (setting.outOfRange) {
        case OutOfRange::Clamp:
            return std::clamp(value, setting.low, setting.high);
        case OutOfRange::UseDefault:
            return setting.intDefault;
        case OutOfRange::Keep:
            break;
    }
    return value;
}

std::string ReadTextSetting(IProfile& profile, const std::string& iniPath, const Setting& setting) {
    return profile.ReadString(iniPath, setting.section, setting.key, setting.textDefault);
}

bool WriteSetting(IProfile& profile, const std::string& iniPath, const Setting& setting, int value) {
    const std::string text =
        setting.kind == SettingKind::Flag ? (value != 0 ? "1" : "0") : std::to_string(value);
    return profile.WriteString(iniPath, setting.section, setting.key, text);
}

bool WriteTextSetting(IProfile& profile, const std::string& iniPath, const Setting& setting,
                      const std::string& value) {
    return profile.WriteString(iniPath, setting.section, setting.key, value);
}

FrameSettings ReadFrameSettings(IProfile& profile, const std::string& iniPath) {
    using namespace settings;
    FrameSettings s;
    s.placement = ReadPlacement(profile, iniPath);
    s.timeSpanTip = ReadSetting(profile, iniPath, kTimeSpanTip);
    s.toolFlag = ReadSetting(profile, iniPath, kToolFlag);
    s.statusFlag = ReadSetting(profile, iniPath, kStatusFlag);
    s.diyName = ReadTextSetting(profile, iniPath, kDiyName);
    return s;
}

BossKeySettings ReadBossKeySettings(IProfile& profile, const std::string& iniPath) {
    BossKeySettings s;
    s.modifiers = ReadSetting(profile, iniPath, settings::kKeyA);
    s.virtualKey = ReadSetting(profile, iniPath, settings::kKeyV);
    return s;
}

ViewSettings ReadViewSettings(CConfigFile& config) {
    using namespace settings;
    IProfile& p = config.Profile();
    const std::string& path = config.Path();
    config.LoadBookmarks();
    config.LoadStyle();
    config.LoadRecentFolders();

    ViewSettings s;
    s.haoZipPath = ReadTextSetting(p, path, kHaoZipPath);
    s.underline = ReadSetting(p, path, kUnderline);
    s.italic = ReadSetting(p, path, kItalic);
    s.bold = ReadSetting(p, path, kBold);
    s.marginLeft = ReadSetting(p, path, kBjl);
    s.marginRight = ReadSetting(p, path, kBjr);
    s.marginTop = ReadSetting(p, path, kBju);
    s.marginBottom = ReadSetting(p, path, kBjd);
    s.deleteBlankLines = ReadSetting(p, path, kDelBlank);
    s.keepOne = ReadSetting(p, path, kKeepOne);
    s.keyUD = ReadSetting(p, path, kKeyUD);
    for (int i = 0; i < kCustomRuleKeys; ++i) {
        s.customRules[static_cast<std::size_t>(i)] =
            p.ReadString(path, kRuleDiySection, std::to_string(i), "");
    }
    s.trayFlag = ReadSetting(p, path, kTrayFlag);
    s.rollType = ReadSetting(p, path, kRollType);
    s.timeSpan = ReadSetting(p, path, kTimeSpan);
    s.timeEnd = ReadSetting(p, path, kTimeEnd);
    s.timeFirst = ReadSetting(p, path, kTimeFirst);
    s.quoteFlag = ReadSetting(p, path, kQuoteFlag);
    s.loopFlag = ReadSetting(p, path, kLoopFlag);
    s.quotePath = ReadTextSetting(p, path, kQuotePath);
    s.scrollFlag = ReadSetting(p, path, kScrollFlag);
    s.sortFlag = ReadSetting(p, path, kSortFlag);
    s.sortRuleFlag = ReadSetting(p, path, kSortRuleFlag);
    s.orgRectFlag = ReadSetting(p, path, kOrgRectFlag);
    s.quoteBarFlag = ReadSetting(p, path, kQuoteBarFlag);
    s.picPath = ReadTextSetting(p, path, kPicPath);
    s.nightFlag = ReadSetting(p, path, kNightFlag);
    return s;
}

int ReadLibrarySelection(IProfile& profile, const std::string& iniPath) {
    return ReadSetting(profile, iniPath, settings::kShukuFlag);
}

int ReadMarkLine(IProfile& profile, const std::string& iniPath) {
    return ReadSetting(profile, iniPath, settings::kMarkLine);
}

namespace {

// Passes every call on to the real store and remembers whether any write was refused (a read-only or
// missing folder, a file that is a folder, a full disk), so the exit can tell the reader once.
class WriteCheckingProfile final : public IProfile {
public:
    explicit WriteCheckingProfile(IProfile& inner) : inner_(inner) {}
    int ReadInt(const std::string& path, const std::string& section, const std::string& key,
                int def) override {
        return inner_.ReadInt(path, section, key, def);
    }
    std::string ReadString(const std::string& path, const std::string& section, const std::string& key,
                           const std::string& def) override {
        return inner_.ReadString(path, section, key, def);
    }
    bool WriteString(const std::string& path, const std::string& section, const std::string& key,
                     const std::string& value) override {
        return Note(inner_.WriteString(path, section, key, value));
    }
    bool ReadStruct(const std::string& path, const std::string& section, const std::string& key, void* data,
                    std::size_t size) override {
        return inner_.ReadStruct(path, section, key, data, size);
    }
    bool WriteStruct(const std::string& path, const std::string& section, const std::string& key,
                     const void* data, std::size_t size) override {
        return Note(inner_.WriteStruct(path, section, key, data, size));
    }
    bool AllWritten() const { return failures_ == 0; }

private:
    bool Note(bool written) {
        if (!written) ++failures_;
        return written;
    }
    IProfile& inner_;
    int failures_ = 0;
};

}  // namespace

bool WriteSettingsAtExit(IProfile& store, const std::string& path, const ExitSnapshot& s, IExitHooks& hooks) {
    using namespace settings;
    WriteCheckingProfile p(store);
    CConfigFile config(p, path);
    // 1, 2: where the reader stopped, and the text style.
    config.SaveLastReadEntry(s.fileName, s.page, s.bookPath, s.now);
    config.SaveStyle(s.style);
    // 3: a library folder opened during this run joins the recent folders.
    config.LoadRecentFolders();
    config.AddRecentFolder(s.libraryFolder);
    // 4
    WriteSetting(p, path, kSortFlag, s.sortFlag);
    WriteSetting(p, path, kMarkLine, s.markLine);
    WriteSetting(p, path, kDelBlank, s.deleteBlankLines);
    WriteTextSetting(p, path, kDiyName, s.diyName);
    WriteSetting(p, path, kKeyA, s.keyA);
    WriteSetting(p, path, kKeyV, s.keyV);
    // 5: the custom rules up to the first empty one.
    for (int i = 0; i < kCustomRuleKeys; ++i) {
        const std::string& rule = s.customRules[static_cast<std::size_t>(i)];
        if (rule.empty()) break;
        p.WriteString(path, kRuleDiySection, std::to_string(i), rule);
    }
    // 6
    WriteSetting(p, path, kQuoteFlag, s.quoteFlag);
    WriteSetting(p, path, kLoopFlag, s.loopFlag);
    WriteTextSetting(p, path, kQuotePath, s.quotePath);
    WriteSetting(p, path, kScrollFlag, s.scrollFlag);
    WriteSetting(p, path, kRollType, s.rollType);
    WriteSetting(p, path, kTimeSpan, s.timeSpan);
    WriteSetting(p, path, kTimeEnd, s.timeEnd);
    WriteSetting(p, path, kTimeFirst, s.timeFirst);
    WriteSetting(p, path, kTimeSpanTip, s.timeSpanTip);
    // 7
    WriteSetting(p, path, kBjl, s.marginLeft);
    WriteSetting(p, path, kBjr, s.marginRight);
    WriteSetting(p, path, kBju, s.marginTop);
    WriteSetting(p, path, kBjd, s.marginBottom);
    WriteSetting(p, path, kTrayFlag, s.trayFlag);
    // 8
    hooks.CreditReadingTime();
    // 9
    WriteSetting(p, path, kUnderline, s.underline);
    WriteSetting(p, path, kItalic, s.italic);
    WriteSetting(p, path, kBold, s.bold);
    WriteSetting(p, path, kNightFlag, s.nightFlag);
    WriteSetting(p, path, kKeepOne, s.keepOne);
    WriteSetting(p, path, kKeyUD, s.keyUD);
    WriteSetting(p, path, kSortRuleFlag, s.sortRuleFlag);
    WriteSetting(p, path, kOrgRectFlag, s.sidebarHidden ? 1 : 0);
    WriteSetting(p, path, kQuoteBarFlag, s.bottomBarHidden ? 1 : 0);
    WriteTextSetting(p, path, kPicPath, s.picPath);
    // 10
    WritePlacement(p, path, s.placement);
    WriteSetting(p, path, kToolFlag, s.toolFlag);
    WriteSetting(p, path, kStatusFlag, s.statusFlag);
    WriteSetting(p, path, kShukuFlag, s.sidebarShowsBookFolder ? s.librarySelection : 0);
    // 11
    if (s.editMode) hooks.OfferToSaveText();
    return p.AllWritten();
}

}  // namespace pel
