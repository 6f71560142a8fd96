#!/usr/bin/env bash
# The layout editor, end to end. "editor" covers the browsing window with the editor (its
# preview on the left, the style area with its red-to-white gradient on the right) and
# disables the host's toolbar; "Cancel" leaves the display exactly as it was. Opened again,
# "Panel" mode and its "Highlight" and "LoLight" buttons set the panel's gradient through
# Qt's colour dialog; "Close" applies it to the live left panel. "save as" writes the look
# to a state file in the kit, and a restart with StateFileName naming that file shows the
# same left panel.
#
# Qt's colour dialog is driven with the keyboard: Alt+H (the mnemonic of its "HTML:" label)
# puts the focus in the HTML field, Ctrl+A selects its text, the colour is typed as
# #rrggbb, and Return presses the default button, OK. No position inside the dialog is
# needed.
# shellcheck source=lib/e2e-zelmora.sh
source "$(dirname "$0")/lib/e2e-zelmora.sh"
zel_setup "$@"

HILIGHT=1E90FF LOLIGHT=FF8C00
# Places in the editor: its toolbar buttons are 66 pixels wide, 2 apart, from x 2, in a bar
# 27 pixels high; the preview is 289 pixels wide, then a 6-pixel splitter, then the style
# area below the toolbar and its 8-pixel shadow line.
editor_button() { e2e_click $((HOST_X + 2 + 68 * $1 + 33)) $((HOST_Y + 13)); }
BTN_CLOSE=0 BTN_CANCEL=1 BTN_PANEL=2
PREVIEW_W=289
STYLE_X=$((PREVIEW_W + 6)) STYLE_Y=35

# dark_pixels <png> <geometry>: pixels darker than 60 (black captions).
dark_pixels()
{
    convert "$1" -crop "$2" +repage -colorspace Gray -threshold 23% -negate -format '%[fx:int(mean*w*h+0.5)]' info: 2>/dev/null
}

# choose_colour <x> <y> <RRGGBB>: clicks the colour button there and answers Qt's colour
# dialog with that colour.
choose_colour()
{
    local dialog
    e2e_click "$1" "$2"
    e2e_wait_window "Select Color" 10 || e2e_fail "the button at $1,$2 opened no colour dialog"
    dialog="$E2E_WIN"
    e2e_key "$dialog" alt+h
    e2e_key "$dialog" ctrl+a
    e2e_type "$dialog" "#$3"
    e2e_key "$dialog" Return
    e2e_wait_no_window "Select Color" 5 || e2e_fail "the colour dialog did not close on Return"
}

# open_editor <step>: "editor", then waits for the editor to cover the browsing window.
open_editor()
{
    local before="$E2E_TMP/before-editor.png"
    cp "$ZEL_SHOT" "$before"
    zel_click_button editor
    zel_wait_change "$before" "$R_LEFT" "$1" 10 || e2e_fail "\"editor\" did not open the editor"
    zel_check_no_message "when the editor opened"
    zel_pixel_near "$ZEL_SHOT" $((HOST_X + STYLE_X + 2)) $((HOST_Y + 200)) CA0F00 24 ||
        e2e_fail "the editor's style area does not begin with its red gradient colour (found #$(e2e_pixel "$ZEL_SHOT" $((HOST_X + STYLE_X + 2)) $((HOST_Y + 200))))"
    [ "$(dark_pixels "$ZEL_SHOT" "$R_TOOLBAR")" -eq 0 ] ||
        e2e_fail "the host's toolbar is not disabled while the editor is open"
}

zel_start
start="$E2E_ART/$E2E_NAME-start.png"
cp "$ZEL_SHOT" "$start"
[ "$(dark_pixels "$start" "$R_TOOLBAR")" -gt 0 ] || e2e_fail "the toolbar shows no black captions at start"

