#!/usr/bin/env bash
# Every program of ours follows one convention: --help prints its usage on the standard output
# and exits 0; an unknown option is named on the standard error stream with exit code 2; a file
# that cannot be written is named with the system's reason.
#   option-conventions.sh DATA_DIR PROGRAM...
set -u
data=$1; shift
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
for program in "$@"; do
  name=$(basename "$program")
  (cd "$data" && "$program" --help > "$work/out" 2> "$work/err")
  code=$?
  [ "$code" -eq 0 ] || fail "$name --help exits $code"
  grep -q "usage: .*$name" "$work/out" || fail "$name --help prints no usage on the standard output"
  (cd "$data" && "$program" --bogus > "$work/out" 2> "$work/err")
  code=$?
  [ "$code" -eq 2 ] || fail "$name --bogus exits $code"
  grep -q -- "--bogus" "$work/err" || fail "$name --bogus does not name the option: $(head -1 "$work/err")"
  [ -s "$work/out" ] && fail "$name --bogus writes to the standard output"
  case "$name" in
    make-meshes)
      "$program" "$work/missing" 2> "$work/err"
      code=$?
      [ "$code" -eq 1 ] || fail "make-meshes into a missing folder exits $code"
      [ "$(wc -l < "$work/err")" -eq 1 ] && grep -q "No such file or directory" "$work/err" ||
        fail "make-meshes into a missing folder: $(cat "$work/err")" ;;
    quorvel-bench)
      (cd "$data" && "$program" --seed 1 --model 0 --trace "$work/missing/t.csv" 2> "$work/err" > /dev/null)
      grep -q "No such file or directory" "$work/err" || fail "quorvel-bench gives no reason for a trace it cannot write" ;;
    plot-trace)
      printf 'phase,iteration\n' > "$work/t.csv"
      "$program" "$work/t.csv" "$work/missing/t.png" 2> "$work/err"
      grep -q "No such file or directory" "$work/err" || fail "plot-trace gives no reason for a picture it cannot write" ;;
  esac
done
echo "$# programs: $failures failures"
[ "$failures" -eq 0 ]
