#!/usr/bin/env bash
# Builds the fuzz targets with CMake (build.sh: clang, libFuzzer, AddressSanitizer,
# UndefinedBehaviorSanitizer over the program's own libraries) and runs each for the given
# number of seconds, one after the other.
#
#   fuzz/run-fuzzers.sh SECONDS [TARGET...]
#
# TARGET is IniFileFuzz, OutlineLoadFuzz, StateReaderFuzz or HtmlLoadFuzz; without one,
# every target runs. BUILD (default build-fuzz) is the build folder, JOBS (default 2) the
# parallel build jobs. Corpora grow in $BUILD/corpus/<target>, logs go to
# $BUILD/logs/<target>.log and inputs that fail are kept as $BUILD/artifacts/<target>/crash-*;
# the reproducers of earlier findings (fuzz/findings/) join the seeds, so each run shows they
# stay mended. The script exits non-zero when a target found something.
set -euo pipefail

cd "$(dirname "$0")/.."
SECONDS_EACH=${1:?usage: fuzz/run-fuzzers.sh SECONDS [TARGET...]}
shift
BUILD=${BUILD:-build-fuzz}

TARGETS=("$@")
if [ ${#TARGETS[@]} -eq 0 ]; then
    TARGETS=(IniFileFuzz OutlineLoadFuzz StateReaderFuzz HtmlLoadFuzz)
fi

# Per target: its longest input (the seeds follow in seed_corpus).
max_len_of() {
    case $1 in
        IniFileFuzz)     echo 8192 ;;
        OutlineLoadFuzz) echo 16384 ;;
        StateReaderFuzz) echo 4096 ;;
        HtmlLoadFuzz)    echo 65536 ;;
        *) return 1 ;;
    esac
}
seed() {
    local dir=$1
    shift
    mkdir -p "$dir"
    for f in "$@"; do
        # Named after the whole path: two folders may hold pages of the same name.
        [ -f "$f" ] && cp "$f" "$dir/seed-$(printf '%s' "$f" | tr '/ ' '__')"
    done
    return 0
}
seed_corpus() {
    local dir=$BUILD/corpus/$1 pages
    case $1 in
        IniFileFuzz)     seed "$dir" demo/zelmora.INI demo/zelmora.STA demo/Looks/*.sta fuzz/findings/ini-* ;;
        OutlineLoadFuzz) seed "$dir" fuzz/seeds/outline/* fuzz/findings/outline-* ;;
        StateReaderFuzz) seed "$dir" demo/zelmora.STA demo/Looks/*.sta fuzz/findings/state-* ;;
        HtmlLoadFuzz)
            # The demo web's folder and page names hold blanks; the view's test pages
            # (frames, forms, tables, misnested tags) seed it too.
            mapfile -t pages < <(find demo -iname '*.htm' -o -iname '*.html')
            seed "$dir" "${pages[@]}" tests/html/pages/*.htm fuzz/seeds/html/* fuzz/findings/html-* ;;
    esac
}

for t in "${TARGETS[@]}"; do
    if ! max_len_of "$t" > /dev/null; then
        echo "run-fuzzers: unknown target $t (IniFileFuzz, OutlineLoadFuzz, StateReaderFuzz, HtmlLoadFuzz)" >&2
        exit 2
    fi
done
BUILD=$BUILD fuzz/build.sh "${TARGETS[@]}"

status=0
for t in "${TARGETS[@]}"; do
    seed_corpus "$t"
    mkdir -p "$BUILD/artifacts/$t" "$BUILD/logs"
    echo "== $t: $SECONDS_EACH s, log in $BUILD/logs/$t.log"
    if QT_QPA_PLATFORM=offscreen LSAN_OPTIONS=suppressions=fuzz/lsan.supp \
        UBSAN_OPTIONS=print_stacktrace=1 \
        "$BUILD/fuzz/$t" "$BUILD/corpus/$t" -max_total_time="$SECONDS_EACH" -timeout=20 \
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
