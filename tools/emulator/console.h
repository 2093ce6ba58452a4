// The emulator's output: UTF-8 bytes written straight to standard output, one
// whole piece at a time. The timer thread prints while the main thread does, so
// every write takes one lock.
#pragma once
#include <string>
#include <string_view>

namespace console {

// Prepares standard output for UTF-8 (a console is switched to code page 65001).
void Start();
// Writes `text` followed by a line break.
void Line(std::wstring_view text);
// Writes `text` to standard error, followed by a line break.
void Error(std::wstring_view text);
// The local time of day as "hh:mm:ss.mmm".
std::wstring Timestamp();

std::string ToUtf8(std::wstring_view text);
std::wstring FromUtf8(std::string_view text);

}  // namespace console
