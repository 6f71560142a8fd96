#!/usr/bin/env bash
# The three screen modes as a reader sees them in the title panel and the window:
#   Edit mode: the edit buttons (editor, web, load, save as) and "exit" are shown, the logo
#     is not, the window has a border;
#   Display mode: no edit buttons, no "exit", the author's logo (logo.bmp) in the middle of
#     the title panel, the window fills the screen without a border;
#   Reader mode: like Display mode, but with "exit" and a border.
# The demo kit starts in Edit mode; Ctrl+D, Ctrl+E and Ctrl+R switch. With the runtime lock
# (kxItem2=1) the program starts in Reader mode and the mode keys do nothing. With
# StartUpMode=1 it starts in Display mode.
# shellcheck source=lib/e2e-zelmora.sh
source "$(dirname "$0")/lib/e2e-zelmora.sh"
zel_setup "$@"

logo="$E2E_KITCOPY/logo.bmp"
screen_w="${E2E_SCREEN%%x*}"
screen_h="${E2E_SCREEN#*x}" screen_h="${screen_h%%x*}"

# check_mode <Edit|Display|Reader> <screenshot>
check_mode()
{
    local mode="$1" shot="$2" edit exit where
    zel_layout quiet
    edit="$(zel_colour_count "$shot" "$R_EDIT_BUTTONS")"
    exit="$(zel_colour_count "$shot" "$R_EXIT")"
    where="$(zel_find_picture "$shot" "$R_TITLE_MIDDLE" "$logo")"
    case "$mode" in
    Edit)
        [ "$edit" -gt 1 ] || e2e_fail "Edit mode: the edit buttons are not shown"
        [ "$exit" -gt 1 ] || e2e_fail "Edit mode: the exit button is not shown"
        [ -z "$where" ] || e2e_fail "Edit mode: the logo is shown"
        zel_has_border "$ZEL_HOST" || e2e_fail "Edit mode: the window has no border"
        ;;
    Display | Reader)
        [ "$edit" -eq 1 ] || e2e_fail "$mode mode: the edit buttons are shown"
        [ -n "$where" ] || e2e_fail "$mode mode: the logo is not shown in the title panel"
        if [ "$mode" = Display ]; then
            [ "$exit" -eq 1 ] || e2e_fail "Display mode: the exit button is shown"
            zel_has_border "$ZEL_HOST" && e2e_fail "Display mode: the window has a border"
        else
            [ "$exit" -gt 1 ] || e2e_fail "Reader mode: the exit button is not shown"
            zel_has_border "$ZEL_HOST" || e2e_fail "Reader mode: the window has no border"
        fi
        [ "$HOST_X,$HOST_Y,$HOST_W,$HOST_H" = "0,0,$screen_w,$screen_h" ] ||
            e2e_fail "$mode mode: the window is at $HOST_X,$HOST_Y, ${HOST_W}x$HOST_H, not filling the ${screen_w}x$screen_h screen"
        ;;
    esac
    e2e_log "$mode mode as expected${where:+ (logo at $where)}"
}

# mode_key <key> <step>: presses a mode key and waits for the title panel to change.
mode_key()
{
    local before="$ZEL_SHOT"
    e2e_key "$ZEL_HOST" "$1"
    zel_wait_change "$before" "$R_TOOLBAR" "$2" 5 || e2e_fail "$1 did not change the title panel"
    zel_check_no_message "after $1"
}

# --- the demo kit: Edit mode, then the keys ------------------------------------------------
zel_start
edit_shot="$E2E_ART/$E2E_NAME-edit.png"
cp "$ZEL_SHOT" "$edit_shot"
check_mode Edit "$edit_shot"

mode_key ctrl+d display
check_mode Display "$ZEL_SHOT"

mode_key ctrl+e edit-again
check_mode Edit "$ZEL_SHOT"
zel_region_same "$ZEL_SHOT" "$edit_shot" "$R_TOOLBAR" ||
    e2e_fail "after Ctrl+E the toolbar differs from Edit mode at start ($(zel_region_diff "$ZEL_SHOT" "$edit_shot" "$R_TOOLBAR") pixels)"

mode_key ctrl+r reader
check_mode Reader "$ZEL_SHOT"
e2e_kill_app

# --- the runtime lock: Reader mode, and the keys do nothing --------------------------------
e2e_ini_set zelmora.INI StartUp kxItem2 1
zel_start
check_mode Reader "$ZEL_SHOT"
locked="$E2E_ART/$E2E_NAME-locked.png"
cp "$ZEL_SHOT" "$locked"
for key in ctrl+e ctrl+d; do
    e2e_key "$ZEL_HOST" "$key"
    sleep 1
    zel_shot "locked-$key"
    zel_region_same "$ZEL_SHOT" "$locked" "$R_TOOLBAR" || e2e_fail "with the runtime lock, $key changed the title panel"
done
check_mode Reader "$ZEL_SHOT"
zel_check_no_message "with the runtime lock"
e2e_kill_app

# --- StartUpMode=1: Display mode from the start --------------------------------------------
e2e_ini_set zelmora.INI StartUp kxItem2 0
e2e_ini_set zelmora.INI StartUp StartUpMode 1
zel_start
check_mode Display "$ZEL_SHOT"
zel_check_alive
e2e_pass
