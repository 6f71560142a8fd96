#!/bin/sh
# Builds fuzz/HtmlLoadFuzz.cpp with clang and libFuzzer (outside the CMake build):
#
#   fuzz/build.sh [output-folder]          (default: build-fuzz)
#   LSAN_OPTIONS=suppressions=fuzz/lsan.supp \
#     build-fuzz/HtmlLoadFuzz -max_len=65536 -max_total_time=600 build-fuzz/corpus tests/html/pages
#
# Needs clang, libclang-rt-14-dev and the Qt 6 development packages. The HTML layer and
# the platform pieces it uses are compiled here with coverage and sanitizers; Qt itself
# is the system's.
set -e
SRC=$(cd "$(dirname "$0")/.." && pwd)
"$SRC/scripts/install-deps.sh" --fuzz
OUT=${1:-$SRC/build-fuzz}
MOC=/usr/lib/qt6/libexec/moc
mkdir -p "$OUT/moc" "$OUT/corpus"
for h in TFramePane THtmlFrame THtmlObjectHandler THtmlPane THtmlView; do
    "$MOC" -I"$SRC/src" $(pkg-config --cflags-only-I Qt6Widgets) "$SRC/src/html/$h.h" -o "$OUT/moc/moc_$h.cpp"
done
clang++ -std=c++20 -g -O1 -fPIC -fsanitize=fuzzer,address,undefined -fno-omit-frame-pointer \
    -I"$SRC/src" $(pkg-config --cflags Qt6Widgets) \
    "$SRC/fuzz/HtmlLoadFuzz.cpp" "$SRC"/src/html/*.cpp "$OUT"/moc/*.cpp \
    "$SRC/src/platform/TColorRef.cpp" "$SRC/src/platform/TTextCodec.cpp" "$SRC/src/platform/TPath.cpp" \
    "$SRC/src/platform/TMessageBox.cpp" "$SRC/src/platform/TWaitCursor.cpp" \
    $(pkg-config --libs Qt6Widgets) -o "$OUT/HtmlLoadFuzz"
echo "built $OUT/HtmlLoadFuzz"
