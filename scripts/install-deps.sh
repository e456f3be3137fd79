#!/bin/sh
# Installs the Debian 12 packages Quillmark needs to build, run and test, and any further
# packages named as arguments (scripts/package.sh names its tools).
# Safe to run again: only missing packages are installed.
set -e
# glabels-data and libreoffice-common: gLabels' label templates and LibreOffice's label
# list, read as databases of label sheets.
packages="cmake ninja-build g++ pkg-config qt6-base-dev libcurl4-openssl-dev libgtest-dev libgmock-dev
fonts-liberation poppler-utils xvfb xauth openssl clang libclang-rt-14-dev
man-db desktop-file-utils appstream shared-mime-info glabels-data
libreoffice-common libcups2-dev cups cups-client cups-bsd printer-driver-cups-pdf ghostscript $*"
missing=""
for p in $packages; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing="$missing $p"
    fi
done
if [ -n "$missing" ]; then
    SUDO=""
    [ "$(id -u)" -ne 0 ] && SUDO=sudo
    $SUDO apt-get update
    DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y --no-install-recommends $missing
fi
