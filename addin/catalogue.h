// The member catalogue's questions, answered from the catalogue table and the
// module's string table. Every range rule here is the one the platform relies on.
#pragma once
#include <optional>
#include <string>
#include <string_view>

#include "addin/catalogue_table.h"

namespace catalogue {

// One half of the name pair stored under string `id`: alias 0 the English
// name, alias 1 the Russian name (everything after the first comma), any other
// alias the empty text. A pair without a comma gives its whole text for every alias.
std::wstring LoadNamePair(int id, long alias);

// Raises the Cyrillic small letters а..я to capitals; everything else,
// Latin letters and ё included, is kept as it is.
std::wstring RaiseCyrillic(std::wstring_view name);

// Property number of `name` (exact, case-sensitive), or -1.
long FindProp(std::wstring_view name);
// Method number of `name`, or -1: methods 0 to 6 by their exact name pair,
// methods 7 to 31 by the finder literals after raising Cyrillic small letters.
long FindMethod(std::wstring_view name);

// Name of property 0 or 1; nothing for any other number.
std::optional<std::wstring> PropertyName(long number, long alias);
// Name of a named method (0 to 29); nothing for any other number.
std::optional<std::wstring> MethodName(long number, long alias);
// Parameter count of methods 0 to 32; nothing for any other number.
std::optional<long> ParamCount(long number);
// Whether a named method (0 to 29) returns a value; nothing for any other number.
std::optional<bool> HasReturnValue(long number);

}  // namespace catalogue
