# The simulated register driven directly, as the main driver's ProgID: its
# numbering follows the member catalogue and its state follows the calls.
source "$(dirname "$0")/lib.sh"

cat >"$work/register.session" <<'SESSION'
call PROCESSCHECK "SIM-1" false 5
call GETLASTERROR
call OPEN
call OPEN
call GETLASTERROR
call PROCESSCHECK "SIM-1" false 5
call GETLASTERROR
call OPENSHIFT "SIM-1" empty
call OPENSHIFT "SIM-1" empty
call PROCESSCHECK "SIM-1" false 100.25
call PROCESSCHECK "SIM-9" false 1
call GETLASTERROR
call CASHINOUTCOME "SIM-1" empty -500
call CASHINOUTCOME "SIM-1" empty -50
call PRINTXREPORT "SIM-1"
call GETCURRENTSTATUS "SIM-1"
call CLOSESHIFT "SIM-1"
call GETCURRENTSTATUS "SIM-1"
call OPENSHIFT "SIM-1"
call CLOSE "SIM-1"
call GETCURRENTSTATUS "SIM-1"
call GETLASTERROR
SESSION
emulator --progid AddIn.BrivexAddInCOM session "Z:$work/register.session"
expect_status 0
expect 'RegisterExtensionAs: 0x00000000 S_OK, "BrivexFiscalRegisterSim"'
# Each answer in order: a compact transcript of return values and outputs.
answers=$(grep -E '^  (return value|\[[0-9]\] VT_(BSTR|I4))' <<<"$output" | grep -vF '"SIM-1"' | tr -s ' ')
expected=' return value: VT_BOOL 0 (false)
 [2] VT_I4 5
 return value: VT_I4 1
 [0] VT_BSTR "The device is not open: call Open first"
 return value: VT_BOOL 1 (true)
 return value: VT_BOOL 0 (false)
 return value: VT_I4 2
 [0] VT_BSTR "The device is already open"
 return value: VT_BOOL 0 (false)
 [2] VT_I4 5
 return value: VT_I4 4
 [0] VT_BSTR "No shift is open: call OpenShift first"
 return value: VT_BOOL 1 (true)
 [2] VT_BSTR "<OutputParameters ShiftNumber=\"1\"/>"
 [3] VT_I4 1
 [4] VT_I4 1
 return value: VT_BOOL 0 (false)
 return value: VT_BOOL 1 (true)
 [3] VT_I4 1
 [4] VT_I4 1
 [5] VT_BSTR "3000015838"
 [6] VT_BSTR "www.nalog.gov.ru"
 return value: VT_BOOL 0 (false)
 [0] VT_BSTR "SIM-9"
 [2] VT_I4 1
 return value: VT_I4 3
 [0] VT_BSTR "Unknown device ID \"SIM-9\" (the open device is SIM-1)"
 return value: VT_BOOL 0 (false)
 [2] VT_I4 -500
 return value: VT_BOOL 1 (true)
 [2] VT_I4 -50
 return value: VT_BOOL 1 (true)
 return value: VT_BOOL 1 (true)
 [2] VT_I4 1
 [3] VT_I4 1
 [4] VT_I4 2
 return value: VT_BOOL 1 (true)
 [2] VT_BSTR "<OutputParameters ShiftNumber=\"1\" Checks=\"1\" Total=\"100.25\"/>"
 [3] VT_I4 1
 [4] VT_I4 5
 return value: VT_BOOL 1 (true)
 [2] VT_I4 1
 [3] VT_I4 1
 [4] VT_I4 1
 return value: VT_BOOL 1 (true)
 [2] VT_BSTR "<OutputParameters ShiftNumber=\"2\"/>"
 [3] VT_I4 2
 [4] VT_I4 6
 return value: VT_BOOL 1 (true)
 return value: VT_BOOL 0 (false)
 return value: VT_I4 1
 [0] VT_BSTR "The device is not open: call Open first"'
[ "$answers" = "$expected" ] || { diff <(echo "$expected") <(echo "$answers"); fail "the register's answers differ"; }

# A fresh instance starts from a closed device: state lives only as long as the instance.
emulator --progid AddIn.BrivexAddInCOM call GETCURRENTSTATUS
expect 'return value: VT_BOOL 0 (false)'
