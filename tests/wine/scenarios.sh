#!/usr/bin/env bash
# The Windows programs under Wine, in a virtual X display, driven through
# their windows:
#   scenarios.sh SCENARIO BUILD_DIR
# BUILD_DIR holds programs/stashx.exe, programs/stashp.exe,
# tests/tools/host_stub.exe and tests/wine/driver.exe. Screenshots go to
# BUILD_DIR/screenshots.
set -uo pipefail
scenario=$1 build=$(cd "$2" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
wine_run=$here/../../scripts/wine-run
# A prefix of their own: each scenario ends by stopping its Wine server, and
# its desktop belongs to the scenario's display.
prefix=$build/wineprefix-gui
# Wine leaves permission checks to the kernel, which lets root write over a
# read-only file. The scenario that needs Windows' refusal runs Wine as an
# ordinary user (nobody), with a prefix and a home of that user's.
as_user=() user_stage= xvfb= root=
cleanup() {
  [ -z "$xvfb" ] || kill "$xvfb" 2>/dev/null
  stop_wine
  [ -z "$root" ] || rm -rf "$root"
  [ -z "$user_stage" ] && return
  # The server folder Wine keeps for that user's prefix, named after it.
  [ -d "$prefix" ] && rm -rf "/tmp/.wine-65534/$(stat -c 'server-%d-%i' "$prefix" |
    awk -F- '{printf "server-%x-%x", $2, $3}')"
  rm -rf "$user_stage"
}
trap cleanup EXIT
if [ "$scenario" = target-faults ] && [ "$(id -u)" = 0 ]; then
  # Staged in a folder of that user's, outside the build tree, which that
  # user may not be able to reach.
  user_stage=$(mktemp -d /tmp/stash-wine-user.XXXXXX)
  mkdir -p "$user_stage/tools"
  cp "$build/tests/wine/driver.exe" "$build/tests/tools/host_stub.exe" "$wine_run" "$user_stage/tools/"
  wine_run=$user_stage/tools/wine-run
  chown -R 65534:65534 "$user_stage"
  prefix=$user_stage/prefix
  as_user=(setpriv --reuid=65534 --regid=65534 --clear-groups env HOME="$user_stage")
  driver_exe=$user_stage/tools/driver.exe host_stub_exe=$user_stage/tools/host_stub.exe
  cd "$user_stage"  # a working folder that user can reach; every path here is absolute
fi
: "${driver_exe:=$build/tests/wine/driver.exe}" "${host_stub_exe:=$build/tests/tools/host_stub.exe}"
shots=$build/screenshots
mkdir -p "$shots"
. "$here/../support/expect.sh"

# Shift_JIS bytes of a UTF-8 text, in hex.
sj() { printf '%s' "$1" | iconv -f UTF-8 -t CP932 | od -An -tx1 | tr -d ' \n'; }
w() { "${as_user[@]}" "$wine_run" "$prefix" "$@"; }
stop_wine() { WINEPREFIX=$prefix "${as_user[@]}" wineserver -k 2>/dev/null || true; }
drive() { w "$driver_exe" "$@" | tr -d '\r'; }
shot() { import -display "$DISPLAY" -window root "$shots/$scenario-$1.png" && echo "screenshot: $shots/$scenario-$1.png"; }

# Nothing left over from an earlier run may hold the prefix's desktop.
stop_wine

# A display of our own.
for n in $(seq 90 190); do [ -e /tmp/.X11-unix/X$n ] || [ -e /tmp/.X$n-lock ] || break; done
Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
export DISPLAY=:$n
for _ in $(seq 50); do [ -e /tmp/.X11-unix/X$n ] && break; sleep 0.1; done

