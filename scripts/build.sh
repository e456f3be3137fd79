#!/bin/sh
# Configures and builds Quillmark into ./build (Release with debug info).
set -e
cd "$(dirname "$0")/.."
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build
