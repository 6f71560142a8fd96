#!/usr/bin/env bash
# Builds the fuzz targets with clang (libFuzzer, AddressSanitizer, UndefinedBehaviorSanitizer)
# and runs each for the given number of seconds, one after the other.
#
#   fuzz/run-fuzzers.sh SECONDS [TARGET...]
#
# TARGET is IniFileFuzz, OutlineLoadFuzz, StateReaderFuzz or HtmlLoadFuzz (when its source
# exists); without one, every target runs. BUILD (default build-fuzz) is the build folder.
# Corpora grow in $BUILD/corpus/<target>, logs go to $BUILD/logs/<target>.log and inputs
# that fail are kept as $BUILD/artifacts/<target>/crash-*; the reproducers of earlier
# findings (fuzz/findings/) join the seeds, so each run shows they stay mended. The script
# exits non-zero when a target found something.
set -euo pipefail

cd "$(dirname "$0")/.."
SECONDS_EACH=${1:?usage: fuzz/run-fuzzers.sh SECONDS [TARGET...]}
shift
BUILD=${BUILD:-build-fuzz}
scripts/install-deps.sh --fuzz
JOBS=${JOBS:-2}

TARGETS=("$@")
if [ ${#TARGETS[@]} -eq 0 ]; then
    TARGETS=(IniFileFuzz OutlineLoadFuzz StateReaderFuzz)
    [ -f fuzz/HtmlLoadFuzz.cpp ] && TARGETS+=(HtmlLoadFuzz)
fi

# Per target: the libraries it links (highest layer first), its seeds and its longest input.
libs_of() {
    case $1 in
        IniFileFuzz)     echo platform ;;
        OutlineLoadFuzz) echo components platform ;;
        StateReaderFuzz) echo state components platform ;;
        HtmlLoadFuzz)    echo html components platform ;;
        *) echo "unknown target $1" >&2; exit 2 ;;
    esac
}
max_len_of() {
    case $1 in
        IniFileFuzz)     echo 8192 ;;
        OutlineLoadFuzz) echo 16384 ;;
        StateReaderFuzz) echo 4096 ;;
        HtmlLoadFuzz)    echo 65536 ;;
    esac
}
seed() {
    local dir=$1
    shift
    mkdir -p "$dir"
    for f in "$@"; do
        [ -f "$f" ] && cp "$f" "$dir/seed-$(basename "$f" | tr ' ' _)"
    done
    return 0
}
seed_corpus() {
    local dir=$BUILD/corpus/$1
    case $1 in
        IniFileFuzz)     seed "$dir" demo/zelmora.INI demo/zelmora.STA demo/Looks/*.sta fuzz/findings/ini-* ;;
        OutlineLoadFuzz) seed "$dir" fuzz/seeds/outline/* fuzz/findings/outline-* ;;
        StateReaderFuzz) seed "$dir" demo/zelmora.STA demo/Looks/*.sta fuzz/findings/state-* ;;
        HtmlLoadFuzz)    seed "$dir" $(find demo -iname '*.htm' -o -iname '*.html') fuzz/seeds/html/* ;;
    esac
}

SAN="-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer"
if [ ! -f "$BUILD/CMakeCache.txt" ]; then
    cmake -S . -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DCMAKE_CXX_COMPILER=clang++ -DZELMORA_TESTS=OFF -DZELMORA_BENCH=OFF \
        -DCMAKE_CXX_FLAGS="$SAN"
fi

status=0
for t in "${TARGETS[@]}"; do
    read -r -a layers <<< "$(libs_of "$t")"
    cmake --build "$BUILD" -j "$JOBS" --target "${layers[@]/#/zel_}"
    archives=()
    for l in "${layers[@]}"; do archives+=("$BUILD/src/$l/libzel_$l.a"); done
    # shellcheck disable=SC2046
    clang++ -std=c++20 -g -O1 -fPIC -fsanitize=fuzzer,address,undefined \
        -fno-sanitize-recover=undefined -fno-omit-frame-pointer -Isrc \
        $(pkg-config --cflags Qt6Widgets Qt6Multimedia) "fuzz/$t.cpp" "${archives[@]}" \
        $(pkg-config --libs Qt6Widgets Qt6Multimedia) -o "$BUILD/$t"

    seed_corpus "$t"
    mkdir -p "$BUILD/artifacts/$t" "$BUILD/logs"
    echo "== $t: $SECONDS_EACH s, log in $BUILD/logs/$t.log"
    if QT_QPA_PLATFORM=offscreen LSAN_OPTIONS=suppressions=fuzz/lsan.supp \
        UBSAN_OPTIONS=print_stacktrace=1 \
        "$BUILD/$t" "$BUILD/corpus/$t" -max_total_time="$SECONDS_EACH" -timeout=20 \
        -rss_limit_mb=4096 -max_len="$(max_len_of "$t")" -print_final_stats=1 \
        -artifact_prefix="$BUILD/artifacts/$t/" > "$BUILD/logs/$t.log" 2>&1; then
        tail -n 12 "$BUILD/logs/$t.log" | grep -E '^(Done|stat::)' || true
    else
        status=1
        echo "!! $t found something; see $BUILD/logs/$t.log and $BUILD/artifacts/$t/"
        grep -E 'ERROR|SUMMARY|Fuzz: ' "$BUILD/logs/$t.log" | head -n 5 || true
    fi
done
exit $status
