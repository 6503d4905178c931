#!/usr/bin/env bash
# Installs what is missing, builds, runs every test; then the same tests under ASan + UBSan.
set -euo pipefail
. "$(dirname "$0")/scripts/common.sh"
cd "$TONEL_ROOT"
tonel_install_packages
export QT_QPA_PLATFORM=offscreen
export LSAN_OPTIONS="suppressions=$TONEL_ROOT/tests/support/lsan.supp:print_suppressions=0"

echo "== build"
tonel_build build
echo "== tests"
(cd build && TONEL_BUILD_DIR="$TONEL_ROOT/build" ctest --output-on-failure -j 2 --timeout 300)

echo "== build with AddressSanitizer and UndefinedBehaviorSanitizer"
tonel_build build-asan -DTONEL_SANITIZE=ON -DTONEL_BUILD_BENCH=OFF
echo "== tests under sanitizers"
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
# The browser tests drive the panel's JavaScript; the service under them is covered by its own tests here.
(cd build-asan && TONEL_BUILD_DIR="$TONEL_ROOT/build-asan" ctest --output-on-failure -j 2 --timeout 600 -LE browser)

echo "== fuzz smoke runs (clang + libFuzzer)"
CC=clang CXX=clang++ tonel_build build-fuzz -DTONEL_BUILD_FUZZ=ON
# Every fuzz/fuzz_*.cpp is a target; a crash or a broken invariant leaves its input in build-fuzz/.
passed=0
failed=0
for source in fuzz/fuzz_*.cpp; do
    target=$(basename "$source" .cpp)
    corpus=$(mktemp -d)
    cp fuzz/corpus/"${target#fuzz_}"/* "$corpus"/ 2>/dev/null || true
    if ./build-fuzz/fuzz/"$target" -runs=100000 -print_final_stats=0 -artifact_prefix=build-fuzz/ "$corpus" \
        >"$corpus.log" 2>&1; then
        passed=$((passed + 1))
        echo "$target: $(tail -n 1 "$corpus.log")"
    else
        failed=$((failed + 1))
        echo "$target FAILED:"
        tail -n 20 "$corpus.log"
    fi
    rm -rf "$corpus" "$corpus.log"
done
echo "fuzz: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
