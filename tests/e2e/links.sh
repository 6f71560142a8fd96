#!/usr/bin/env bash
# Following links of every kind on the demo web's Signposts page, opened through the
# document list: a plain text file and a sound leave the page as it is; a missing document
# gives the view's "Error" message "Can't locate file: " with its path and keeps the page;
# a MIDI tune goes to the media player (a stand-in xdg-open that only writes down its
# arguments, so nothing real is started and a machine without one behaves the same); an
# in-page link scrolls the view; a link to another document opens it with its page
# outline. The program stays up throughout.
# shellcheck source=lib/e2e-zelmora.sh
source "$(dirname "$0")/lib/e2e-zelmora.sh"
zel_setup "$@"

player_calls="$E2E_TMP/xdg-open.calls"
mkdir -p "$E2E_TMP/bin"
cat >"$E2E_TMP/bin/xdg-open" <<EOF
#!/bin/sh
printf '%s\n' "\$@" >>"$player_calls"
EOF
chmod +x "$E2E_TMP/bin/xdg-open"
E2E_APP_ENV+=("PATH=$E2E_TMP/bin:$PATH")

# The rows of the page's table, top to bottom, after its header.
ROW_DOCUMENTS=1 ROW_STREETS=3 ROW_SOUND=8 ROW_MIDI=9 ROW_TEXT=10 ROW_MISSING=12

# find_table <step> [seconds=10]: waits until the view shows Signposts.htm's table of 12
# links whole. Sets SIGN (the screenshot), RULES (the table's horizontal rules), LINK_X
# (where the link column's texts begin) and R_ABOVE (the view above the table).
find_table()
{
    local step="$1" seconds="${2:-10}" start columns
    start=$(date +%s)
    while :; do
        zel_check_no_message "while waiting for the table of links"
        zel_shot "$step"
        # The view's body margin is 8 pixels: 10 pixels in, the column crosses the
        # table's left cell padding, clear of any text.
        mapfile -t RULES < <(zel_grid_lines "$ZEL_SHOT" $((VIEW_X + 10)) "$BW_Y" $((BW_Y + BW_H)))
        [ "${#RULES[@]}" -eq 14 ] && break
        (($(date +%s) - start < seconds)) || return 1
        sleep 0.3
    done
    zel_wait_settled "$R_VIEW" 5
    SIGN="$E2E_ART/$E2E_NAME-$step.png"
    cp "$ZEL_SHOT" "$SIGN"
    mapfile -t columns < <(zel_grid_columns "$SIGN" $(((RULES[0] + RULES[1]) / 2)) "$VIEW_X" $((VIEW_X + VIEW_W)))
    [ "${#columns[@]}" -eq 3 ] || e2e_fail "the table of links has ${#columns[@]} vertical rules, expected 3"
    LINK_X=$((columns[1] + 15))
    R_ABOVE="${VIEW_W}x$((RULES[0] - BW_Y - 2))+$VIEW_X+$BW_Y"
    e2e_log "the table of links is shown: link column at x $LINK_X, rules ${RULES[0]}..${RULES[13]}"
}

# open_signposts <step>: "site", then the last line of the web folder's list
# (Signposts.htm); the page shows from its top.
open_signposts()
{
    zel_click_button site
    zel_wait_doc_rows 4 "$1-site" || e2e_fail "\"site\" shows ${#DOC_ROWS[@]} documents, expected 4"
    e2e_click $((HOME_X + 40)) "${DOC_ROWS[3]}"
    find_table "$1" || e2e_fail "Signposts.htm did not show its table of links (${#RULES[@]} rules)"
}

# click_link <row>: clicks the link in that row of the table.
click_link() { e2e_click "$LINK_X" $(((RULES[$1] + RULES[$1 + 1]) / 2)); }

# page_kept <step> <what>: the view still shows Signposts.htm from its top with the same
# page outline.
page_kept()
{
    zel_shot "$1"
    zel_region_same "$ZEL_SHOT" "$SIGN" "$R_ABOVE" || e2e_fail "$2 changed the view"
    zel_region_same "$ZEL_SHOT" "$SIGN" "$R_LEFT" || e2e_fail "$2 changed the page outline"
}

zel_start
open_signposts signposts
windows_before="$(zel_windows)"

# A plain text file: nothing happens.
click_link $ROW_TEXT
zel_no_message_for 2 "after a click on the .txt link"
page_kept text-link "the .txt link"
[ "$(zel_windows)" = "$windows_before" ] || e2e_fail "the .txt link opened a window"
e2e_log "the .txt link did nothing"

# A document that does not exist: the view reports it and keeps the page.
click_link $ROW_MISSING
zel_expect_message "Error" "Can't locate file: "
[[ "$(zel_message_text Error)" == *"/Town/Lighthouse.htm" ]] ||
    e2e_fail "the message does not name Town/Lighthouse.htm: \"$(zel_message_text Error)\""
page_kept missing-link "the link to a missing document"
[ "$(zel_message_count Error)" -eq 1 ] || e2e_fail "the missing document was reported $(zel_message_count Error) times"

# A sound: played in the background (there is no sound device here); the page stays.
click_link $ROW_SOUND
zel_no_message_for 2 "after a click on the .wav link"
page_kept sound-link "the .wav link"
e2e_log "the .wav link left the page as it was"

# A MIDI tune: handed to the media player.
click_link $ROW_MIDI
zel_no_message_for 2 "after a click on the .mid link"
page_kept midi-link "the .mid link"
for ((i = 0; i < 20; i++)); do
    [ -s "$player_calls" ] && break
    sleep 0.25
done
[ -s "$player_calls" ] || e2e_fail "the .mid link did not start the media player"
[ "$(wc -l <"$player_calls")" -eq 1 ] && [[ "$(cat "$player_calls")" == /*/webs/Harrowmere/Media/reel.mid ]] ||
    e2e_fail "the media player was given \"$(tr '\n' '|' <"$player_calls")\", expected one argument, the path of Media/reel.mid"
e2e_log "the .mid link handed $(cat "$player_calls") to the media player"

# An in-page link: the view scrolls to the heading "Documents" below the table.
click_link $ROW_DOCUMENTS
zel_wait_change "$SIGN" "$R_ABOVE" anchor-link 5 || e2e_fail "the link to #Documents did not move the view"
zel_check_no_message "after the link to #Documents"
e2e_log "the link to #Documents scrolled the view"

# The page outline's first entry, the heading at the top of the page, brings the table
# back into view.
anchored="$ZEL_SHOT"
e2e_click $((HOME_X + 60)) $((HOME_Y + ZEL_ITEM_H / 2))
zel_wait_change "$anchored" "$R_VIEW" outline-click 5 || e2e_fail "a click on the page outline's first entry did not move the view"
find_table outline-top 5 || e2e_fail "the page outline's first entry did not bring the top of the page back"
zel_check_no_message "after a click on the page outline"

# Another document in another folder: it opens with its own page outline.
click_link $ROW_STREETS
zel_wait_change "$SIGN" "$R_LEFT" streets-link 10 || e2e_fail "the link to Town/Streets.htm did not change the page outline"
zel_check_no_message "after the link to Town/Streets.htm"
zel_region_same "$ZEL_SHOT" "$SIGN" "$R_ABOVE" && e2e_fail "the link to Town/Streets.htm did not change the view"
e2e_log "the link to Town/Streets.htm opened it"

zel_check_alive
e2e_window_exists "Zelmora 1.0" || e2e_fail "the host window is gone"
e2e_pass
