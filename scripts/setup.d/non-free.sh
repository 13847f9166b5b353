#!/usr/bin/env bash
# The rar archiver (for the archive test fixtures) is in Debian's non-free component.
# Adds "non-free" to every apt source entry that has "main" but not "non-free"; entries that
# have it already, and other repositories' entries (no "main"), are left as they are, so
# running this again changes nothing.
set -euo pipefail

has_word() { [[ " $1 " == *" $2 "* ]]; }

# deb822 files: the "Components:" line of each entry.
for file in /etc/apt/sources.list.d/*.sources; do
  [[ -f "$file" ]] || continue
  changed=0
  out=$(mktemp)
  while IFS= read -r line || [[ -n "$line" ]]; do
    if [[ "$line" =~ ^[Cc]omponents:(.*)$ ]]; then
      words=$(tr -s ' \t' ' ' <<<"${BASH_REMATCH[1]}")
      if has_word "$words" main && ! has_word "$words" non-free; then
        line="$line non-free"
        changed=1
      fi
    fi
    printf '%s\n' "$line"
  done <"$file" >"$out"
  if [[ $changed -eq 1 ]]; then
    cat "$out" >"$file"
    echo "non-free added to $file"
  fi
  rm -f "$out"
done

# One-line format: "deb [options] URI suite components...".
for file in /etc/apt/sources.list /etc/apt/sources.list.d/*.list; do
  [[ -f "$file" ]] || continue
  changed=0
  out=$(mktemp)
  while IFS= read -r line || [[ -n "$line" ]]; do
    if [[ "$line" =~ ^[[:space:]]*deb(-src)?[[:space:]] ]]; then
      words=$(sed 's/\[[^]]*\]//; s/#.*//' <<<"$line" | tr -s ' \t' ' ')
      if has_word "$words" main && ! has_word "$words" non-free; then
        comment=""
        [[ "$line" == *"#"* ]] && comment=" #${line#*#}"
        code="${line%%#*}"
        line="${code%"${code##*[![:space:]]}"} non-free$comment"
        changed=1
      fi
    fi
    printf '%s\n' "$line"
  done <"$file" >"$out"
  if [[ $changed -eq 1 ]]; then
    cat "$out" >"$file"
    echo "non-free added to $file"
  fi
  rm -f "$out"
done
