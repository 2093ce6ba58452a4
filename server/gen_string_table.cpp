// Build-machine program: writes the module's string table (resource script)
// from the member catalogue. Every character is written as an escape, so the
// resource compiler reads the texts independently of any code page.
#include <cstdio>
#include <string>

#include "addin/catalogue_table.h"

namespace {

void WriteString(std::FILE* out, int id, const std::wstring& text) {
  std::fprintf(out, "  %d, L\"", id);
  for (wchar_t c : text) std::fprintf(out, "\\x%04X", static_cast<unsigned>(c));
  std::fprintf(out, "\"\n");
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s OUTPUT.rc\n", argv[0]);
    return 2;
  }
  std::FILE* out = std::fopen(argv[1], "w");
  if (!out) {
    std::perror(argv[1]);
    return 1;
  }
  std::fprintf(out, "// Generated from the member catalogue; do not edit.\n");
  std::fprintf(out, "LANGUAGE 0x09, 0x01\nSTRINGTABLE\nBEGIN\n");
  for (const auto& row : catalogue::kProperties)
    WriteString(out, row.stringId, std::wstring(row.english) + L"," + row.russian);
  for (const auto& row : catalogue::kMethods)
    if (row.stringId != 0) WriteString(out, row.stringId, std::wstring(row.english) + L"," + row.russian);
  for (const auto& row : catalogue::kMessages) WriteString(out, row.stringId, row.text);
  std::fprintf(out, "END\n");
  return std::fclose(out) == 0 ? 0 : 1;
}
