// Shared helpers of the resource check (tools/check_resources.sh): results and text conversion.
#pragma once
#include <string>

namespace check {

// Counts a result; a failure prints `what` (CP936) as UTF-8.
void Expect(bool ok, const std::string& what);
std::string ToUtf8(const std::string& cp936);

// Creates every dialog template hidden and checks its caption, font, size, controls and layout.
void CheckDialogs(bool print);
// Shows one dialog, filled as in the check, for a while (for screenshots).
void ShowDialog(int id, int milliseconds);

}  // namespace check
