#!/usr/bin/env bash
# The built Linux programs when things go wrong around them:
#   faults.sh SCENARIO STASHX STASHP HOST_STUB
#   killed        stashx killed at random moments while it replaces a 256 MiB copy
#   full-disk     the copy, and the settings file, on a file system that is full
#   two-at-once   stashx and stashp saving side by side on one qv.ini, read meanwhile
# Exit code 77 means the scenario cannot run here (printed why).
set -uo pipefail
scenario=$1 stashx=$2 stashp=$3 host=$4

# A full disk is a small tmpfs, mounted only in a mount namespace of our own,
# so that nothing stays mounted whatever becomes of us.
if [ "$scenario" == full-disk ]; then
  if ! unshare --mount --propagation private true 2>/dev/null; then
    echo "skipped: no mount namespace can be made here (it needs root)"
    exit 77
  fi
  exec unshare --mount --propagation private bash "$0" full-disk.private "${@:2}"
fi

root=$(mktemp -d)
mounts=()
cleanup() {
  for m in "${mounts[@]}"; do umount "$m" 2>/dev/null; done
  rm -rf "$root"
}
trap cleanup EXIT
app=$root/app out=$root/out
mkdir -p "$app/qvfilex" "$out"
cp "$stashx" "$stashp" "$app/"
. "$(dirname "$0")/../support/expect.sh"

