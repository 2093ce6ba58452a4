#!/bin/sh
# Checks that the DLL is a PE file of the expected architecture, carries its
# exact file name and imports only DLLs of the system.
objdump=$1 dll=$2 arch=$3
case "$arch" in
  i686) format=pei-i386 ;;
  x86_64) format=pei-x86-64 ;;
  *) echo "unknown architecture $arch"; exit 2 ;;
esac
[ "$(basename "$dll")" = AddInCOMIntegration.DLL ] || { echo "wrong file name: $dll"; exit 1; }
"$objdump" -f "$dll" | grep -q "file format $format" || { echo "not $format"; exit 1; }
bad=0
for name in $("$objdump" -p "$dll" | sed -n 's/^\s*DLL Name: //p'); do
  case "$(echo "$name" | tr 'A-Z' 'a-z')" in
    kernel32.dll|user32.dll|advapi32.dll|ole32.dll|oleaut32.dll|msvcrt.dll|shlwapi.dll|api-ms-win-*) echo "imports $name" ;;
    *) echo "imports a non-system DLL: $name"; bad=1 ;;
  esac
done
exit $bad
