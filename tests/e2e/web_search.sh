#!/usr/bin/env bash
# The search of the whole web. A generated web of 40 folders (some three deep) and 400
# documents; one deep document holds the word "quillwort". Ctrl+Shift+F opens "Search the
# web", the word typed and Enter list the results, Enter opens the first: the view shows the
# document with the word selected. "zelmora --index" writes zelmora.idx beside the web, and
# with it current the program builds no index of its own in the cache.
# shellcheck source=lib/e2e-zelmora.sh
source "$(dirname "$0")/lib/e2e-zelmora.sh"
zel_setup "$@"

web="$E2E_KITCOPY/webs/Generated"
for ((f = 0; f < 40; f++)); do
    folder="$web/Part $((f / 10))/Chapter $f"
    ((f % 3 == 0)) && folder="$folder/Notes"
    mkdir -p "$folder"
    for ((d = 0; d < 10; d++)); do
        printf '<html><head><title>Page %d of chapter %d</title></head><body><h1>Page %d</h1>
<p>Ordinary words about rivers, lanterns and the weather on page %d.</p></body></html>\n' \
            "$d" "$f" "$d" "$d" >"$folder/page$d.htm"
    done
done
target="$web/Part 3/Chapter 33/Notes/page7.htm"
printf '<html><head><title>The marsh plants</title></head><body><h1>Marsh plants</h1>
<p>Long before the end of the page, a first line of text that the search must skip over
to reach the rare fern.</p><p>Here grows the quillwort, a small plant of still water.</p>
</body></html>\n' >"$target"
printf '<html><body><h1>Generated web</h1><p>Search me.</p></body></html>\n' >"$web/intro.htm"
e2e_ini_set zelmora.INI StartUp StartUpWeb 'READERBASE\webs\Generated\'
e2e_ini_set zelmora.INI StartUp IntroductionFile 'READERBASE\webs\Generated\intro.htm'

# A ready index beside the web; the program then keeps no cache of its own.
(cd "$E2E_KITCOPY" && QT_QPA_PLATFORM=offscreen ./zelmora --index "$web") >"$E2E_TMP/index.log" 2>&1 ||
    e2e_fail "zelmora --index failed: $(cat "$E2E_TMP/index.log")"
[ -s "$web/zelmora.idx" ] || e2e_fail "zelmora --index wrote no zelmora.idx"
e2e_log "zelmora --index wrote $(stat -c %s "$web/zelmora.idx") bytes"

zel_start
zel_shot before
before="$ZEL_SHOT"
e2e_key "$ZEL_HOST" ctrl+shift+f
e2e_wait_window "Search the web" 10 || e2e_fail "Ctrl+Shift+F opened no window \"Search the web\""
search="$E2E_WIN"
e2e_type "$search" "quillwort"
e2e_key "$search" Return
sleep 1
zel_shot results
e2e_key "$search" Return
e2e_wait_no_window "Search the web" 10 || e2e_fail "Enter on the first result did not open it"
changed=""
for ((i = 0; i < 25; i++)); do
    zel_shot opened
    if ! zel_region_same "$before" "$ZEL_SHOT" "$R_VIEW"; then
        changed=1
        break
    fi
    sleep 0.2
done
[ -n "$changed" ] || e2e_fail "the view did not change after opening the result"
zel_check_no_message "after opening a search result"
find "$E2E_TMP/cache" -name '*.idx' 2>/dev/null | grep -q . &&
    e2e_fail "an index was built in the cache although zelmora.idx is current"
zel_check_alive
e2e_pass
