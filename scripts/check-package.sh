#!/bin/sh
# Unpacks a built .deb into a throwaway root, checks that every file a desktop needs is where
# it looks for it, validates the installed metadata and runs quillmark-print from there.
#   scripts/check-package.sh build-deb/quillmark_*.deb
set -e
deb=$1
[ -f "$deb" ] || { echo "no package: $deb"; exit 1; }
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
dpkg -x "$deb" "$root"
status=0
for path in \
    usr/bin/quillmark \
    usr/bin/quillmark-print \
    usr/share/applications/io.github.brambleworks.Quillmark.desktop \
    usr/share/metainfo/io.github.brambleworks.Quillmark.metainfo.xml \
    usr/share/mime/packages/quillmark.xml \
    usr/share/icons/hicolor/scalable/apps/quillmark.svg \
    usr/share/man/man1/quillmark.1.gz \
    usr/share/man/man1/quillmark-print.1.gz \
    usr/share/quillmark/help/index.html \
    usr/share/quillmark/sheets.json \
    usr/share/doc/quillmark/copyright; do
    [ -f "$root/$path" ] || { echo "missing from the package: /$path"; status=1; }
done
[ -x "$root/usr/bin/quillmark" ] && [ -x "$root/usr/bin/quillmark-print" ] ||
    { echo "the programs are not executable"; status=1; }

desktop-file-validate "$root/usr/share/applications/io.github.brambleworks.Quillmark.desktop" ||
    status=1
appstreamcli validate --no-net "$root/usr/share/metainfo/io.github.brambleworks.Quillmark.metainfo.xml" ||
    status=1
for page in quillmark quillmark-print; do
    out=$(LC_ALL=C MANWIDTH=80 man --warnings -l "$root/usr/share/man/man1/$page.1.gz" 2>&1 >/dev/null)
    [ -z "$out" ] || { echo "man $page: $out"; status=1; }
done

print="$root/usr/bin/quillmark-print"
export QT_QPA_PLATFORM=offscreen
if "$print" --help | grep -q -- '--version'; then
    version=$("$print" --version) || { echo "quillmark-print --version failed"; status=1; }
    echo "installed: $version"
else
    "$print" --help >/dev/null || { echo "quillmark-print --help failed"; status=1; }
    echo "installed: quillmark-print answers --help"
fi
[ $status -eq 0 ] && echo "package checked: $deb"
exit $status