# The program folder on the Wine drive C:.
w cmd /c exit >/dev/null 2>&1  # makes the prefix if it is new
dir=stash-$scenario-$$
root=$prefix/drive_c/$dir
app=$root/app out=$root/out
winapp="C:\\$dir\\app" winout="C:\\$dir\\out"
mkdir -p "$app/qvfilex" "$out"
cp "$build/programs/stashx.exe" "$build/programs/stashp.exe" "$app/"
[ ${#as_user[@]} -eq 0 ] || chown -R 65534:65534 "$root"

# Titles: "Report" then blanks for stashx; "P" and two blanks for stashp.
w "$host_stub_exe" write "$winapp\\qvfilex\\temp.qvx" 500 149 \
  $(sj "Report")$(printf '20%.0s' {1..24})
w "$host_stub_exe" write "$winapp\\qvfilex\\temp.qvp" 300 106 \
  502020$(printf '00%.0s' {1..27})

# start PROGRAM: runs it in the background; `finish` waits for its exit code.
start() { w "$app/$1.exe" & program=$!; }
finish() { wait "$program"; code=$?; }
ini() { tr -d '\r' <"$app/qv.ini" 2>/dev/null; }
dialog() { drive wait "$(sj 名前を付けて保存)" 20000; }
# The error box: a dialog captioned with the program's title (the hidden
# application window has the same caption).
error_box() {
  local e
  for _ in $(seq 100); do
    e=$(drive list | awk -v c="$(sj "$1")" '$2 == "#32770" && $8 == c {print $1}' | head -1)
    [ -n "$e" ] && echo "$e" && return 0
    sleep 0.2
  done
  return 1
}
save_as() {  # HWND PATH
  drive settext "$1" 1148 "$(printf '%s' "$2" | od -An -tx1 | tr -d ' \n')"
  drive click "$1" 1
}

case $scenario in
propose)
  start stashx
  d=$(dialog) || fail "no save dialog"
  shot dialog
  expect_eq "$(drive text "$d" 1148)" "$(sj Repor.qvx)" "proposed name"
  expect_eq "$(drive text "$d" 1136)" "$(sj 'ｸｳﾞｧﾙﾌｧｲﾙ(*.qvx)')" "file type"
  expect_eq "$(drive text "$d" 1137)" "$(sj qvfilex)" "starts in the working folder"
  form=$(drive list | awk -v c="$(sj Form1)" '$8 == c {print $1}' | head -1)
  expect_eq "$(drive rect "$form")" "-150 -100 -25 -7" "Form1 out of sight"
  drive list | awk '{print $8}' | grep -qx "$(sj stashx)" || fail "no window titled stashx"
  save_as "$d" "$winout\\report"
  finish
  expect_eq "$code" 0 "exit code"
  cmp -s "$app/qvfilex/temp.qvx" "$out/report.qvx" || fail "copy differs"
  expect_eq "$(ini)" "[RWfolder]"$'\n'"Name=$winout\\" "settings file"
  # The next run opens where this one saved.
  start stashx
  d=$(dialog) || fail "no save dialog on the second run"
  expect_eq "$(drive text "$d" 1137)" "$(sj out)" "starts in the folder saved to"
  drive click "$d" 2
  finish
  ;;
overwrite)
  printf old >"$out/report.qvx"
  for answer in 2 1; do
    start stashx
    d=$(dialog) || fail "no save dialog"
    save_as "$d" "$winout\\report.qvx"
    m=$(drive wait "$(sj 警告)" 20000) || fail "no prompt"
    shot "prompt-$answer"
    expect_eq "$(drive text "$m" 65535)" "$(sj $'同名ﾌｧｲﾙがあります\n\r上書きして良いですか。')" "prompt text"
    expect_eq "$(drive text "$m" 1)" "$(sj OK)" "OK button"
    expect_eq "$(drive text "$m" 2)" "$(sj キャンセル)" "cancel button"
    drive click "$m" "$answer"
    finish
    expect_eq "$code" 0 "exit code"
    if [ "$answer" = 2 ]; then
      expect_eq "$(cat "$out/report.qvx")" old "refused: old file kept"
      [ -e "$app/qv.ini" ] && fail "refused: settings written"
    else
      cmp -s "$app/qvfilex/temp.qvx" "$out/report.qvx" || fail "allowed: not replaced"
    fi
  done
  ;;
cancel)
  start stashx
  d=$(dialog) || fail "no save dialog"
  drive click "$d" 2
  finish
  expect_eq "$code" 0 "exit code"
  expect_eq "$(ls -A "$out")" "" "no copy"
  [ -e "$app/qv.ini" ] && fail "settings written"
  ;;
locked)
  coproc holder { w "$host_stub_exe" hold "$winapp\\qvfilex\\temp.qvx"; }
  read -r held <&"${holder[0]}"
  expect_eq "${held%$'\r'}" held "host holds the file"
  start stashx
  e=$(error_box stashx) || fail "no error box"
  shot error
  expect_eq "$(drive text "$e" 65535)" "$(sj "ファイル $winapp\\qvfilex\\temp.qvx は開けません.")" "error text"
  drive click "$e" 1
  finish
  expect_eq "$code" 0 "exit code"
  exec {holder[1]}>&-
  ;;
copy-fails)
  mkdir "$out/report.qvx"
  start stashx
  d=$(dialog) || fail "no save dialog"
  save_as "$d" "$winout\\report"
  e=$(error_box stashx) || fail "no error box"
  shot error
  expect_eq "$(drive text "$e" 65535)" "$(sj "ファイル $winout\\report.qvx は保存できません.")" "error text"
  drive click "$e" 1
  finish
  expect_eq "$code" 0 "exit code"
  expect_eq "$(ini)" "[RWfolder]"$'\n'"Name=$winout\\" "folder remembered all the same"
  ;;
