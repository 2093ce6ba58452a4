// Registry scripts: the text that names the keys and values a registration
// writes, applied forward (register) or backward (unregister).
//
//   HKCR
//   {
//     NoRemove CLSID
//     {
//       ForceRemove '{...}' = s 'Description'
//       {
//         InprocServer32 = s '%MODULE%'
//         {
//           val ThreadingModel = s 'Apartment'
//         }
//       }
//     }
//   }
//
// Names are bare words or quoted with single quotes (a doubled quote stands for
// one); "= s '...'" after a key sets its default value; "val" names a value.
// NoRemove keys are never deleted; ForceRemove keys are deleted with their
// subtree before they are written. %NAME% is replaced from the replacement list
// (single quotes in the replacement doubled, so the text reads back unchanged);
// %% is a percent sign.
#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "server/registry_access.h"

enum class ScriptDirection { Forward, Backward };

struct ScriptReplacement {
  std::wstring_view name;  // without the percent signs
  std::wstring_view text;
};

enum class KeyMarking { None, NoRemove, ForceRemove };

// One entry of a parsed script: a key with its default value and its body, or
// a named value of the key that holds it.
struct ScriptEntry {
  bool isValue = false;
  KeyMarking marking = KeyMarking::None;
  std::wstring name;
  bool hasData = false;  // whether a key sets its default value
  std::wstring data;
  std::vector<ScriptEntry> children;
};

// Fills in the replacements and parses the text into the keys under its root;
// kScriptInvalid when the text is malformed.
RegistryResult ParseRegistryScript(std::wstring_view script, const std::vector<ScriptReplacement>& replacements,
                                   std::vector<ScriptEntry>& keys);

// Applies parsed keys in one direction, with the rules described below.
RegistryResult ApplyRegistryScript(const std::vector<ScriptEntry>& keys, RegistryAccess& registry,
                                   ScriptDirection direction);

// Parses the script and applies it to the registry. A malformed script gives kScriptInvalid
// and changes nothing. Forward: a failure part-way runs the script backward at
// once and returns the failure. Backward: keys that do not exist are skipped
// with everything beneath them; a key is deleted only when no subkey remains
// and it is not NoRemove; the first failure is returned after the walk.
RegistryResult RunRegistryScript(std::wstring_view script, const std::vector<ScriptReplacement>& replacements,
                                 RegistryAccess& registry, ScriptDirection direction);
