#include "tools/emulator/console.h"

#include <windows.h>

#include <cwchar>
#include <mutex>

namespace console {
namespace {

std::mutex g_outputLock;

void WriteBytes(DWORD stream, const std::string& bytes) {
  const HANDLE handle = GetStdHandle(stream);
  if (handle == nullptr || handle == INVALID_HANDLE_VALUE) return;
  std::lock_guard<std::mutex> lock(g_outputLock);
  size_t written = 0;
  while (written < bytes.size()) {
    DWORD chunk = 0;
    if (!WriteFile(handle, bytes.data() + written, static_cast<DWORD>(bytes.size() - written), &chunk, nullptr) ||
        chunk == 0)
      return;
    written += chunk;
  }
}

}  // namespace

void Start() { SetConsoleOutputCP(CP_UTF8); }

void Line(std::wstring_view text) { WriteBytes(STD_OUTPUT_HANDLE, ToUtf8(text) + "\n"); }

void Error(std::wstring_view text) { WriteBytes(STD_ERROR_HANDLE, ToUtf8(text) + "\n"); }

std::wstring Timestamp() {
  SYSTEMTIME now;
  GetLocalTime(&now);
  wchar_t text[16];
  std::swprintf(text, 16, L"%02u:%02u:%02u.%03u", now.wHour, now.wMinute, now.wSecond, now.wMilliseconds);
  return text;
}

std::string ToUtf8(std::wstring_view text) {
  if (text.empty()) return {};
  const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr,
                                       nullptr);
  std::string bytes(static_cast<size_t>(size), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), bytes.data(), size, nullptr, nullptr);
  return bytes;
}

std::wstring FromUtf8(std::string_view bytes) {
  if (bytes.empty()) return {};
  const int size = MultiByteToWideChar(CP_UTF8, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
  std::wstring text(static_cast<size_t>(size), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, bytes.data(), static_cast<int>(bytes.size()), text.data(), size);
  return text;
}

}  // namespace console
