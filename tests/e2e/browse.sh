#!/usr/bin/env bash
# Browsing the demo web with the mouse. The introduction page opens at start with its page
# outline; "site" shows the folder outline over the document list of the web folder; a
# click on a document loads it and its page outline replaces the site panel; "site" brings
# the folder outline back as it was; a click on another folder lists that folder's
# documents, and one of them opens from there.
# shellcheck source=lib/e2e-zelmora.sh
source "$(dirname "$0")/lib/e2e-zelmora.sh"
zel_setup "$@"

zel_start
started="$ZEL_SHOT"
[ "$(zel_colour_count "$started" "$R_VIEW")" -ge 10 ] ||
    e2e_fail "the view shows nothing at start (the introduction page should be there)"

# The web folder holds About.html, Index.HTM, intro.htm and Signposts.htm.
zel_click_button site
zel_wait_change "$started" "$R_LEFT" site || e2e_fail "\"site\" did not change the left panel"
zel_wait_doc_rows 4 site ||
    e2e_fail "the document list of the web folder shows ${#DOC_ROWS[@]} lines, expected 4"
site="$ZEL_SHOT"
site_rows=("${DOC_ROWS[@]}")
folder_colours="$(zel_colour_count "$site" "$R_FOLDERS")"
[ "$folder_colours" -ge 8 ] || e2e_fail "the folder outline shows only $folder_colours colours"
zel_region_same "$site" "$started" "$R_FOLDERS" &&
    e2e_fail "the folder outline's place looks as it did before \"site\""
e2e_log "site panel: folder outline with $folder_colours colours, 4 documents listed"

# The first line is About.html, a document with headings: its page outline replaces the
# site panel and the view shows the document.
e2e_click $((HOME_X + 40)) "${site_rows[0]}"
zel_wait_change "$site" "$R_LEFT" document || e2e_fail "a click on a document did not change the left panel"
document="$ZEL_SHOT"
zel_check_no_message "after a click on a document"
zel_region_same "$document" "$site" "$R_VIEW" && e2e_fail "the view did not change for the document"
zel_region_same "$document" "$started" "$R_LEFT" &&
    e2e_fail "the page outline of the document looks like the introduction page's"
mapfile -t rows < <(zel_doc_rows "$document")
[ "${#rows[@]}" -ne 4 ] || e2e_fail "the document list is still shown after a document opened"
e2e_log "the document opened with its page outline"

# "site" again: the same folder outline, the same list.
zel_click_button site
zel_wait_change "$document" "$R_LEFT" site-again || e2e_fail "\"site\" did not bring the site panel back"
zel_wait_doc_rows 4 site-again || e2e_fail "the document list shows ${#DOC_ROWS[@]} lines after \"site\", expected 4"
zel_region_same "$ZEL_SHOT" "$site" "$R_FOLDERS" ||
    e2e_fail "the folder outline looks different after \"site\" ($(zel_region_diff "$ZEL_SHOT" "$site" "$R_FOLDERS") pixels)"
zel_region_same "$ZEL_SHOT" "$document" "$R_VIEW" || e2e_fail "\"site\" changed the view"
site_again="$ZEL_SHOT"

# Row 10 of the fully expanded outline is Town (Harrowmere; Kitchen, Recipes, Feasts; Media;
# Nature, Fishes, Spawning; People; Pictures; Town), whose documents are Bells, Guildhall,
# Harbour, Market and Streets.
zel_click_folder 10
zel_wait_change "$site_again" "$R_DOCS" town || e2e_fail "a click on a folder did not change the document list"
zel_wait_doc_rows 5 town || e2e_fail "the Town folder lists ${#DOC_ROWS[@]} documents, expected 5"
town="$ZEL_SHOT"
zel_check_no_message "after a click on a folder"
e2e_log "the Town folder lists 5 documents"

# Its last document, Streets.htm, opens from there.
e2e_click $((HOME_X + 40)) "${DOC_ROWS[4]}"
zel_wait_change "$town" "$R_LEFT" streets || e2e_fail "a document of the Town folder did not open"
zel_check_no_message "after a click on a document of the Town folder"
zel_region_same "$ZEL_SHOT" "$town" "$R_VIEW" && e2e_fail "the view did not change for Streets.htm"

zel_check_alive
e2e_pass
