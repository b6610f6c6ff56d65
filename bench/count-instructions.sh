#!/bin/bash
# Instructions per collision query of collide-bench's queries, counted by callgrind inside
# CollideModels only. Unlike times on a shared machine, the counts agree within about 1 % from run
# to run (a run gets through more or fewer of the poses) and on every processor with AVX2.
#   bench/count-instructions.sh [BUILD] [BENCHMARK...]
# BUILD defaults to build/release; the benchmarks to the four queries on the processor's path.
set -euo pipefail
usage="usage: count-instructions.sh [BUILD] [BENCHMARK...]"
case "${1:-}" in
  --help | -h) echo "$usage"; exit 0 ;;
  -*) echo "count-instructions.sh: unknown option $1" >&2; echo "$usage" >&2; exit 2 ;;
esac
build=${1:-build/release}
shift || true
benchmarks=("$@")
[ ${#benchmarks[@]} -gt 0 ] || benchmarks=(SphereSphereFirstContact SphereBoxFirstContact
                                            SphereSphereAllPairs SphereBoxAllPairs)
command -v valgrind > /dev/null || { echo "needs valgrind (apt-get install valgrind)" >&2; exit 2; }
out=$(mktemp)
trap 'rm -f "$out"' EXIT
for name in "${benchmarks[@]}"; do
  valgrind --tool=callgrind --callgrind-out-file="$out" --toggle-collect='CollideModels*' \
    "$build/bin/collide-bench" --benchmark_filter="^BM_$name\$" --benchmark_min_time=1 \
    > /dev/null 2>&1
  # The calls of CollideModels, under its number in the output's name table, and the total.
  id=$(grep -oE "^c?fn=\([0-9]+\) CollideModels\(" "$out" | head -1 | grep -oE "\([0-9]+\)")
  calls=$(awk -v id="cfn=$id" 'index($0, id) == 1 { getline; if (sub(/^calls=/, "")) s += $1 }
                              END { print s + 0 }' "$out")
  total=$(awk '/^summary:/ { print $2 }' "$out")
  [ "$calls" -gt 0 ] || { echo "$name: no query counted" >&2; exit 1; }
  echo "$name: $calls queries, $((total / calls)) instructions per query"
done
