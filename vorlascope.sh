#!/usr/bin/env bash
# ./vorlascope.sh run [ARGS...]  installs what is missing, builds, starts the program
# ./vorlascope.sh test           installs what is missing, builds, runs every test
# ./vorlascope.sh bench          builds and runs the benchmarks
set -euo pipefail
cd "$(dirname "$0")"

# Extra arguments go to the configuration (the tests build with warnings as errors).
build() {
  scripts/install-deps
  local generator=()
  command -v ninja >/dev/null && [ ! -f build/CMakeCache.txt ] && generator=(-G Ninja)
  cmake -S . -B build "${generator[@]}" -DCMAKE_BUILD_TYPE=Release "$@" >/dev/null
  cmake --build build --parallel "${VORLA_JOBS:-2}"
}

case "${1:-}" in
  run)
    shift
    build
    exec build/bin/vorlascope "$@"
    ;;
  test)
    build -DVORLA_WARNINGS_AS_ERRORS=ON
    ctest --test-dir build --output-on-failure --parallel "${VORLA_JOBS:-2}"
    ;;
  bench)
    build
    build/bin/vorla_bench
    ;;
  *)
    echo "usage: $0 run [DOCUMENT.vlx] | test | bench" >&2
    exit 2
    ;;
esac
