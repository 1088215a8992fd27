#!/usr/bin/env bash
# ./vorlascope.sh run [ARGS...]  installs what is missing, builds, starts the program
# ./vorlascope.sh test           installs what is missing, builds, runs every test
# ./vorlascope.sh bench          builds and runs the benchmarks
# ./vorlascope.sh package        builds and writes build/vorlascope_VERSION_ARCH.deb, checked by lintian
set -euo pipefail
cd "$(dirname "$0")"

build() {
  scripts/install-deps "$@"
  local generator=()
  command -v ninja >/dev/null && [ ! -f build/CMakeCache.txt ] && generator=(-G Ninja)
  cmake -S . -B build "${generator[@]}" -DCMAKE_BUILD_TYPE=Release >/dev/null
  cmake --build build --parallel "${VORLA_JOBS:-2}"
}

case "${1:-}" in
  run)
    shift
    build
    exec build/bin/vorlascope "$@"
    ;;
  test)
    build
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
  *)
    echo "usage: $0 run [DOCUMENT.vlx] | test | bench | package" >&2
    exit 2
    ;;
esac
