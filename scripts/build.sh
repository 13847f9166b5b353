#!/usr/bin/env bash
# Configures and builds into build/ (or build-asan/ with --sanitize, core and its tests only).
set -euo pipefail
cd "$(dirname "$0")/.."
dir=build
args=(-G Ninja)
if [[ "${1:-}" == "--sanitize" ]]; then
  dir=build-asan
  args+=(-DQUORVEX_SANITIZE=ON -DQUORVEX_CORE_ONLY=ON -DCMAKE_BUILD_TYPE=Debug)
fi
# several checkouts of the tree share one compiler cache
export CCACHE_BASEDIR="$PWD" CCACHE_NOHASHDIR=1
cmake -S . -B "$dir" "${args[@]}" >/dev/null
cmake --build "$dir" -j"${QUORVEX_JOBS:-2}"
