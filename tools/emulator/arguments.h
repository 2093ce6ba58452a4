// Typed arguments as the user writes them, on the command line or in a session
// file, and VARIANTs as the emulator prints them.
//
//   "any text"   text (quotes only in session files; \" and \\ inside)
//   42  -7       integer (VT_I4)
//   1.5  -0.25   number (VT_R8)
//   true false   boolean (VT_BOOL)
//   empty        no value (VT_EMPTY)
//   text:42  int:42  num:42  bool:true   the same with the type spelled out
//   anything else is text
#pragma once
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "support/variant.h"

namespace arguments {

struct Token {
  std::wstring text;
  bool quoted = false;  // written in double quotes: always text
};

// Splits a session line into blank-separated tokens; a token in double quotes
// may hold blanks. Returns the error text for an unterminated quote.
std::optional<std::wstring> SplitLine(std::wstring_view line, std::vector<Token>& tokens);

// The VARIANT for one token; the error text when a spelled-out type does not fit.
std::optional<std::wstring> Parse(const Token& token, Variant& value);

// "VT_BSTR \"text\"", "VT_I4 42", "VT_BOOL 1 (true)", "VT_EMPTY", ...
std::wstring Describe(const VARIANT& value);
// The name of a VARIANT type: "VT_I4", "VT_BSTR | VT_BYREF", ...
std::wstring TypeName(VARTYPE type);

}  // namespace arguments
