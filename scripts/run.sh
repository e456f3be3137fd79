#!/bin/sh
# Installs what is missing, builds and starts Quillmark.
set -e
cd "$(dirname "$0")/.."
./scripts/install-deps.sh
./scripts/build.sh
exec ./build/quillmark "$@"