# --- open and cancel: nothing changes ------------------------------------------------------
open_editor editor-open
e2e_log "the editor is open, the toolbar disabled"
opened="$ZEL_SHOT"
editor_button $BTN_CANCEL
zel_wait_change "$opened" "$R_LEFT" cancelled 10 || e2e_fail "\"Cancel\" did not close the editor"
for region in R_LEFT R_VIEW R_TOOLBAR; do
    zel_region_same "$ZEL_SHOT" "$start" "${!region}" ||
        e2e_fail "after \"Cancel\" the display differs in $region ($(zel_region_diff "$ZEL_SHOT" "$start" "${!region}") pixels)"
done
e2e_log "\"Cancel\" left the display as it was"

# --- open, change the panel's gradient, close ---------------------------------------------
open_editor editor-again
before_panel="$E2E_TMP/before-panel.png"
cp "$ZEL_SHOT" "$before_panel"
editor_button $BTN_PANEL
style="$((HOST_W - STYLE_X))x$((BW_H - STYLE_Y))+$((HOST_X + STYLE_X))+$((HOST_Y + STYLE_Y))"
zel_wait_change "$before_panel" "$style" panel-mode 5 || e2e_fail "\"Panel\" did not change the style page"

# The style pages are centred in the style area. Along its middle row the gradient runs
# smoothly until the page's edge; 3 pixels inside that edge, going up, the page's margin is
# plain until the page's top edge.
mid_y=$((HOST_Y + STYLE_Y + (BW_H - STYLE_Y) / 2))
page_x="$(convert "$ZEL_SHOT" -crop "$((HOST_W - STYLE_X))x1+$((HOST_X + STYLE_X))+$mid_y" +repage -depth 8 txt:- |
    awk -v x0=$((HOST_X + STYLE_X)) 'NR > 1 { split($1, p, /[,:]/); gsub(/[()]/, "", $2); split($2, c, ",")
        if (NR > 2 && (c[1] - r) ^ 2 + (c[2] - g) ^ 2 + (c[3] - b) ^ 2 > 900) { print p[1] + x0; exit }
        r = c[1]; g = c[2]; b = c[3] }')"
[ -n "$page_x" ] || e2e_fail "cannot find the style page's left edge"
page_top="$(convert "$ZEL_SHOT" -crop "1x$((mid_y - HOST_Y - STYLE_Y))+$((page_x + 3))+$((HOST_Y + STYLE_Y))" +repage -depth 8 txt:- |
    awk -v y0=$((HOST_Y + STYLE_Y)) 'NR > 1 { split($1, p, /[,:]/); col[p[2] + 0] = $3; n = p[2] + 0 }
        END { for (y = n - 1; y >= 0; y--) if (col[y] != col[n]) { print y + 1 + y0; exit } }')"
[ -n "$page_top" ] || e2e_fail "cannot find the style page's top edge"
centre_x=$((HOST_X + STYLE_X + (HOST_W - STYLE_X) / 2))
page_w=$((2 * (centre_x - page_x)))
# The page's first group, "Gradient Colours", holds "Highlight" and "LoLight" side by side
# in one row under the group's title: going down the middle of "Highlight" from the page's
# top, the first run of 12 or more pixels unlike the page's background is that button (the
# group's frame lines are thin).
button_y="$(convert "$ZEL_SHOT" -crop "1x150+$((page_x + page_w / 4))+$page_top" +repage -depth 8 txt:- |
    awk -v y0="$page_top" 'NR == 2 { bg = $3 } NR > 1 { split($1, p, /[,:]/); y = p[2] + 0
        if ($3 != bg) { if (run == 0) top = y; run++ } else { if (run >= 12) { print int((top + y - 1) / 2) + y0; exit } run = 0 } }')"
[ -n "$button_y" ] || button_y=$((page_top + 46))
e2e_log "style page at $page_x,$page_top, $page_w wide; colour buttons at y $button_y"

choose_colour $((page_x + page_w / 4)) "$button_y" $HILIGHT
zel_shot highlight
zel_pixel_near "$ZEL_SHOT" $((HOST_X + 3)) "$mid_y" $HILIGHT ||
    e2e_fail "the preview's gradient does not begin with #$HILIGHT (found #$(e2e_pixel "$ZEL_SHOT" $((HOST_X + 3)) "$mid_y"))"