two-programs)
  # 表 and ソ end in the byte of "\": the folder is remembered whole. Wine
  # keeps Windows names as UTF-8 on the Linux side.
  sjdir=$(printf '%s' 表ソ | iconv -f UTF-8 -t CP932)
  mkdir "$out/表ソ"
  start stashp
  d=$(dialog) || fail "no save dialog"
  expect_eq "$(drive text "$d" 1148)" "$(sj 'P  .qvp')" "raw title keeps blanks"
  save_as "$d" "$winout\\$sjdir\\p"
  finish
  start stashx
  d=$(dialog) || fail "no save dialog"
  save_as "$d" "$winout\\report.QVX"
  finish
  cmp -s "$app/qvfilex/temp.qvp" "$out/表ソ/p.qvp" || fail "stashp's copy"
  cmp -s "$app/qvfilex/temp.qvx" "$out/report.QVX.qvx" || fail "stashx's copy"
  expect_eq "$(ini | od -An -tx1 | tr -d ' \n')" \
    "$(printf '%s\n' "[RWfolder]" "PName=$winout\\$sjdir\\" "Name=$winout\\" | od -An -tx1 | tr -d ' \n')" \
    "both entries"
  ;;
start-request)
  # Started as a shortcut may ask: normal, maximized, minimized without
  # activation. The framework applies the request to its windows when the
  # message loop starts; a program of ours on the framework alone reports how
  # they were left (form: visible zoomed iconic; application: visible iconic).
  cp "$build/tests/wine/start_probe.exe" "$app/"
  probe() { drive start "$1" "$winapp\\start_probe.exe"; }
  expect_eq "$(probe 1)" "form=1 0 0 application=1 0" "normal start"
  expect_eq "$(probe 3)" "form=1 1 0 application=1 0" "maximized start: form covers the screen"
  expect_eq "$(probe 7)" "form=0 0 0 application=1 1" "minimized start: only the taskbar button"
  # The save dialog itself shows and works, whatever the request.
  for show in 3 7; do
    drive start "$show" "$winapp\\stashx.exe" & program=$!
    d=$(dialog) || fail "start $show: no save dialog"
    shot "dialog-$show"
    expect_eq "$(drive text "$d" 1148)" "$(sj Repor.qvx)" "start $show: proposed name"
    save_as "$d" "$winout\\start-$show"
    finish
    expect_eq "$code" 0 "start $show: exit code"
    cmp -s "$app/qvfilex/temp.qvx" "$out/start-$show.qvx" || fail "start $show: copy differs"
  done
  ;;
target-faults)
  # A read-only target, then a target whose folder is not there: each copy
  # fails and its error box shows; the old file and the working file stay as
  # they were, nothing is created, and the folder is remembered all the same.
  cp "$app/qvfilex/temp.qvx" "$root/working-before"
  printf old >"$out/report.qvx"
  # Owned by the user Wine runs as, so that only the attribute refuses it.
  [ ${#as_user[@]} -eq 0 ] || chown 65534:65534 "$out/report.qvx"
  chmod a-w "$out/report.qvx"  # Wine's read-only attribute
  for target in "report" "missing\\report"; do
    start stashx
    d=$(dialog) || fail "$target: no save dialog"
    save_as "$d" "$winout\\$target"
    # A read-only file is still there: the overwrite prompt comes first.
    if [ "$target" = report ]; then
      m=$(drive wait "$(sj 警告)" 20000) || fail "$target: no prompt"
      drive click "$m" 1
    fi
    e=$(error_box stashx) || fail "$target: no error box"
    shot "error-${target%%\\*}"
    expect_eq "$(drive text "$e" 65535)" "$(sj "ファイル $winout\\$target.qvx は保存できません.")" "$target: error text"
    drive click "$e" 1
    finish
    expect_eq "$code" 0 "$target: exit code"
    expect_eq "$(ini)" "[RWfolder]"$'\n'"Name=$winout\\${target%report}" "$target: folder remembered"
  done
  expect_eq "$(cat "$out/report.qvx")" old "read-only target kept"
  expect_eq "$(ls -A "$out")" report.qvx "nothing created beside it"
  cmp -s "$app/qvfilex/temp.qvx" "$root/working-before" || fail "working file changed"
  ;;
*)
  echo "unknown scenario $scenario"
  exit 2
  ;;
esac

passed "$scenario"
