# Every kind of typed argument reaches the component as its VARIANT type, on
# the command line and in a session file; a value that does not fit its
# spelled-out type is refused before anything is called.
source "$(dirname "$0")/lib.sh"

# The simulated register refuses a check on a closed device and leaves the
# parameters as they were sent.
emulator call PROCESSCHECK "text:42" 42 -1.25 true empty
expect_status 0
expect 'ProcessCheck / СФОРМИРОВАТЬЧЕК: function, 7 parameters'
expect 'parameters 5 to 6 not given: passed as VT_EMPTY'
expect '[0] VT_BSTR "42"'
expect '[1] VT_I4 42'
expect '[2] VT_R8 -1.25'
expect '[3] VT_BOOL -1 (true)'
expect '[4] VT_EMPTY'
expect 'return value: VT_BOOL 0 (false)'

emulator call СформироватьЧек "Иванова А.А." int:7 num:3 bool:false "text:true" false
expect_status 0
expect '[0] VT_BSTR "Иванова А.А."'
expect '[1] VT_I4 7'
expect '[2] VT_R8 3'
expect '[3] VT_BOOL 0 (false)'
expect '[4] VT_BSTR "true"'

cat >"$work/typed.session" <<'SESSION'
call PROCESSCHECK "quoted \"text\" with blanks" 2147483647 0.5 false empty "" 12abc
set IsEnabled 0
get IsEnabled
set IsEnabled true
SESSION
emulator session "Z:$work/typed.session"
expect_status 0
expect '[0] VT_BSTR "quoted \"text\" with blanks"'
expect '[1] VT_I4 2147483647'
expect '[2] VT_R8 0.5'
expect '[3] VT_BOOL 0 (false)'
expect '[5] VT_BSTR ""'
expect '[6] VT_BSTR "12abc"'
expect 'SetPropVal(0, VT_I4 0): 0x00000000 S_OK'
expect 'GetPropVal(0): 0x00000000 S_OK, VT_I4 0'
# The property accepts only VT_I4: a boolean is refused by the component.
expect 'SetPropVal(0, VT_BOOL -1 (true)): 0x00000001 S_FALSE'

emulator call PROCESSCHECK int:12abc
expect_status 1
expect 'argument 1: "int:12abc" is not a 32-bit integer'
expect_not 'CallAsFunc'
emulator call PROCESSCHECK bool:yes
expect_status 1
expect 'is not a boolean (true or false)'