choose_colour $((page_x + page_w * 3 / 4)) "$button_y" $LOLIGHT
zel_shot lolight
zel_pixel_near "$ZEL_SHOT" $((HOST_X + PREVIEW_W - 4)) "$mid_y" $LOLIGHT ||
    e2e_fail "the preview's gradient does not end with #$LOLIGHT (found #$(e2e_pixel "$ZEL_SHOT" $((HOST_X + PREVIEW_W - 4)) "$mid_y"))"
e2e_log "the preview shows the gradient from #$HILIGHT to #$LOLIGHT"

changed="$ZEL_SHOT"
editor_button $BTN_CLOSE
zel_wait_change "$changed" "$R_LEFT" closing 10 || e2e_fail "\"Close\" did not close the editor"
zel_check_no_message "after \"Close\""
closed="$E2E_ART/$E2E_NAME-closed.png"
cp "$ZEL_SHOT" "$closed"
zel_region_same "$closed" "$start" "$R_LEFT" && e2e_fail "\"Close\" did not change the live left panel"
zel_pixel_near "$closed" $((BW_X + 2)) "$mid_y" $HILIGHT ||
    e2e_fail "the live left panel does not begin with #$HILIGHT (found #$(e2e_pixel "$closed" $((BW_X + 2)) "$mid_y"))"
zel_pixel_near "$closed" $((BW_X + ZEL_LEFT_W - 3)) "$mid_y" $LOLIGHT ||
    e2e_fail "the live left panel does not end with #$LOLIGHT (found #$(e2e_pixel "$closed" $((BW_X + ZEL_LEFT_W - 3)) "$mid_y"))"
zel_region_same "$closed" "$start" "$R_TOOLBAR" || e2e_fail "the toolbar is not enabled again after \"Close\""
e2e_log "\"Close\" gave the live left panel the new gradient"

# --- save as, and the state file at the next start -----------------------------------------
zel_click_button saveas
e2e_wait_window "Save As" 10 || e2e_fail "\"save as\" opened no window titled \"Save As\""
e2e_type "$E2E_WIN" Journey
e2e_key "$E2E_WIN" Return
e2e_wait_no_window "Save As" 5 || e2e_fail "the save dialog did not close on Return"
zel_no_message_for 1 "after \"save as\""
state="$(find "$E2E_KITCOPY" -maxdepth 1 -iname 'Journey.sta' | head -n 1)"
[ -n "$state" ] || e2e_fail "\"save as\" wrote no Journey.sta in the kit ($(ls "$E2E_KITCOPY" | tr '\n' ' '))"
cp "$state" "$E2E_ART/$E2E_NAME-Journey.sta"
# The file carries the gradient as colour numbers 0x00BBGGRR, in decimal.
for key in "GradientHiLight=$((16#${HILIGHT:4:2}${HILIGHT:2:2}${HILIGHT:0:2}))" \
    "GradientLoLight=$((16#${LOLIGHT:4:2}${LOLIGHT:2:2}${LOLIGHT:0:2}))" "BackGroundStyle=2"; do
    sed -n '/^\[Panel\]/,/^\[/p' "$state" | tr -d '\r' | grep -qx "$key" ||
        e2e_fail "the [Panel] section of $(basename "$state") lacks $key"
done
e2e_log "\"save as\" wrote $(basename "$state")"

e2e_kill_app
e2e_ini_set zelmora.INI StartUp StateFileName "READERBASE\\$(basename "$state")"
zel_start
zel_no_message_for 1 "at the start with $(basename "$state")"
zel_region_same "$ZEL_SHOT" "$closed" "$R_LEFT" ||
    e2e_fail "with $(basename "$state") the left panel differs from the one saved ($(zel_region_diff "$ZEL_SHOT" "$closed" "$R_LEFT") pixels)"
e2e_log "the restarted program shows the saved left panel"
zel_check_alive
e2e_pass
