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
#include <string_view>
#include <vector>

#include "server/registry_access.h"

enum class ScriptDirection { Forward, Backward };

struct ScriptReplacement {
  std::wstring_view name;  // without the percent signs
  std::wstring_view text;
};

// Applies the script to the registry. A malformed script gives kScriptInvalid
// and changes nothing. Forward: a failure part-way runs the script backward at
// once and returns the failure. Backward: keys that do not exist are skipped
// with everything beneath them; a key is deleted only when no subkey remains
// and it is not NoRemove; the first failure is returned after the walk.
RegistryResult RunRegistryScript(std::wstring_view script, const std::vector<ScriptReplacement>& replacements,
                                 RegistryAccess& registry, ScriptDirection direction);
