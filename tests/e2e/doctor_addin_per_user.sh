# An add-in registered for the current user only is invisible to COM here: the
# doctor says so and how to register it for the machine; the emulator reports
# the same cause.
source "$(dirname "$0")/lib.sh"
trap 'wine_run regsvr32 /s /u /n /i:user "$addin_dll"; wine_run regsvr32 /s "$addin_dll"' EXIT

regsvr32 /u "$addin_dll"
regsvr32 /n /i:user "$addin_dll"
emulator doctor
expect_status 1
expect 'ProgID, machine-wide   no'
expect 'ProgID, per user       yes'
expect 'PROBLEM: ProgID "AddIn.BrivexAddInCOMIntegration" is registered for this user only'
expect 'FIX:     register it for the machine, as administrator: wine regsvr32 "'
expect 'then remove the per-user entry: wine regsvr32 /u /n /i:user "'

emulator call GETVERSION
expect_status 3
expect 'cause: ProgID "AddIn.BrivexAddInCOMIntegration" is registered for this user only'
