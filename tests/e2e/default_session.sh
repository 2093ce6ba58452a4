# The shipped default session end to end: catalogue, local answers, calls
# forwarded to the simulated register, status line, timer events, message box
# and Done; a second run finds the "Enabled" setting the first one saved.
source "$(dirname "$0")/lib.sh"

emulator
expect_status 0
expect 'CoCreateInstance: 0x00000000 S_OK'
expect 'RegisterExtensionAs: 0x00000000 S_OK, "BrivexAddInCOMIntegration"'
expect 'profile entry "Enabled": nothing stored yet'
expect 'Methods (GetNMethods: 33)'
expect '   17  GetDescription                    ПОЛУЧИТЬОПИСАНИЕ                      7  function'
expect '    0  IsEnabled         Включен           yes       yes       VT_I4 1'
# Answered by the add-in itself.
expect '[0] VT_BSTR "KOLNA HTTP Driver"'
expect '[5] VT_BOOL 1 (true)'
expect 'return value: VT_BSTR "1.1"'
expect 'Основная поставка драйвера установлена Simulated fiscal register (no hardware)'
# Forwarded to the simulated register: device, shift, check, state, X report, error.
expect '[0] VT_BSTR "SIM-1"'
expect '[2] VT_BSTR "<OutputParameters ShiftNumber=\"1\"/>"'
expect '[6] VT_BSTR "www.nalog.gov.ru"'
expect '[4] VT_I4 2'
expect '[2] VT_BSTR "<OutputParameters ShiftNumber=\"1\" Checks=\"1\" Total=\"150.50\"/>"'
expect '[0] VT_BSTR "No shift is open: call OpenShift first"'
expect 'return value: VT_I4 4'
# The platform's facilities.
expect '[status line] Касса готова к работе'
expect_count 2 'external event: source "ComponentCOM", event "Timer", data "'
expect '[message box] "8.3.22.1709 (platform emulator)" (style 10, timeout 0)'
expect '[profile] TestAddInProfName: Enabled = 0'
expect 'Done: 0x00000000 S_OK'

# The next run starts with the setting the first one saved.
emulator get IsEnabled
expect_status 0
expect 'profile entry "Enabled": 0 (stored by an earlier run)'
expect 'GetPropVal(0): 0x00000000 S_OK, VT_I4 0'
