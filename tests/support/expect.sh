# Checks shared by the scenario scripts; source it, then end with `passed`.
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
expect_eq() { [ "$1" == "$2" ] || fail "$3: expected [$2], got [$1]"; }
expect_in() { grep -qF -- "$2" <<<"$1" || fail "$3: [$2] not in: $1"; }
expect_line() { grep -qxF -- "$2" <<<"$1" || fail "$3: no line [$2] in: $1"; }
expect_not_in() { ! grep -qF -- "$2" <<<"$1" || fail "$3: [$2] should not be in: $1"; }
same_file() { cmp -s "$1" "$2" || fail "$3: $2 is not a copy of $1"; }
# The scenario's verdict, as its exit code.
passed() { [ "$failures" -eq 0 ] && echo "$1: passed" || exit 1; }
