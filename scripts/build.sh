#!/bin/sh
# Configures and builds Quillmark into ./build (Release with debug info).
# ccache, where installed, makes rebuilds of unchanged sources instant.
set -e
cd "$(dirname "$0")/.."
launcher=""
command -v ccache >/dev/null 2>&1 && launcher="-DCMAKE_CXX_COMPILER_LAUNCHER=ccache"
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo $launcher
cmake --build build
