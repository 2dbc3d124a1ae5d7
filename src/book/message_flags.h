// Message-box flags and answers with the values the Win32 MessageBox uses, so that the reading
// logic can ask its questions without <windows.h>.
#pragma once

namespace pel {

constexpr unsigned kMbOk = 0x00;
constexpr unsigned kMbOkCancel = 0x01;
constexpr unsigned kMbYesNo = 0x04;
constexpr unsigned kMbIconStop = 0x10;
constexpr unsigned kMbIconExclamation = 0x30;

constexpr int kIdOk = 1;
constexpr int kIdCancel = 2;
constexpr int kIdYes = 6;
constexpr int kIdNo = 7;

// Caption of the boxes that do not name one of their own: the program's name.
inline constexpr const char* kAppCaption = "Pelinreader";
// Caption of informational boxes that close themselves.
inline constexpr const char* kHintCaption = "提示";

// View timers the reading logic starts and stops.
constexpr int kTimerCloseTip = 100;  // closes the box titled "提示", once
constexpr int kCloseTipDelayMs = 1000;
constexpr int kTimerWholeBookLines = 102;
constexpr int kWholeBookTimerPeriodMs = 200;

}  // namespace pel
