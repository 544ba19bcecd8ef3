#!/usr/bin/env bash
# A program must be a GUI program of the expected machine that loads no DLL
# beyond the system's own: check_imports.sh OBJDUMP MACHINE PROGRAM...
set -euo pipefail
objdump=$1 machine=$2
shift 2
system='^(kernel32|user32|gdi32|comdlg32|advapi32|shell32|msvcrt|ntdll|comctl32|ole32|ws2_32|api-ms-win-crt-[a-z-]+-l1-1-0)\.dll$'
status=0
for program in "$@"; do
  headers=$("$objdump" -p "$program")
  grep -q "^Subsystem.*(Windows GUI)" <<<"$headers" || { echo "$program: not a GUI program"; status=1; }
  "$objdump" -f "$program" | grep -q "file format $machine" || { echo "$program: not $machine"; status=1; }
  grep -q 'manifest\|requestedExecutionLevel' <(strings "$program") &&
    { echo "$program: carries a manifest"; status=1; }
  while read -r dll; do
    grep -qiE "$system" <<<"$dll" || { echo "$program: imports $dll"; status=1; }
    echo "$program: $dll"
  done < <(awk '/DLL Name:/ {print $3}' <<<"$headers")
done
exit $status
