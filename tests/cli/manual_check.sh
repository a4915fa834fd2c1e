#!/usr/bin/env bash
# Formats the manual page and fails on any warning of the formatter; exit 77 without man.
set -u
command -v man >/dev/null || exit 77
warnings=$(MANWIDTH=80 man --warnings -l "$1" 2>&1 >/dev/null)
if [[ -n $warnings ]]; then
    echo "$warnings"
    exit 1
fi
# Every command and option of the program is described.
for word in status modes set paint assign --emulate --json --profile --mode --brightness \
    --background-brightness --speed --direction --colour --background-colour --colour-set \
    --key --function --combination --macro --clear --partial --yes --dry-run --verbose; do
    MANWIDTH=200 man -l "$1" 2>/dev/null | grep -qe "$word" || { echo "missing: $word"; exit 1; }
done
