#!/usr/bin/env bash
# Rebuilds the fidelity corpus from its sources: every package named in corpus.tsv is
# fetched with apt-get download (kept in DIR/../debs) and unpacked into DIR/packages/NAME;
# DIR/pages.tsv then lists each page as id, tab, absolute file name. The pages are other
# people's work and stay out of the repository.
#
#   scripts/fidelity/make-corpus.sh [DIR]      (default build/fidelity/corpus)
#
# A package already unpacked is kept. A page missing from its package (a newer version
# may have moved it) is reported and left out; the run goes on.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
manifest="$here/corpus.tsv"
corpus="$(mkdir -p "${1:-build/fidelity/corpus}" && cd "${1:-build/fidelity/corpus}" && pwd)"
debs="$(dirname "$corpus")/debs"
mkdir -p "$debs" "$corpus/packages"

packages=$(grep -v '^#' "$manifest" | cut -f2 | sort -u)
updated=no
for pkg in $packages; do
    tree="$corpus/packages/$pkg"
    [ -d "$tree" ] && continue
    deb=$(find "$debs" -maxdepth 1 -name "${pkg}_*.deb" | head -n 1)
    if [ -z "$deb" ]; then
        # apt-get download writes into the current folder; _apt cannot always write there.
        if ! (cd "$debs" && apt-get download -q "$pkg" 2>/dev/null) && [ "$updated" = no ]; then
            apt-get update -qq
            updated=yes
            (cd "$debs" && apt-get download -q "$pkg") || true
        fi
        deb=$(find "$debs" -maxdepth 1 -name "${pkg}_*.deb" | head -n 1)
    fi
    if [ -z "$deb" ]; then
        echo "make-corpus: cannot fetch the package $pkg" >&2
        continue
    fi
    mkdir -p "$tree.part"
    dpkg-deb -x "$deb" "$tree.part"
    mv "$tree.part" "$tree"
    echo "make-corpus: unpacked $(basename "$deb")"
done

pages="$corpus/pages.tsv"
: > "$pages.part"
count=0
while IFS=$'\t' read -r id pkg path _reason; do
    case "$id" in '#'* | '') continue ;; esac
    file="$corpus/packages/$pkg/$path"
    if [ ! -f "$file" ]; then
        echo "make-corpus: $id: $path is not in $pkg; left out" >&2
        continue
    fi
    printf '%s\t%s\n' "$id" "$(readlink -f "$file")" >> "$pages.part"
    count=$((count + 1))
done < "$manifest"
mv "$pages.part" "$pages"
echo "make-corpus: $count pages listed in $pages"
