#!/bin/sh
# Builds the Debian package into ./build-deb and checks it with lintian; prints the .deb's
# path last (the debug symbols go to a separate quillmark-dbgsym .ddeb). The sources (tracked
# and new files, not the build folders) are copied to build-deb/quillmark first, because
# dpkg-buildpackage writes its results next to the source folder.
# DEB_BUILD_OPTIONS=nocheck skips the test suite (and does not compile it, nor need its
# build dependencies); the default runs the suite. Either way it builds with every core.
#   scripts/package.sh
set -e
cd "$(dirname "$0")/.."
./scripts/install-deps.sh debhelper dpkg-dev fakeroot lintian
out=build-deb
rm -rf "$out"
mkdir -p "$out/quillmark"
git ls-files -z --cached --others --exclude-standard | xargs -0 sh -c \
    'for f; do [ -e "$f" ] && printf "%s\0" "$f"; done' sh |
    tar --null -T - -cf - | tar -xf - -C "$out/quillmark"
jobs=$(nproc)
# Rebuilds of the same sources, in the same folder, come from the compiler cache.
command -v ccache >/dev/null 2>&1 && export CMAKE_CXX_COMPILER_LAUNCHER=ccache
export DEB_BUILD_OPTIONS="${DEB_BUILD_OPTIONS:-} parallel=$jobs"
profiles=""
case " $DEB_BUILD_OPTIONS " in *" nocheck "*) profiles="-Pnocheck" ;; esac
(cd "$out/quillmark" && dpkg-buildpackage -us -uc -b $profiles)
changes=$(ls "$out"/quillmark_*.changes)
# Any error or warning fails; overrides, each with its reason, are in debian/.
lintian --fail-on error,warning "$changes"
ls "$out"/quillmark_*.deb
