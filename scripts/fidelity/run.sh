#!/usr/bin/env bash
# make fidelity: Zelmora's HTML view against headless Chromium on the corpus of
# scripts/fidelity/corpus.tsv. Needs zelmora-render built in BUILD and the packages of
# scripts/install-deps.sh --fidelity (the Makefile target sees to both).
#
#   scripts/fidelity/run.sh [BUILD]          (default build)
#
# Writes BUILD/fidelity/{corpus,zelmora,reference,shots}/ and BUILD/fidelity/report.md, and
# prints the table. A page that crashes or hangs either side is reported in the table;
# the run goes on. Environment: FIDELITY_WIDTH (800), FIDELITY_TIMEOUT (seconds per page
# and side, 120), FIDELITY_ONLY (a regular expression of page ids to run).
set -uo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
build="$(cd "${1:-build}" && pwd)"
out="$build/fidelity"
width="${FIDELITY_WIDTH:-800}"
limit="${FIDELITY_TIMEOUT:-120}"
render="$build/tools/fidelity/zelmora-render"
[ -x "$render" ] || { echo "fidelity: $render is not built" >&2; exit 2; }

"$here/make-corpus.sh" "$out/corpus" || exit 2
pages="$out/pages.tsv"
grep -E "^(${FIDELITY_ONLY:-.*})"$'\t' "$out/corpus/pages.tsv" > "$pages" || true
[ -s "$pages" ] || { echo "fidelity: no pages to compare" >&2; exit 2; }

rm -rf "$out/zelmora" "$out/reference" "$out/shots"
mkdir -p "$out/zelmora" "$out/reference" "$out/shots"
while IFS=$'\t' read -r id file; do
    # One process a page: a crash or a hang costs that page alone.
    QT_QPA_PLATFORM=offscreen timeout -k 5 "$limit" "$render" --width "$width" \
        "$file" "$out/zelmora/$id.json" "$out/zelmora/$id.png" \
        > "$out/zelmora/$id.log" 2>&1 < /dev/null
    status=$?
    echo "$status" > "$out/zelmora/$id.status"
    echo "fidelity: zelmora $id: exit status $status" >&2
done < "$pages"

node "$here/reference.mjs" --pages "$pages" --out "$out/reference" --width "$width" \
    --timeout "$limit" < /dev/null || echo "fidelity: the reference side stopped early" >&2

node "$here/compare.mjs" --pages "$pages" --zelmora "$out/zelmora" \
    --reference "$out/reference" --shots "$out/shots" --report "$out/report.md"
