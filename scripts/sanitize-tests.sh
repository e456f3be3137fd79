#!/bin/sh
# Builds everything with clang, AddressSanitizer and UndefinedBehaviorSanitizer into
# ./build-fuzz and runs the whole test suite there, headless. The build is the fuzzing build
# (scripts/fuzz.sh uses it as it is), so the suite also replays every fuzz target's seeds.
set -e
cd "$(dirname "$0")/.."
launcher=""
command -v ccache >/dev/null 2>&1 && launcher="-DCMAKE_CXX_COMPILER_LAUNCHER=ccache"
cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
    -DQUILLMARK_FUZZ=ON $launcher
cmake --build build-fuzz
export QT_QPA_PLATFORM=offscreen
# The tests start their own print server; here it must start, so none is skipped.
export QUILLMARK_REQUIRE_SERVERS=1
export UBSAN_OPTIONS=print_stacktrace=1
# Leak checking stays with the fuzz targets: the widget tests end with memory that Qt and
# fontconfig keep for the whole process on purpose, which is no fault of the program.
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=0}
cd build-fuzz
ctest --output-on-failure -j2
