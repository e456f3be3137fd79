#!/bin/sh
# Builds the libFuzzer targets with clang, AddressSanitizer and UndefinedBehaviorSanitizer
# into ./build-fuzz and runs every target for SECONDS (default 60), one after the other.
# Exits non-zero when any target finds a crash, a sanitizer report, a broken invariant, a leak
# or an input that hangs; the input is kept under build-fuzz/findings/ (add it to the
# target's seeds in tests/fuzz/corpus/ once the fault is fixed). Inputs that reach new code
# collect in build-fuzz/corpus/, so later runs start from there; the repository's seeds are
# only read. A target with a tests/fuzz/<name>.dict gets its words (JSON keys, vCard names).
#   scripts/fuzz.sh [SECONDS] [TARGET...]     e.g. scripts/fuzz.sh 600 fuzz_label_list
set -e
cd "$(dirname "$0")/.."
seconds=${1:-60}
[ $# -gt 0 ] && shift
dir=build-fuzz
launcher=""
command -v ccache >/dev/null 2>&1 && launcher="-DCMAKE_CXX_COMPILER_LAUNCHER=ccache"
cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
    -DQUILLMARK_FUZZ=ON $launcher >/dev/null
cmake --build "$dir" --target fuzz_targets

# The fixtures of the unit tests are seeds too.
fixtures() {
    case "$1" in
    fuzz_contact_file) echo tests/data/contacts ;;
    fuzz_label_input) echo tests/data/contacts tests/data/labels tests/data/vcard ;;
    fuzz_import_table) echo tests/data/contacts tests/data/contacts/import ;;
    fuzz_vcard) echo tests/data/vcard ;;
    fuzz_label_list) echo tests/data/labels ;;
    fuzz_category_store) echo tests/data/categories ;;
    fuzz_glabels_templates) echo tests/data/labels/glabels ;;
    fuzz_libreoffice_labels) echo tests/data/labels/libreoffice ;;
    esac
}

targets="$*"
[ -n "$targets" ] ||
    targets=$(find "$dir/tests/fuzz" -maxdepth 1 -type f -name 'fuzz_*' -perm -u+x -printf '%f\n' | sort)
mkdir -p "$dir/findings" "$dir/logs"
failed=""
for t in $targets; do
    seeds=tests/fuzz/corpus/${t#fuzz_}
    mkdir -p "$dir/corpus/$t"
    log="$dir/logs/$t.log"
    status=0
    dict=""
    [ -f "tests/fuzz/${t#fuzz_}.dict" ] && dict="-dict=tests/fuzz/${t#fuzz_}.dict"
    "$dir/tests/fuzz/$t" -max_total_time="$seconds" -timeout=20 -rss_limit_mb=2560 $dict \
        -artifact_prefix="$dir/findings/$t-" -print_final_stats=1 \
        "$dir/corpus/$t" "$seeds" $(fixtures "$t") >"$log" 2>&1 || status=$?
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
    cov=$(grep -E '^#[0-9]+' "$log" | grep -o 'cov: [0-9]*' | tail -n 1)
    if [ "$status" -eq 0 ]; then
        echo "$t: ${runs:-?} runs in ${seconds} s, ${cov:-cov: ?}, no findings"
    else
        echo "$t: FINDING after ${runs:-?} runs (exit $status); see $log"
        grep -E 'ERROR|runtime error|invariant broken|Test unit written' "$log" | head -n 5
        failed="$failed $t"
    fi
done
if [ -n "$failed" ]; then
    echo "Findings in:$failed"
    exit 1
fi
echo "All fuzz targets ran ${seconds} s each without findings."
