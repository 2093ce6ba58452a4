# Registers one of the two DLLs in the e2e prefix with regsvr32, machine-wide.
source "$(dirname "$0")/lib.sh"
case "$1" in
  simulator) wine_run regsvr32 "$simulator_dll" ;;
  addin) wine_run regsvr32 "$addin_dll" ;;
esac
