#!/usr/bin/env bash
# Installs what the build, the tests and the program need on Debian 12.
# Each file in scripts/packages.d lists packages, one per line ('#' starts a comment).
# Quick when everything is there already: apt-get runs only for missing packages.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)

mapfile -t wanted < <(cat "$here"/packages.d/*.txt | sed 's/#.*//' | tr -s ' \t' '\n' | sed '/^$/d' | sort -u)
missing=()
for pkg in "${wanted[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null || true)
  [[ "$status" == "install ok installed" ]] || missing+=("$pkg")
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

sudo=""
[[ $(id -u) -eq 0 ]] || sudo="sudo"
for hook in "$here"/setup.d/*.sh; do
  [[ -e "$hook" ]] && $sudo bash "$hook"
done
echo "Installing: ${missing[*]}"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
