# A registration whose DLL file has gone: the doctor shows the path, marks the
# file missing and gives both fixes; the emulator reports the missing DLL.
source "$(dirname "$0")/lib.sh"
trap 'wine_run regsvr32 /s "$simulator_dll"' EXIT

mkdir -p "$work/moved"
cp "$E2E_BIN/BrivexFiscalRegisterSim.DLL" "$work/moved/"
regsvr32 "Z:$work/moved/BrivexFiscalRegisterSim.DLL"
rm "$work/moved/BrivexFiscalRegisterSim.DLL"

emulator doctor
expect_status 1
expect 'moved\BrivexFiscalRegisterSim.DLL'
expect 'file                   MISSING'
expect 'PROBLEM: the registered DLL "'
expect 'does not exist'
expect 'FIX:     put the file back there, or register the DLL where it is now: wine regsvr32 "'
expect 'reg delete "HKCR\CLSID\{D6DE84B7-ED69-4BCE-A249-9758263308C7}" /f'

emulator --progid AddIn.BrivexAddInCOM call GETVERSION
expect_status 3
expect 'Cannot create "AddIn.BrivexAddInCOM"'
expect 'cause: the registered DLL "'
