# Without the main driver's registration the doctor names the problem and the
# command that fixes it; the emulator cannot create the driver and says why,
# while the add-in still works and answers forwarded calls with false.
source "$(dirname "$0")/lib.sh"
trap 'wine_run regsvr32 /s "$simulator_dll"' EXIT

regsvr32 /u "$simulator_dll"
emulator doctor
expect_status 1
expect 'PROBLEM: ProgID "AddIn.BrivexAddInCOM" is not registered ("invalid class string")'
expect 'FIX:     wine regsvr32 "'
expect 'BrivexFiscalRegisterSim.DLL"'
expect '1 problem(s) found.'

emulator --progid AddIn.BrivexAddInCOM call GETVERSION
expect_status 3
expect 'CLSIDFromProgID: 0x800401F3 CO_E_CLASSSTRING (invalid class string)'
expect 'cause: ProgID "AddIn.BrivexAddInCOM" is not registered'
expect 'fix:   wine regsvr32'

emulator call ПОДКЛЮЧИТЬ
expect_status 0
expect 'return value: VT_BOOL 0 (false)'
expect '[0] VT_EMPTY'
