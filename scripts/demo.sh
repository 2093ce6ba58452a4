#!/usr/bin/env bash
# Builds everything, registers both DLLs (the add-in and the simulated fiscal
# register that serves as its main driver) with regsvr32 in the demonstration's
# own Wine prefix, and runs the default session with the platform emulator.
# Run it again: the second run starts with the "Enabled" setting the first saved.
# Arguments are handed to the emulator: scripts/demo.sh doctor, scripts/demo.sh catalogue, ...
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$("$root/scripts/build.sh" i686)
demo="$build/demo"
"$demo/wine-prefix.sh" start
trap '"$demo/wine-prefix.sh" stop' EXIT
for dll in BrivexFiscalRegisterSim.DLL AddInCOMIntegration.DLL; do
  "$demo/wine-run.sh" regsvr32 /s "Z:$build/bin/$dll" || { echo "demo: regsvr32 $dll failed" >&2; exit 1; }
done
"$demo/wine-run.sh" "$build/bin/addin_emulator.exe" --profile "Z:$demo/profile.ini" "$@"