# The names in a folder, hidden ones included, one a line.
names() { LC_ALL=C ls -A "$1"; }
# A file of SIZE bytes, all of them BYTE (one character), unlike any working file.
filled() { head -c "$2" /dev/zero | tr '\0' "$3" >"$1"; }
working_x() { "$host" write "$app/qvfilex/temp.qvx" "$1" 149 414243442020; }
working_p() { "$host" write "$app/qvfilex/temp.qvp" "$1" 106 5051; }
signature() { stat -c '%s %Y %Z %i' "$1"; }
now_us() { local t=${EPOCHREALTIME/./}; echo $((10#$t)); }

# run PROGRAM INPUT: the terminal's text goes to $shown, the exit code to $code.
run() {
  shown=$(printf "%b" "$2" | "$app/$1" 2>&1 >/dev/null)
  code=$?
}

case $scenario in
killed)
  # The new copy is 256 MiB; the old target is smaller and of other bytes,
  # so that any mix of the two, or a cut copy, matches neither.
  working_x $((256 << 20))
  work_sum=$(md5sum <"$app/qvfilex/temp.qvx")
  work_sig=$(signature "$app/qvfilex/temp.qvx")
  target=$out/report.qvx
  filled "$root/old" $((1 << 20)) o
  printf '%s\n\n' "$target" >"$root/answers"  # the path, then OK to replace
  ini_after=$'[RWfolder]\r\nName='"$out/"$'\r\n'

  # One whole save first, to know how long one takes.
  cp "$root/old" "$target"
  start=$(now_us)
  "$app/stashx" <"$root/answers" >/dev/null 2>&1
  took=$(($(now_us) - start))
  cmp -s "$target" "$app/qvfilex/temp.qvx" || fail "an unhindered save did not replace the target"
  echo "one save takes ${took} µs"

  trials=30 old=0 new=0 left=0
  for ((i = 0; i < trials; i++)); do
    cp "$root/old" "$target"
    rm -f "$app/qv.ini"
    # One moment in each thirtieth of a save, at random within it.
    delay=$((took * (i * 32768 + RANDOM) / (trials * 32768)))
    "$app/stashx" <"$root/answers" >/dev/null 2>&1 &
    pid=$!
    sleep "$(printf '%d.%06d' $((delay / 1000000)) $((delay % 1000000)))"
    kill -KILL "$pid" 2>/dev/null
    wait "$pid" 2>/dev/null

    at="trial $i, killed after ${delay} µs"
    if cmp -s "$target" "$root/old"; then
      old=$((old + 1))
    elif cmp -s "$target" "$app/qvfilex/temp.qvx"; then
      new=$((new + 1))
    else
      fail "$at: the target holds neither the old bytes nor the new ones"
    fi
    expect_eq "$(signature "$app/qvfilex/temp.qvx")" "$work_sig" "$at: working file"
    others=$(names "$out" | grep -vxF report.qvx)
    if [ -n "$others" ]; then
      left=$((left + 1))
      expect_eq "$(wc -l <<<"$others")" 1 "$at: files left beside the target"
      grep -qvxE '\.report\.qvx\.[A-Za-z0-9]+' <<<"$others" &&
        fail "$at: left beside the target: $others"
      (cd "$out" && rm -f -- $others)
    fi
    # The settings file is written after the copy: absent, or whole.
    if [ -e "$app/qv.ini" ]; then
      expect_eq "$(cat "$app/qv.ini"; printf .)" "$ini_after." "$at: settings file"
    fi
    ini_left=$(names "$app" | grep -c '^\.qv\.ini\.')
    [ "$ini_left" -le 1 ] || fail "$at: $ini_left hidden settings files left"
    rm -f "$app"/.qv.ini.*
  done
  echo "killed $trials times: $old with the old bytes, $new with the new, $left temporary files left"
  [ "$old" -gt 0 ] || fail "no kill landed before the copy was done"
  [ "$left" -gt 0 ] || fail "no kill caught a copy under way"
  expect_eq "$(md5sum <"$app/qvfilex/temp.qvx")" "$work_sum" "working file after all trials"
  ;;

full-disk.private)
  # out/ is a 1 MiB file system holding a 600 KiB target: a 700 KiB copy
  # would fit on its own, but not beside the old target it must not lose.
  if ! mount -t tmpfs -o size=1m tmpfs "$out" 2>/dev/null; then
    echo "skipped: a tmpfs cannot be mounted here (it needs root, or a mount namespace)"
    exit 77
  fi
  mounts+=("$out")
  working_x $((700 << 10))
  filled "$root/old" $((600 << 10)) o
  cp "$root/old" "$out/report.qvx"
  run stashx "$out/report.qvx\n\n"
  expect_eq "$code" 0 "exit code when the copy does not fit"
  expect_in "$shown" "同名ﾌｧｲﾙがあります" "overwrite prompt"
  expect_in "$shown" "ファイル $out/report.qvx は保存できません" "error text"
  cmp -s "$out/report.qvx" "$root/old" || fail "the old target was not kept"
  expect_eq "$(names "$out")" report.qvx "nothing left beside the target"
  expect_in "$(cat "$app/qv.ini")" "Name=$out/" "folder remembered all the same"

  # The settings file on a full file system: the copy lands, the settings
  # file stays as it was, and neither is reported.
  mkdir "$root/small-app"
  mount -t tmpfs -o size=16m tmpfs "$root/small-app" || { fail "second tmpfs"; passed "$scenario"; }
  mounts=("$root/small-app" "${mounts[@]}")
  app=$root/small-app
  mkdir -p "$app/qvfilex" "$root/disk"
  cp "$stashx" "$app/"
  working_x 5000
  printf '[RWfolder]\r\nName=%s\r\n' "$root" >"$app/qv.ini"
  cp "$app/qv.ini" "$root/ini.before"
  dd if=/dev/zero of="$app/filler" bs=4096 count=8192 2>/dev/null  # more than the 16 MiB
  run stashx "$root/disk/report\n"
  expect_eq "$code" 0 "exit code when the settings file cannot be written"
  expect_not_in "$shown" "できません" "no error for the settings file"
  cmp -s "$root/disk/report.qvx" "$app/qvfilex/temp.qvx" || fail "copy beside a full settings folder"
  cmp -s "$app/qv.ini" "$root/ini.before" || fail "settings file changed on a full disk"
  expect_eq "$(names "$app" | tr '\n' ' ')" "filler qv.ini qvfilex stashx " "nothing left beside the settings file"
  ;;

two-at-once)
  working_x 600
  working_p 300
  # A settings file with more in it than the two entries: comments, other
  # sections, a key of the same name elsewhere, a line that is no entry and
  # one that ends in LF alone.
  pre=$'; shared by both programs\r\n[Window]\r\nLeft=10\r\n\r\n[RWfolder]\r\n; last folders\r\nName='
  mid=$'\r\nOther=kept\r\nPName='
  post=$'\r\nno entry\n\r\n[Zeta]\r\nName=not ours\r\n'
  original="$pre/old/x/$mid/old/p/$post"
  printf '%s' "$original" >"$app/qv.ini"
  chmod 640 "$app/qv.ini"
  # A well-formed file, as a reader sees it in one read: every byte of the
  # original, in order, except the two values of [RWfolder]: Name holds
  # /old/x/ or a whole folder that stashx saved to, PName /old/p/ or one that
  # stashp saved to. So no line is missing or added, no key doubled, no value
  # cut or mixed with another, and nothing else changed. (Quoted parts of the
  # pattern match as they stand.)
  well_formed() {
    [[ $1 =~ ^"$pre"(/old/x/|"$out"/x/([0-9]+)/)"$mid"(/old/p/|"$out"/p/([0-9]+)/)"$post"$ ]]
  }
  well_formed "$original" || fail "the pattern does not take the original"

  mkdir "$out/x" "$out/p"
  saves() {  # PROGRAM FOLDER: 100 saves one after the other, each into a folder of its own
    local k
    for ((k = 1; k <= 100; k++)); do
      mkdir "$out/$2/$k"
      printf '%s\n' "$out/$2/$k/r" | "$app/$1" >/dev/null 2>&1 || echo "$1 save $k: exit code $?"
      [ -s "$out/$2/$k/r.qv$2" ] || echo "$1 save $k: no copy"
    done
  }
  saves stashx x >"$root/x.log" &
  xpid=$!
  saves stashp p >"$root/p.log" &
  ppid=$!

  # The reader starts no process of its own, so it reads as often as it can.
  reads=0 last_x=0 last_p=0
  while kill -0 "$xpid" 2>/dev/null || kill -0 "$ppid" 2>/dev/null; do
    seen=
    { IFS= read -r -d '' seen <"$app/qv.ini"; } 2>/dev/null
    [ -n "$seen" ] || { fail "read $reads: unreadable or empty"; break; }
    reads=$((reads + 1))
    if ! well_formed "$seen"; then
      fail "read $reads: not well formed: $(printf '%s' "$seen" | od -c | head -20)"
      break
    fi
    # A writer that kept a stale copy of the other's entry would move it back.
    x=${BASH_REMATCH[2]:-0} p=${BASH_REMATCH[4]:-0}
    [ "$x" -ge "$last_x" ] || fail "read $reads: Name went back from $last_x to $x"
    [ "$p" -ge "$last_p" ] || fail "read $reads: PName went back from $last_p to $p"
    last_x=$x last_p=$p
  done
  wait "$xpid" "$ppid"
  echo "$reads reads while 200 saves ran"
  [ -s "$root/x.log" ] && fail "stashx: $(cat "$root/x.log")"
  [ -s "$root/p.log" ] && fail "stashp: $(cat "$root/p.log")"
  [ "$reads" -gt 0 ] || fail "the reader never read"

  printf '%s' "$pre$out/x/100/$mid$out/p/100/$post" | cmp -s - "$app/qv.ini" ||
    fail "settings file at the end: $(od -c "$app/qv.ini" | head -20)"
  expect_eq "$(stat -c %a "$app/qv.ini")" 640 "settings file's permissions"
  expect_eq "$(names "$app" | tr '\n' ' ')" "qv.ini qvfilex stashp stashx " "nothing left beside the settings file"
  ;;

*)
  echo "unknown scenario $scenario"
  exit 2
  ;;
esac

passed "$scenario"
