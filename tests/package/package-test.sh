#!/usr/bin/env bash
# The installed package as someone else's program sees it. One step per CTest test:
#   package-test.sh install    BUILD SOURCE   cmake --install into BUILD/package-test/prefix;
#                                             only the public headers, the SONAME, both libraries
#   package-test.sh cmake      BUILD SOURCE   the example built with find_package(Quorvel 1.0)
#   package-test.sh pkg-config BUILD SOURCE   the example and the quick start built with
#                                             pkg-config, shared and static; same answers
#   package-test.sh python     BUILD SOURCE   the installed Python module imported from the prefix
set -euo pipefail
step=$1
build=$(readlink -f "$2")
source=$(readlink -f "$3")
scratch=$build/package-test
prefix=$scratch/prefix
data=$source/data
example=$source/examples/collide-meshes

fail() { echo "package-test $step: $*" >&2; exit 1; }

# The example's two answers: spheres touching, and far apart.
run_example() {
  local program=$1
  "$program" "$data/sphere03.tris" "$data/sphere03.tris"
  "$program" "$data/sphere03.tris" "$data/box.tris" 0 0 0
  "$program" "$data/sphere03.tris" "$data/sphere03.tris" 5 0 0
}
expected() {
  run_example "$1" > "$scratch/$step.out"
  grep -q '^contact: ' <(sed -n 1p "$scratch/$step.out") || fail "the touching spheres were not reported touching"
  grep -q '^no contact' <(sed -n 2p "$scratch/$step.out") || fail "a sphere in the middle of the box touched it"
  grep -q '^no contact' <(sed -n 3p "$scratch/$step.out") || fail "spheres 5 apart touched"
}

case "$step" in
  install)
    rm -rf "$scratch"
    mkdir -p "$scratch"
    cmake --install "$build" --prefix "$prefix" > "$scratch/install.log"
    installed=$(cd "$prefix/include/quorvel" && ls | sort | tr '\n' ' ')
    public=$(cd "$source/src/collision" && ls *.h | sort | tr '\n' ' ')
    [ "$installed" = "$public" ] || fail "installed headers '$installed', public ones '$public'"
    [ -f "$prefix/lib/libquorvel-collision.a" ] || fail "no static library"
    soname=$(readelf -d "$prefix/lib/libquorvel-collision.so" | sed -n 's/.*SONAME.*\[\(.*\)\]/\1/p')
    [ "$soname" = libquorvel-collision.so.1 ] || fail "SONAME '$soname'"
    [ -f "$prefix/lib/$soname" ] || fail "no $soname"
    ;;
  cmake)
    cmake -S "$example" -B "$scratch/cmake-build" -DCMAKE_PREFIX_PATH="$prefix" > "$scratch/cmake.log"
    cmake --build "$scratch/cmake-build" > "$scratch/cmake-build.log"
    expected "$scratch/cmake-build/collide-meshes"
    cat "$scratch/cmake.out"
    # The version file refuses a later major version.
    mkdir -p "$scratch/version-check"
    printf 'cmake_minimum_required(VERSION 3.16)\nproject(V LANGUAGES CXX)\nfind_package(Quorvel 2.0 REQUIRED)\n' \
      > "$scratch/version-check/CMakeLists.txt"
    if cmake -S "$scratch/version-check" -B "$scratch/version-check/build" -DCMAKE_PREFIX_PATH="$prefix" \
      > "$scratch/version-check.log" 2>&1; then
      fail "find_package(Quorvel 2.0) accepted version 1"
    fi
    ;;
  pkg-config)
    export PKG_CONFIG_PATH=$prefix/lib/pkgconfig
    libdir=$(pkg-config --variable=libdir quorvel-collision)
    c++ -std=c++17 -Wall -Wextra -o "$scratch/collide-meshes-shared" "$example/collide-meshes.cpp" \
      $(pkg-config --cflags --libs quorvel-collision) -Wl,-rpath,"$libdir"
    c++ -std=c++17 -Wall -Wextra -o "$scratch/collide-meshes-static" "$example/collide-meshes.cpp" \
      $(pkg-config --cflags quorvel-collision) "$libdir/libquorvel-collision.a"
    readelf -d "$scratch/collide-meshes-static" | grep -q quorvel && fail "the static build needs the shared library"
    expected "$scratch/collide-meshes-shared"
    cp "$scratch/$step.out" "$scratch/$step-shared.out"
    expected "$scratch/collide-meshes-static"
    cmp "$scratch/$step.out" "$scratch/$step-shared.out" || fail "shared and static answers differ"
    [ -f "$scratch/cmake.out" ] && { cmp "$scratch/$step.out" "$scratch/cmake.out" || fail "pkg-config and CMake builds differ"; }
    # The README's C++ snippet.
    c++ -std=c++17 -Wall -Wextra -o "$scratch/quick-start" "$source/examples/quick-start.cpp" \
      $(pkg-config --cflags --libs quorvel-collision) -Wl,-rpath,"$libdir"
    (cd "$data" && "$scratch/quick-start") | tee "$scratch/quick-start.out"
    grep -q '^touch: triangle ' "$scratch/quick-start.out" || fail "the quick start found no contact"
    cat "$scratch/$step.out"
    ;;
  python)
    site=$(find "$prefix" -type d -name quorvel -path '*site-packages*')
    [ -n "$site" ] || fail "no quorvel package under $prefix"
    PYTHONPATH=$(dirname "$site") /usr/bin/python3 -c "
import quorvel, sys
assert quorvel.__file__.startswith('$prefix'), quorvel.__file__
print(len(quorvel.Model.from_tris('$data/sphere01.tris')), 'triangles from', quorvel.__file__)"
    ;;
  *) fail "unknown step" ;;
esac
