# Helpers of the end-to-end tests: run the emulator in the e2e prefix, check
# its exit status and its output. Every check that fails prints what it
# expected and the whole output, then the test ends with status 1.
set -u
export LC_ALL=C.UTF-8  # Cyrillic arguments reach the program intact
test_name=$(basename "$0" .sh)
work="$E2E_WORK/$test_name"
rm -rf "$work" && mkdir -p "$work"
profile="Z:$work/profile.ini"
addin_dll="Z:$E2E_BIN/AddInCOMIntegration.DLL"
simulator_dll="Z:$E2E_BIN/BrivexFiscalRegisterSim.DLL"

status=0
output=""

wine_run() { "$E2E_WINE_RUN" "$@"; }

# emulator ARGS...: runs the emulator; sets $output (stdout and stderr) and $status.
emulator() {
  output=$(wine_run "$E2E_BIN/addin_emulator.exe" --profile "$profile" "$@" 2>&1)
  status=$?
}

fail() {
  echo "FAILED: $*"
  echo "---- output of the last run (exit status $status) ----"
  echo "$output"
  exit 1
}

expect_status() { [ "$status" -eq "$1" ] || fail "exit status $status, expected $1"; }
expect() { grep -qF -- "$1" <<<"$output" || fail "no line containing: $1"; }
expect_not() { ! grep -qF -- "$1" <<<"$output" || fail "a line contains: $1"; }
# expect_count N TEXT: at least N lines contain TEXT.
expect_count() {
  local found
  found=$(grep -cF -- "$2" <<<"$output")
  [ "$found" -ge "$1" ] || fail "$found lines contain \"$2\", expected at least $1"
}

regsvr32() { wine_run regsvr32 /s "$@" || fail "regsvr32 $* failed"; }
