#!/usr/bin/env bash
# The about window and the find dialog. "i" opens a new black window of 423 x 366 pixels in
# the middle of the screen, over the host, which stays until its "Continue" button closes
# it. "find" opens the dialog "Find"; a word that occurs once on the introduction page is
# found (the view shows it selected), the next search gives "No further occurances of "
# and the word in a window titled "Information", and so does the one after.
# shellcheck source=lib/e2e-zelmora.sh
source "$(dirname "$0")/lib/e2e-zelmora.sh"
zel_setup "$@"

word="kettle" # once in intro.htm: "... before a kettle boils"
grep -o -i "$word" "$E2E_KITCOPY/webs/Harrowmere/intro.htm" | wc -l | grep -qx 1 ||
    e2e_fail "the introduction page of the kit should hold \"$word\" exactly once"
screen_w="${E2E_SCREEN%%x*}"
screen_h="${E2E_SCREEN#*x}" screen_h="${screen_h%%x*}"

zel_start
before="$(zel_windows)"

# --- about ---------------------------------------------------------------------------------
zel_click_button i
about=""
for ((i = 0; i < 50; i++)); do
    about="$(comm -13 <(echo "$before") <(zel_windows) | head -n 1)"
    [ -n "$about" ] && break
    sleep 0.2
done
[ -n "$about" ] || e2e_fail "\"i\" opened no window"
e2e_window_geometry "$about" || e2e_fail "cannot read the about window's geometry"
e2e_log "about window \"$(xdotool getwindowname "$about")\" at $WIN_X,$WIN_Y, ${WIN_W}x$WIN_H"
[ "${WIN_W}x$WIN_H" = 423x366 ] || e2e_fail "the about window is ${WIN_W}x$WIN_H, not 423x366"
dx=$((WIN_X - (screen_w - WIN_W) / 2)) dy=$((WIN_Y - (screen_h - WIN_H) / 2))
((dx * dx <= 4 && dy * dy <= 4)) || e2e_fail "the about window is not in the middle of the screen"
zel_wait_settled "${WIN_W}x$WIN_H+$WIN_X+$WIN_Y" 5
for corner in "$((WIN_X + 3)) $((WIN_Y + 3))" "$((WIN_X + WIN_W - 4)) $((WIN_Y + WIN_H - 4))"; do
    # shellcheck disable=SC2086  # "x y"
    [ "$(e2e_pixel "$ZEL_SHOT" $corner)" = 000000 ] || e2e_fail "the about window is not black at $corner"
done
[ "$(zel_colour_count "$ZEL_SHOT" "${WIN_W}x$WIN_H+$WIN_X+$WIN_Y")" -ge 20 ] ||
    e2e_fail "the about window shows no picture or text"
about_shot="$ZEL_SHOT"
cp "$about_shot" "$E2E_ART/$E2E_NAME-about.png"

# It stays until "Continue" (167 x 33 at 119,318) is pressed.
sleep 2
zel_windows | grep -qx "$about" || e2e_fail "the about window closed by itself"
e2e_click $((WIN_X + 119 + 83)) $((WIN_Y + 318 + 16))
for ((i = 0; i < 25; i++)); do
    zel_windows | grep -qx "$about" || break
    sleep 0.2
done
zel_windows | grep -qx "$about" && e2e_fail "\"Continue\" did not close the about window"
zel_check_no_message "after the about window"
e2e_log "\"Continue\" closed the about window"

# --- find ----------------------------------------------------------------------------------
zel_click_button find
e2e_wait_window "Find" 10 || e2e_fail "\"find\" opened no window titled \"Find\""
find_dialog="$E2E_WIN"
# Out of the way of the page's text: to the bottom left corner, over the left panel.
e2e_window_geometry "$find_dialog" || e2e_fail "cannot read the find dialog's geometry"
xdotool windowmove --sync "$find_dialog" 0 $((screen_h - WIN_H)) 2>/dev/null
e2e_type "$find_dialog" "$word"
e2e_window_geometry "$find_dialog" || e2e_fail "cannot read the find dialog's geometry"
dialog_box="$WIN_X,$WIN_Y $((WIN_X + WIN_W)),$((WIN_Y + WIN_H))"

# masked_shot <step>: a screenshot with the find dialog (and its blinking caret) blacked out.
masked_shot()
{
    zel_shot "$1"
    convert "$ZEL_SHOT" -fill black -draw "rectangle $dialog_box" "$E2E_TMP/$1.png" ||
        e2e_fail "cannot mask the find dialog"
    MASKED="$E2E_TMP/$1.png"
}

masked_shot typed
typed="$MASKED"
e2e_key "$find_dialog" Return
found=""
for ((i = 0; i < 25; i++)); do
    masked_shot found
    if ! zel_region_same "$typed" "$MASKED" "$R_VIEW"; then
        found="$MASKED"
        break
    fi
    sleep 0.2
done
[ -n "$found" ] || e2e_fail "finding \"$word\" did not show it in the view"
# Only the word changed: selected where it stood, the view neither scrolled nor jumped.
box="$(convert "$typed" "$found" -compose difference -composite -crop "$R_VIEW" +repage \
    -threshold 0 -format '%@' info: 2>/dev/null)"
box_w="${box%%x*}" box_h="${box#*x}" box_h="${box_h%%+*}"
((box_w > 0 && box_w < 120 && box_h < 40)) ||
    e2e_fail "the first search changed a ${box} part of the view, expected a selected word"
zel_check_no_message "after the first search for \"$word\""
e2e_log "the first search selected \"$word\" (${box} of the view changed)"

for attempt in second third; do
    e2e_key "$find_dialog" Return
    zel_expect_message "Information" "No further occurances of $word"
    [ "$(zel_message_text Information)" = "No further occurances of $word" ] ||
        e2e_fail "the $attempt search says \"$(zel_message_text Information)\""
done
[ "$(zel_message_count Information)" -eq 2 ] || e2e_fail "$(zel_message_count Information) \"Information\" messages, expected 2"

e2e_dismiss "Find" Escape
zel_check_alive
e2e_window_exists "Zelmora 1.0" || e2e_fail "the host window is gone"
e2e_pass
