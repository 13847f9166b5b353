#!/usr/bin/env bash
# The rar archiver (for the archive test fixtures) is in Debian's non-free component.
# Adds "non-free" to every apt source entry that has "main" but not "non-free"; entries that
# have it already, and other repositories' entries (no "main"), are left as they are, so
# running this again changes nothing. APT_ETC names another folder than /etc/apt (for trying
# the script on copies).
set -euo pipefail
etc=${APT_ETC:-/etc/apt}

has_word() { [[ " $1 " == *" $2 "* ]]; }

# deb822 files: the "Components:" line of each entry.
deb822_line() {
  if [[ "$line" =~ ^[Cc]omponents:(.*)$ ]]; then
    local words
    words=$(tr -s ' \t' ' ' <<<"${BASH_REMATCH[1]}")
    if has_word "$words" main && ! has_word "$words" non-free; then
      line="$line non-free"
      changed=1
    fi
  fi
}

# One-line format: "deb [options] URI suite components... # comment".
one_line_entry() {
  if [[ "$line" =~ ^[[:space:]]*deb(-src)?[[:space:]] ]]; then
    local words comment="" code
    words=$(sed 's/\[[^]]*\]//; s/#.*//' <<<"$line" | tr -s ' \t' ' ')
    if has_word "$words" main && ! has_word "$words" non-free; then
      [[ "$line" == *"#"* ]] && comment=" #${line#*#}"
      code="${line%%#*}"
      line="${code%"${code##*[![:space:]]}"} non-free$comment"
      changed=1
    fi
  fi
}

# rewrite FILE EDIT: EDIT sees each line in $line, may change it and then sets changed=1; the
# file is written back only when something changed.
rewrite() {
  local file=$1 edit=$2 out line changed=0
  [[ -f "$file" ]] || return 0
  out=$(mktemp)
  while IFS= read -r line || [[ -n "$line" ]]; do
    "$edit"
    printf '%s\n' "$line"
  done <"$file" >"$out"
  if [[ $changed -eq 1 ]]; then
    cat "$out" >"$file"
    echo "non-free added to $file"
  fi
  rm -f "$out"
}

for file in "$etc"/sources.list.d/*.sources; do rewrite "$file" deb822_line; done
for file in "$etc"/sources.list "$etc"/sources.list.d/*.list; do rewrite "$file" one_line_entry; done
