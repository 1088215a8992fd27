#!/usr/bin/env bash
# ./vorlascope.sh run [ARGS...]  installs what is missing, builds, starts the program
# ./vorlascope.sh test           installs what is missing, builds, runs every test
# ./vorlascope.sh bench          builds and runs the benchmarks
# ./vorlascope.sh package        builds and writes build/vorlascope_VERSION_ARCH.deb, checked by lintian
# ./vorlascope.sh check          builds the core, the command line and their tests with
#                                AddressSanitizer and UndefinedBehaviorSanitizer (build-check/), runs them
# ./vorlascope.sh fuzz [SECONDS] builds the fuzz targets with clang (build-fuzz/), runs each SECONDS (60)
set -euo pipefail
cd "$(dirname "$0")"

# configure DIR [CMAKE OPTIONS...]
configure() {
  local dir=$1
  shift
  local generator=()
  command -v ninja >/dev/null && [ ! -f "$dir/CMakeCache.txt" ] && generator=(-G Ninja)
  cmake -S . -B "$dir" "${generator[@]}" "$@" >/dev/null
}

# Sanitized frames are several times larger: the deepest texts the parser
# accepts need more than the usual 8 MB of stack.
sanitized_limits() {
  ulimit -s 262144 2>/dev/null || ulimit -s unlimited 2>/dev/null || true
}

# build [PACKAGES [CMAKE OPTIONS...]]: PACKAGES is the set scripts/install-deps
# adds ("" for none); the tests build with warnings as errors.
build() {
  scripts/install-deps ${1:+"$1"}
  if [ $# -gt 0 ]; then shift; fi
  configure build -DCMAKE_BUILD_TYPE=Release "$@"
  cmake --build build --parallel "${VORLA_JOBS:-2}"
}

# Each target runs from its seed corpus in fuzz/corpus/NAME; what it finds
# new stays in build-fuzz/corpus/NAME, a failing input and the log in
# build-fuzz/findings/NAME.
fuzz() {
  local seconds=${1:-60} failed=()
  scripts/install-deps fuzz
  configure build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ -DVORLA_BUILD_FUZZ=ON \
    -DVORLA_BUILD_GUI=OFF -DVORLA_BUILD_TESTS=OFF -DVORLA_BUILD_BENCH=OFF
  cmake --build build-fuzz --parallel "${VORLA_JOBS:-2}" --target vorla_fuzz
  sanitized_limits
  for seeds in fuzz/corpus/*/; do
    local name findings
    name=$(basename "$seeds")
    findings=build-fuzz/findings/$name
    mkdir -p "build-fuzz/corpus/$name" "$findings"
    build-fuzz/bin/vorla_fuzz_"$name" -max_total_time="$seconds" -timeout=30 -print_final_stats=1 \
      -artifact_prefix="$findings/" "build-fuzz/corpus/$name" "$seeds" >"$findings/log" 2>&1 || failed+=("$name")
    echo "$name: $(grep -m1 '^stat::number_of_executed_units' "$findings/log" | cut -d: -f4 | tr -d ' ') runs," \
      "corpus $(ls "build-fuzz/corpus/$name" | wc -l) new + $(ls "$seeds" | wc -l) seeds"
  done
  [ ${#failed[@]} -eq 0 ] || { echo "findings in: ${failed[*]} (see build-fuzz/findings/)" >&2; exit 1; }
}

case "${1:-}" in
  run)
    shift
    build
    exec build/bin/vorlascope "$@"
    ;;
  test)
    build "" -DVORLA_WARNINGS_AS_ERRORS=ON
    ctest --test-dir build --output-on-failure --parallel "${VORLA_JOBS:-2}"
    ;;
  bench)
    build
    build/bin/vorla_bench
    ;;
  package)
    build package
    rm -f build/vorlascope_*.deb
    (cd build && cpack -G DEB)
    deb=$(ls build/vorlascope_*.deb)
    # Errors fail the package; warnings are printed.
    lintian --fail-on error "$deb"
    echo "$deb"
    ;;
  check)
    scripts/install-deps
    configure build-check -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVORLA_SANITIZE=ON -DVORLA_BUILD_GUI=OFF \
      -DVORLA_BUILD_BENCH=OFF
    cmake --build build-check --parallel "${VORLA_JOBS:-2}"
    sanitized_limits
    # AddressSanitizer ends the program where a refused allocation would
    # raise bad_alloc, so the test of refused memory cannot run under it.
    UBSAN_OPTIONS=print_stacktrace=1 ctest --test-dir build-check --output-on-failure --parallel "${VORLA_JOBS:-2}" \
      -E '^BitmapTest.RefusesRowsBeyondThirtyTwoBitsAndMemoryNotGiven$'
    ;;
  fuzz)
    fuzz "${2:-60}"
    ;;
  *)
    echo "usage: $0 run [DOCUMENT.vlx] | test | bench | package | check | fuzz [SECONDS]" >&2
    exit 2
    ;;
esac
