#!/bin/sh
# Every option that PROGRAM --help lists has an entry in the OPTIONS section of its manual
# page, and every entry there is an option --help lists.
#   options.sh PROGRAM PAGE
set -e
program=$1
page=$2
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

# Qt lists each option as "  -o, --output <FILE.pdf>  Description", descriptions that wrap
# continue on lines that start with spaces alone.
QT_QPA_PLATFORM=offscreen "$program" --help >"$tmp/help"
grep -oE '^  -[^ ]+(, -[^ ]+)*' "$tmp/help" | grep -oE -- '--?[a-zA-Z][a-zA-Z-]*' |
    sort -u >"$tmp/from-help"

# Each entry's tag is rendered flush at the OPTIONS section's first indent.
LC_ALL=C MANWIDTH=200 man -l "$page" 2>/dev/null |
    sed -n '/^OPTIONS/,/^[A-Z]/p' | grep -E '^       -' |
    grep -oE -- '(^|[ ,])--?[a-zA-Z][a-zA-Z-]*' | sed 's/^[ ,]*//' |
    sort -u >"$tmp/from-page"

if [ ! -s "$tmp/from-help" ] || [ ! -s "$tmp/from-page" ]; then
    echo "no options found: --help gave $(wc -l <"$tmp/from-help"), the page $(wc -l <"$tmp/from-page")"
    exit 1
fi
missing=$(comm -23 "$tmp/from-help" "$tmp/from-page")
extra=$(comm -13 "$tmp/from-help" "$tmp/from-page")
[ -z "$missing" ] || echo "in --help but not in $page:" $missing
[ -z "$extra" ] || echo "in $page but not in --help:" $extra
[ -z "$missing" ] && [ -z "$extra" ]
