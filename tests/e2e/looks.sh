#!/usr/bin/env bash
# A look that round-trips through the real program. A look in the kit holds a bold italic
# outline font, a picture on the vertical splitter together with its shadow, and a tiled
# panel picture, both pictures named inside the kit ("READERBASE\..."). Started with it,
# the display shows the tile and the splitter's picture; "save as" writes the look again
# with the font style and both pictures; a restart with the saved file shows the same left
# panel; "load" of another look changes it, and "load" of this one brings the same left
# panel back.
# shellcheck source=lib/e2e-zelmora.sh
source "$(dirname "$0")/lib/e2e-zelmora.sh"
zel_setup "$@"

TILE=2060C0 BAR=C02020
mkdir -p "$E2E_KITCOPY/pics"
convert -size 16x16 "xc:#$TILE" "BMP3:$E2E_KITCOPY/pics/tile.bmp" || e2e_fail "cannot make tile.bmp"
convert -size 4x4 "xc:#$BAR" "BMP3:$E2E_KITCOPY/pics/bar.bmp" || e2e_fail "cannot make bar.bmp"
default_state="$(find "$E2E_KITCOPY" -maxdepth 1 -iname 'zelmora.sta' | head -n 1)"
[ -n "$default_state" ] || e2e_fail "the kit has no default state file"
# The kit's look with the additions; keys the format added go at the end of their section.
awk 'function close_section() {
         if (sec == "[Outliners]") print "FontStyle=3\r"
         if (sec == "[Vertical Splitter]") print "PictureFile=READERBASE\\pics\\bar.bmp\r"
     }
     /^\[/ { close_section(); sec = $0; sub(/\r$/, "", sec) }
     sec == "[Panel]" && /^BitmapFile=/ { print "BitmapFile=READERBASE\\pics\\tile.bmp\r"; next }
     sec == "[Vertical Splitter]" && /^ShThickness=/ { print "ShThickness=2\r"; next }
     { print }
     END { close_section() }' "$default_state" >"$E2E_KITCOPY/Mine.sta"
grep -q '^FontStyle=3' "$E2E_KITCOPY/Mine.sta" || e2e_fail "cannot make Mine.sta"

e2e_ini_set zelmora.INI StartUp StateFileName 'READERBASE\Mine.sta'
zel_start
zel_no_message_for 1 "at the start with Mine.sta"
start="$E2E_ART/$E2E_NAME-start.png"
cp "$ZEL_SHOT" "$start"
mid_y=$((BW_Y + BW_H / 2))
zel_pixel_near "$start" $((BW_X + 3)) "$mid_y" $TILE ||
    e2e_fail "the panel page does not show the kit's tile (found #$(e2e_pixel "$start" $((BW_X + 3)) "$mid_y"))"
zel_pixel_near "$start" $((BW_X + ZEL_LEFT_W + 4)) "$mid_y" $BAR ||
    e2e_fail "the vertical splitter does not show its picture beside its shadow (found #$(e2e_pixel "$start" $((BW_X + ZEL_LEFT_W + 4)) "$mid_y"))"
e2e_log "the look from the kit shows its tile and the splitter's picture"

# --- save as: the file keeps the font style and both pictures inside the kit ------------
zel_click_button saveas
e2e_wait_window "Save As" 10 || e2e_fail "\"save as\" opened no window titled \"Save As\""
e2e_type "$E2E_WIN" Journey
e2e_key "$E2E_WIN" Return
e2e_wait_no_window "Save As" 5 || e2e_fail "the save dialog did not close on Return"
zel_no_message_for 1 "after \"save as\""
state="$(find "$E2E_KITCOPY" -maxdepth 1 -iname 'Journey.sta' | head -n 1)"
[ -n "$state" ] || e2e_fail "\"save as\" wrote no Journey.sta in the kit"
cp "$state" "$E2E_ART/$E2E_NAME-Journey.sta"
section_has() { sed -n "/^\\[$1\\]/,/^\\[/p" "$state" | tr -d '\r' | grep -qxF "$2"; }
section_has Outliners 'FontStyle=3' || e2e_fail "Journey.sta lacks the outline's bold italic style"
section_has Panel 'BitmapFile=READERBASE\pics\tile.bmp' || e2e_fail "Journey.sta lacks the kit's tile"
section_has 'Vertical Splitter' 'PictureFile=READERBASE\pics\bar.bmp' ||
    e2e_fail "Journey.sta lacks the splitter's picture"
section_has 'Vertical Splitter' 'ShadowStyle=3' || e2e_fail "Journey.sta lost the splitter's shadow"
e2e_log "\"save as\" wrote the font style and both pictures as paths inside the kit"

# --- restart with the saved look ---------------------------------------------------------
e2e_kill_app
e2e_ini_set zelmora.INI StartUp StateFileName 'READERBASE\Journey.sta'
zel_start
zel_no_message_for 1 "at the start with Journey.sta"
zel_region_same "$ZEL_SHOT" "$start" "$R_LEFT" ||
    e2e_fail "restarted with Journey.sta the left panel differs ($(zel_region_diff "$ZEL_SHOT" "$start" "$R_LEFT") pixels)"
e2e_log "the restarted program shows the same left panel"

# load_look <name relative to the kit> <step>
load_look()
{
    local before="$E2E_TMP/before-$2.png"
    cp "$ZEL_SHOT" "$before"
    zel_click_button load
    e2e_wait_window "Open" 10 || e2e_fail "\"load\" opened no window titled \"Open\""
    local dialog="$E2E_WIN"
    e2e_type "$dialog" "$1"
    e2e_key "$dialog" Return
    # The first Return may only take the name the dialog's completer offers.
    if ! e2e_wait_no_window "Open" 2; then
        e2e_key "$dialog" Return
        e2e_wait_no_window "Open" 5 || e2e_fail "the open dialog did not close on Return"
    fi
    zel_no_message_for 1 "after loading $1"
    zel_wait_settled
    zel_shot "$2"
}
cp "$E2E_KITCOPY/Looks/Lakeside.sta" "$E2E_KITCOPY/Other.sta" || e2e_fail "cannot copy the Lakeside look"
load_look Other.sta other
zel_region_same "$ZEL_SHOT" "$start" "$R_LEFT" && e2e_fail "loading Lakeside did not change the left panel"
load_look "$(basename "$state")" again
zel_region_same "$ZEL_SHOT" "$start" "$R_LEFT" ||
    e2e_fail "loading Journey.sta again shows another left panel ($(zel_region_diff "$ZEL_SHOT" "$start" "$R_LEFT") pixels)"
e2e_log "another look and this one again: the same left panel"
zel_check_alive
e2e_pass
