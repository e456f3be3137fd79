#!/bin/sh
# Installs what is missing, builds and runs every test headless.
set -e
cd "$(dirname "$0")/.."
./scripts/install-deps.sh
./scripts/build.sh
export QT_QPA_PLATFORM=offscreen
# The tests start their own print server; here it must start, so none is skipped.
export QUILLMARK_REQUIRE_SERVERS=1
cd build
ctest --output-on-failure -j2
