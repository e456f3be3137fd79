#!/bin/sh
# The desktop entry, the AppStream metainfo and the shared-mime-info file pass their
# validators without a warning, the file types register under their globs, and every type the
# desktop entry opens is either declared here or known to the system.
#   validate.sh RESOURCES_DIR
set -e
dir=$1
id=io.github.brambleworks.Quillmark
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
status=0

out=$(desktop-file-validate "$dir/$id.desktop" 2>&1) || status=1
[ -z "$out" ] || { echo "desktop-file-validate: $out"; status=1; }

if ! appstreamcli validate --no-net --explain "$dir/$id.metainfo.xml" >"$tmp/as" 2>&1 ||
    grep -qE '^[EW]:' "$tmp/as"; then
    cat "$tmp/as"
    status=1
fi

mkdir -p "$tmp/mime/packages"
cp "$dir/quillmark-mime.xml" "$tmp/mime/packages/quillmark.xml"
# XDG_DATA_DIRS names the folder, or the tool warns that nothing would find it.
if ! XDG_DATA_DIRS="$tmp" update-mime-database "$tmp/mime" >"$tmp/umd" 2>&1 || [ -s "$tmp/umd" ]; then
    cat "$tmp/umd"
    status=1
fi
for pair in application/x-quillmark-labels:*.lbl application/x-quillmark-sheet:*.dim; do
    grep -qxF "50:$pair" "$tmp/mime/globs2" || { echo "not registered: $pair"; status=1; }
done

types=$(sed -n 's/^MimeType=//p' "$dir/$id.desktop" | tr ';' '\n' | grep .)
for t in $types; do
    [ -f "$tmp/mime/$t.xml" ] || [ -f "/usr/share/mime/$t.xml" ] ||
        { echo "the desktop entry opens $t, which no MIME database declares"; status=1; }
done
exit $status
