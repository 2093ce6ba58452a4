# A faulty session file is reported with its file name and line number before
# anything runs (the component is not even created); exit status 2.
source "$(dirname "$0")/lib.sh"

check_fault() {  # check_fault LINE MESSAGE, for $work/bad.session
  emulator session "Z:$work/bad.session"
  expect_status 2
  expect "bad.session:$1: $2"
  expect_not 'Creating "'
}

printf '# a comment\n\ncall GETVERSION\nfrobnicate now\n' >"$work/bad.session"
check_fault 4 'unknown command "frobnicate" (expected catalogue, call, get, set, wait or echo)'

printf 'call GETVERSION\ncall PROCESSCHECK "unterminated\n' >"$work/bad.session"
check_fault 2 'unterminated quoted text'

printf 'wait\nwait soon\n' >"$work/bad.session"
check_fault 1 '"wait" needs a number of seconds from 0 to 600'

printf 'catalogue\n\n\ncall\n' >"$work/bad.session"
check_fault 4 '"call" needs a member name'

printf 'set IsEnabled\n' >"$work/bad.session"
check_fault 1 '"set" needs a property name and one value'

printf 'call PROCESSCHECK 1 int:x\n' >"$work/bad.session"
check_fault 1 'argument 2: "int:x" is not a 32-bit integer'

emulator session "Z:$work/missing.session"
expect_status 2
expect 'cannot open the session file'

emulator --progid
expect_status 2
expect '--progid needs a value'
emulator launch
expect_status 2
expect 'unknown command "launch"'
