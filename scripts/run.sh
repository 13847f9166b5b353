#!/usr/bin/env bash
# Sets up, builds and starts the program.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
bash scripts/build.sh
if [[ -x build/src/app/quorvex ]]; then
  exec build/src/app/quorvex "$@"
fi
exec build/src/cli/quorvex-cli "${@:---help}"
