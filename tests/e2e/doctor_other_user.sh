# A main driver registered only in another user's hive (here the default
# user's): the doctor names that user and gives the machine-wide registration.
source "$(dirname "$0")/lib.sh"
other='HKU\.DEFAULT\Software\Classes\AddIn.BrivexAddInCOM'
trap 'wine_run reg delete "$other" /f >/dev/null 2>&1; wine_run regsvr32 /s "$simulator_dll"' EXIT

regsvr32 /u "$simulator_dll"
wine_run reg add "$other\\CLSID" /ve /d '{D6DE84B7-ED69-4BCE-A249-9758263308C7}' /f >/dev/null || fail "reg add failed"
emulator doctor
expect_status 1
expect 'ProgID, other users    .Default'
expect 'PROBLEM: ProgID "AddIn.BrivexAddInCOM" is registered only for another user (.Default), not for this one nor for the machine'
expect 'FIX:     register it for the machine, as administrator: wine regsvr32 "'
