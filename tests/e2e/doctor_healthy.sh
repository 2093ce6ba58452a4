# With both DLLs registered by regsvr32, the doctor finds nothing to fix.
source "$(dirname "$0")/lib.sh"

emulator doctor
expect_status 0
expect 'AddIn.BrivexAddInCOMIntegration (the add-in)'
expect "AddInCOMIntegration.DLL"
expect 'threading model        Apartment'
expect 'creation               0x00000000 S_OK'
expect_count 2 'OK: registered and creatable'
expect 'No problems found.'
