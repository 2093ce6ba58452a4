# FindMethod receives the name exactly as typed: a name the platform's rules do
# not find is reported, with a hint at the spelling that works.
source "$(dirname "$0")/lib.sh"

emulator call GetVersion
expect_status 1
expect 'FindMethod("GetVersion"): -1, 0x00000001 S_FALSE'
expect 'member not found: "GetVersion"'
expect 'by its English name in capitals ("GETVERSION") or by its Russian name in any case ("ПОЛУЧИТЬНОМЕРВЕРСИИ")'
expect_not 'CallAsFunc'

emulator call получитьномерверсии
expect_status 0
expect 'FindMethod("получитьномерверсии"): 16, 0x00000000 S_OK'

emulator call ENABLE
expect_status 1
expect 'the platform finds it only when written exactly: "Enable" or "Включить"'

emulator call IsEnabled
expect_status 1
expect '"IsEnabled" is a property: use "get IsEnabled"'

emulator call NoSuchMember
expect_status 1
expect '"catalogue" lists every member'

emulator get isenabled
expect_status 1
expect 'property not found: "isenabled"'

emulator call GETVERSION 1
expect_status 1
expect 'too many arguments: 1 argument given, 0 parameters taken'

# In a session the other steps still run; the exit status reports the failure.
printf 'call GetVersion\ncall GETVERSION\n' >"$work/mixed.session"
emulator session "Z:$work/mixed.session"
expect_status 1
expect 'member not found: "GetVersion"'
expect 'CallAsFunc(16): 0x00000000 S_OK'
