#!/bin/sh
# Renders each manual page given the way man(1) shows it and fails on any groff or man
# warning, or on a page that renders to nothing.
#   render.sh PAGE...
status=0
for page in "$@"; do
    for locale in C C.UTF-8; do
        out=$(LC_ALL=$locale MANWIDTH=80 man --warnings -l "$page" 2>&1 >/dev/null)
        if [ -n "$out" ]; then
            echo "$page ($locale): $out"
            status=1
        fi
    done
    if ! LC_ALL=C MANWIDTH=80 man -l "$page" 2>/dev/null | grep -q '^EXIT STATUS'; then
        echo "$page: renders without an EXIT STATUS section"
        status=1
    fi
done
exit $status
