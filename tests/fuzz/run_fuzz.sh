#!/bin/bash
# Builds one fuzz target with clang (libFuzzer, AddressSanitizer,
# UndefinedBehaviorSanitizer) and runs it for a bounded time. CTest runs each
# for 20 s; for a long run: bash tests/fuzz/run_fuzz.sh . build/fuzz 3600 exchange
# Targets: exchange (what a site or a design file hands the design browser),
# settings (the settings file read and written back), preview (design
# pictures decoded for the catalogue), package (a design file to install).
# Exits 77 (skipped) when clang cannot build a fuzzer here.
# Usage: run_fuzz.sh SOURCE_DIR WORK_DIR SECONDS TARGET
set -u
SRC=$(cd "$1" && pwd)
TARGET=${4:-exchange}
OUT=$2/$TARGET
SECONDS_TO_RUN=${3:-20}
mkdir -p "$OUT/corpus" "$OUT/crashes"
command -v clang++ >/dev/null || { echo "SKIP: clang++ is not installed"; exit 77; }
modules=Qt6Core
case $TARGET in
exchange)
    sources=("$SRC/designbrowser/exchange.cpp" "$SRC/designbrowser/catalogue.cpp"
             "$SRC/common/shift_jis.cpp" "$SRC/common/settings_store.cpp"
             "$SRC/common/atomic_file.cpp" "$SRC/common/ini_document.cpp"
             "$SRC/common/data_dir.cpp" "$SRC/design/design_files.cpp") ;;
settings) sources=("$SRC/common/ini_document.cpp") ;;
preview)
    sources=("$SRC/designbrowser/preview.cpp" "$SRC/design/skin_layout.cpp" "$SRC/design/design_picture.cpp")
    modules="Qt6Core Qt6Gui" ;;
package)
    sources=("$SRC/design/design_package.cpp" "$SRC/design/design_install.cpp"
             "$SRC/design/design_files.cpp" "$SRC/design/design_picture.cpp"
             "$SRC/common/atomic_file.cpp" "$SRC/common/data_dir.cpp")
    modules="Qt6Core Qt6Gui" ;;
*) echo "FAIL: no fuzz target '$TARGET'"; exit 1 ;;
esac
flags=(-std=c++17 -fPIC -g -O1 -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined
       -I"$SRC" $(pkg-config --cflags $modules))
if ! clang++ "${flags[@]}" "$SRC/tests/fuzz/fuzz_$TARGET.cpp" "${sources[@]}" \
        $(pkg-config --libs $modules) -o "$OUT/fuzz_$TARGET" 2>"$OUT/build.log"; then
    grep -q "fuzzer" "$OUT/build.log" && { echo "SKIP: no libFuzzer: $(head -3 "$OUT/build.log")"; exit 77; }
    cat "$OUT/build.log"
    exit 1
fi
cp "$SRC/tests/fuzz/corpus/$TARGET"/* "$OUT/corpus/" 2>/dev/null
# Leaks of Qt's own one-time allocations are not what this looks for.
ASAN_OPTIONS=detect_leaks=0 "$OUT/fuzz_$TARGET" -max_total_time="$SECONDS_TO_RUN" -max_len=70000 \
    -timeout=10 -artifact_prefix="$OUT/crashes/" "$OUT/corpus" 2>&1 | tail -5
status=${PIPESTATUS[0]}
[ "$status" -eq 0 ] || { echo "FAIL: the fuzzer found a crash or a hang, in $OUT/crashes"; exit 1; }
echo "ok: $TARGET: no crash or hang in ${SECONDS_TO_RUN} s"
