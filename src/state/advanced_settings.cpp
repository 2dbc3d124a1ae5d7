#include "state/advanced_settings.h"

#include <algorithm>
#include <climits>
#include <string>

#include "book/message_flags.h"

namespace pel {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r'; }

int ListSelection(int value) { return value >= 0 && value <= 2 ? value : kNoSelection; }

}  // namespace

int QuoteRadioOf(int quoteFlag) {
    switch (quoteFlag) {
        case kQuoteBuiltIn:
            return kQuoteRadioBuiltIn;
        case kQuoteFromFile:
            return kQuoteRadioCustom;
        case kQuoteOff:
            return kQuoteRadioOff;
        default:
            return kQuoteRadioNone;
    }
}

AdvancedDialogData OpenAdvancedDialog(const AdvancedSettings& settings) {
    AdvancedDialogData d;
    d.quoteRadio = QuoteRadioOf(settings.quote.quoteFlag);
    d.quotePath = settings.quote.quotePath;
    d.quotePathShown = settings.quote.quotePath;
    d.loop = settings.quote.loopFlag == 1;
    d.scroll = settings.quote.scrollFlag == 1;
    d.customControlsEnabled = settings.quote.quoteFlag == kQuoteFromFile;
    d.rollType = ListSelection(settings.autoScroll.rollType);
    d.timeSpan = std::to_string(settings.autoScroll.timeSpan);
    d.timeEnd = std::to_string(settings.autoScroll.timeEnd);
    d.timeFirst = std::to_string(settings.autoScroll.timeFirst);
    d.timeSpanTip = std::to_string(settings.timeSpanTip);
    d.marginLeft = std::to_string(settings.margins.left);
    d.marginRight = std::to_string(settings.margins.right);
    d.marginTop = std::to_string(settings.margins.top);
    d.marginBottom = std::to_string(settings.margins.bottom);
    d.trayFlag = ListSelection(settings.trayFlag);
    d.diyName = settings.diyName;
    return d;
}

void ClickQuoteRadio(AdvancedDialogData& dialog, int radio) {
    if (radio < kQuoteRadioBuiltIn || radio > kQuoteRadioOff) return;
    dialog.quoteRadio = radio;
    dialog.customControlsEnabled = radio == kQuoteRadioCustom;
}

const char* StartingInterval(int rollType) {
    switch (rollType) {
        case kRollByPixel:
            return "30";
        case kRollByLine:
            return "3000";
        case kRollByScreen:
            return "30000";
        default:
            return "";
    }
}

void ChooseRollType(AdvancedDialogData& dialog, int index) {
    dialog.rollType = ListSelection(index);
    if (dialog.rollType != kNoSelection) dialog.timeSpan = StartingInterval(dialog.rollType);
}

void ChooseQuoteFile(AdvancedDialogData& dialog, const std::string& fullPath) {
    dialog.quotePath = fullPath;
    // The file dialog gives Windows paths; a GBK trail byte that equals '\' is no separator.
    const std::size_t cut = FindLastOf(fullPath, "\\/");
    dialog.quotePathShown = cut == std::string::npos ? fullPath : fullPath.substr(cut + 1);
}

int ParseDecimal(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && IsBlank(text[i])) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    long long value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = value * 10 + (text[i] - '0');
        if (value > static_cast<long long>(INT_MAX) + 1)
            break;  // the rest of the digits cannot bring it back
    }
    if (negative) value = -value;
    if (value > INT_MAX) return INT_MAX;
    if (value < INT_MIN) return INT_MIN;
    return static_cast<int>(value);
}

bool AcceptAdvancedDialog(const AdvancedDialogData& dialog, AdvancedSettings& settings) {
    QuoteSettings& quote = settings.quote;
    switch (dialog.quoteRadio) {
        case kQuoteRadioBuiltIn:
            quote.quoteFlag = kQuoteBuiltIn;
            break;
        case kQuoteRadioCustom:
            // The file and its two check boxes count only with "自定义"; otherwise they stay as they were.
            quote.quoteFlag = kQuoteFromFile;
            quote.quotePath = dialog.quotePath;
            quote.loopFlag = dialog.loop ? 1 : 0;
            quote.scrollFlag = dialog.scroll ? 1 : 0;
            break;
        case kQuoteRadioOff:
            quote.quoteFlag = kQuoteOff;
            break;
        default:
            break;
    }
    settings.autoScroll.timeSpan = ParseDecimal(dialog.timeSpan);
    settings.autoScroll.rollType = ListSelection(dialog.rollType);
    settings.trayFlag = ListSelection(dialog.trayFlag);
    if (settings.trayFlag == kNoSelection) return false;
    settings.timeSpanTip = std::max(0, ParseDecimal(dialog.timeSpanTip));
    settings.autoScroll.timeEnd = ParseDecimal(dialog.timeEnd);
    settings.autoScroll.timeFirst = ParseDecimal(dialog.timeFirst);
    settings.margins.left = ParseDecimal(dialog.marginLeft);
    settings.margins.right = ParseDecimal(dialog.marginRight);
    settings.margins.top = ParseDecimal(dialog.marginTop);
    settings.margins.bottom = ParseDecimal(dialog.marginBottom);
    settings.diyName = dialog.diyName;
    return true;
}

MarginMove MoveTextMargins(const TextRect& rect, const TextMargins& applied, const TextMargins& wanted) {
    // In 64 bits: margins typed as any int must not overflow the sums.
    const long long left = rect.left + (static_cast<long long>(wanted.left) - applied.left);
    const long long top = rect.top + (static_cast<long long>(wanted.top) - applied.top);
    const long long right = rect.right - (static_cast<long long>(wanted.right) - applied.right);
    const long long bottom = rect.bottom - (static_cast<long long>(wanted.bottom) - applied.bottom);
    const auto fits = [](long long v) { return v >= INT_MIN && v <= INT_MAX; };
    if (right - left < kMinTextAreaPixels || bottom - top < kMinTextAreaPixels || !fits(left) || !fits(top) ||
        !fits(right) || !fits(bottom)) {
        return {false, rect};
    }
    return {
        true,
        {static_cast<int>(left), static_cast<int>(top), static_cast<int>(right), static_cast<int>(bottom)}};
}

void ApplyAdvancedSettings(AdvancedSettings& settings, TextMargins& appliedMargins, QuoteBar& quotes,
                           AutoScroller& scroller, Reader& reader, IAdvancedSettingsHost& host) {
    reader.customTitle = settings.diyName;
    reader.SyncTitle();
    quotes.Restart();
    scroller.ApplySettings(settings.autoScroll);
    const MarginMove move = MoveTextMargins(host.PageFormatRect(), appliedMargins, settings.margins);
    if (!move.accepted) {
        settings.margins = appliedMargins;
        host.MessageBox(kMarginsTooSmall, kAppCaption, kMbOk);
        return;
    }
    host.SetPageFormatRect(move.rect);
    appliedMargins = settings.margins;
}

}  // namespace pel
