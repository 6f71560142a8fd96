#!/usr/bin/env bash
# A public screen returns to its start. With IdleReset=5 in Display mode, a visitor opens a
# document from the site panel and the find dialog, then leaves: about five seconds after
# the last click the dialog is gone and the introduction page is back with its page
# outline, exactly as the screen looked at start. The ini file is not written.
# shellcheck source=lib/e2e-zelmora.sh
source "$(dirname "$0")/lib/e2e-zelmora.sh"
zel_setup "$@"

e2e_ini_set zelmora.INI StartUp StartUpMode 1
e2e_ini_set zelmora.INI Kiosk IdleReset 5
ini_before="$(cksum <"$E2E_KITCOPY/zelmora.INI")"

zel_start
started="$ZEL_SHOT"
cp "$started" "$E2E_ART/$E2E_NAME-1-start.png"
[ "$(zel_colour_count "$started" "$R_VIEW")" -ge 10 ] ||
    e2e_fail "the view shows nothing at start (the introduction page should be there)"

# The visitor: "site", the first document of the web folder, then "find".
zel_click_button site
zel_wait_change "$started" "$R_LEFT" site || e2e_fail "\"site\" did not change the left panel"
zel_wait_doc_rows 4 site || e2e_fail "the web folder lists ${#DOC_ROWS[@]} documents, expected 4"
site="$ZEL_SHOT"
e2e_click $((HOME_X + 40)) "${DOC_ROWS[0]}"
zel_wait_change "$site" "$R_LEFT" document || e2e_fail "a click on a document did not open it"
zel_region_same "$ZEL_SHOT" "$started" "$R_VIEW" && e2e_fail "the view still shows the introduction page"
zel_click_button find
last_input=$(date +%s%N)
e2e_wait_window "Find" 10 || e2e_fail "\"find\" opened no window titled \"Find\""
zel_shot visited
cp "$ZEL_SHOT" "$E2E_ART/$E2E_NAME-2-visited.png"
e2e_log "a document and the find dialog are open; no more input from now on"

# Nobody touches the screen: the reset comes, not before five seconds.
e2e_wait_no_window "Find" 20 || e2e_fail "the find dialog is still open 20 s after the last input"
waited_ms=$((($(date +%s%N) - last_input) / 1000000))
((waited_ms >= 4500)) || e2e_fail "the display was reset $waited_ms ms after the last input, expected 5 s"
e2e_log "the find dialog closed $waited_ms ms after the last input"
zel_wait_settled "$R_VIEW" 10
zel_shot reset
cp "$ZEL_SHOT" "$E2E_ART/$E2E_NAME-3-reset.png"
zel_region_same "$ZEL_SHOT" "$started" "$R_VIEW" ||
    e2e_fail "the view differs from the start in $(zel_region_diff "$ZEL_SHOT" "$started" "$R_VIEW") pixels"
zel_region_same "$ZEL_SHOT" "$started" "$R_LEFT" ||
    e2e_fail "the left panel differs from the start in $(zel_region_diff "$ZEL_SHOT" "$started" "$R_LEFT") pixels"
zel_check_no_message "after the reset"
zel_check_alive "after the reset"
[ "$(cksum <"$E2E_KITCOPY/zelmora.INI")" = "$ini_before" ] || e2e_fail "the ini file was written"
e2e_log "the introduction page and its outline are back as at start"
e2e_pass
