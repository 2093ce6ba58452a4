# A ProgID whose class key has been deleted: "class not registered", from the
# doctor and from the emulator, with regsvr32 as the fix.
source "$(dirname "$0")/lib.sh"
trap 'wine_run regsvr32 /s "$simulator_dll"' EXIT

wine_run reg delete 'HKCR\CLSID\{D6DE84B7-ED69-4BCE-A249-9758263308C7}' /f "$E2E_REG_VIEW" >/dev/null || fail "reg delete failed"
emulator doctor
expect_status 1
expect 'PROBLEM: the ProgID names class {D6DE84B7-ED69-4BCE-A249-9758263308C7}, which is not registered ("class not registered")'
expect 'BrivexFiscalRegisterSim.DLL"'

emulator --progid AddIn.BrivexAddInCOM catalogue
expect_status 3
expect 'CoCreateInstance: 0x80040154 REGDB_E_CLASSNOTREG (class not registered)'
expect 'cause: the ProgID names class {D6DE84B7-ED69-4BCE-A249-9758263308C7}, which is not registered'
