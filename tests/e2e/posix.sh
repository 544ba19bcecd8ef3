#!/usr/bin/env bash
# The built Linux programs, run as a user would, answered on standard input:
#   posix.sh SCENARIO STASHX STASHP HOST_STUB
# Each scenario lays out a fresh program folder and checks the copy's bytes,
# the settings file and the exit code.
set -uo pipefail
scenario=$1 stashx=$2 stashp=$3 host=$4

root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
app=$root/app out=$root/out
mkdir -p "$app/qvfilex" "$out"
cp "$stashx" "$stashp" "$app/"
. "$(dirname "$0")/../support/expect.sh"

# The title field: 表題 (95 5C 91 E8) then "Ab" then blanks, at X's offset 149;
# "P" then two blanks then NULs at P's offset 106.
"$host" write "$app/qvfilex/temp.qvx" 600 149 955c91e84162$(printf '20%.0s' {1..24})
"$host" write "$app/qvfilex/temp.qvp" 300 106 502020$(printf '00%.0s' {1..27})

# run PROGRAM INPUT: the terminal's text goes to $shown, the exit code to $code.
run() {
  shown=$(printf "%b" "$2" | "$app/$1" 2>&1 >/dev/null)
  code=$?
}
ini() { cat "$app/qv.ini" 2>/dev/null; }

case $scenario in
save)
  run stashx "$out/report\n"
  expect_eq "$code" 0 "exit code"
  expect_in "$shown" "名前を付けて保存" "dialog title"
  expect_in "$shown" "[表題A.qvx]" "proposed name (trimmed, last character cut)"
  expect_in "$shown" "$app/qvfilex/" "starting folder before any save"
  expect_in "$shown" "ｸｳﾞｧﾙﾌｧｲﾙ(*.qvx)" "filter"
  same_file "$app/qvfilex/temp.qvx" "$out/report.qvx" "copy"
  expect_eq "$(ini)" $'[RWfolder]\r\nName='"$out/"$'\r' "settings file"
  # The next run opens in the folder saved to, and takes the proposal as it is.
  run stashx "\n"
  expect_in "$shown" "$out/" "starting folder after a save"
  same_file "$app/qvfilex/temp.qvx" "$out/$(printf '\x95\x5c\x91\xe8A').qvx" "copy under the proposed name"
  ;;
overwrite)
  printf old >"$out/report.qvx"
  run stashx "$out/report.qvx\nno\n"
  expect_eq "$code" 0 "exit code when refused"
  expect_in "$shown" "同名ﾌｧｲﾙがあります" "prompt text"
  expect_in "$shown" "キャンセル" "prompt buttons"
  expect_eq "$(cat "$out/report.qvx")" old "refused: old file kept"
  [ -e "$app/qv.ini" ] && fail "refused: settings file written"
  run stashx "$out/report.qvx\n\n"
  expect_eq "$code" 0 "exit code when allowed"
  same_file "$app/qvfilex/temp.qvx" "$out/report.qvx" "allowed: replaced"
  expect_in "$(ini)" "Name=$out/" "allowed: folder remembered"
  ;;
cancel)
  run stashx ""
  expect_eq "$code" 0 "exit code"
  expect_eq "$(ls -A "$out")" "" "no copy"
  [ -e "$app/qv.ini" ] && fail "settings file written"
  ;;
locked)
  coproc holder { "$host" hold "$app/qvfilex/temp.qvx"; }
  read -r held <&"${holder[0]}"
  expect_eq "$held" held "host holds the file"
  run stashx "$out/report\n"
  expect_eq "$code" 0 "exit code"
  expect_in "$shown" "-- stashx --" "error box caption"
  expect_in "$shown" "ファイル $app/qvfilex/temp.qvx は開けません." "error text"
  expect_not_in "$shown" "名前を付けて保存" "no dialog"
  [ -e "$out/report.qvx" ] && fail "copied"
  exec {holder[1]}>&-
  wait
  ;;
copy-fails)
  mkdir "$out/report.qvx"
  run stashx "$out/report\n"
  expect_eq "$code" 0 "exit code"
  expect_not_in "$shown" "同名ﾌｧｲﾙ" "no prompt for a folder"
  expect_in "$shown" "ファイル $out/report.qvx は保存できません." "error text"
  expect_in "$(ini)" "Name=$out/" "folder remembered all the same"
  ;;
two-programs)
  run stashp "$out/p\n"
  expect_in "$shown" "[P  .qvp]" "raw title keeps blanks"
  same_file "$app/qvfilex/temp.qvp" "$out/p.qvp" "stashp's copy"
  mkdir "$out/x"
  run stashx "$out/x/x\n"
  expect_eq "$(ini)" $'[RWfolder]\r\nPName='"$out/"$'\r\nName='"$out/x/"$'\r' "both entries"
  run stashp "\n"
  expect_line "$shown" "保存する場所: $out/" "stashp keeps its own folder"
  ;;
*)
  echo "unknown scenario $scenario"
  exit 2
  ;;
esac

passed "$scenario"
