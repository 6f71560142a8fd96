#!/usr/bin/env bash
# State files that are missing or cannot be read at start. For this test the kit's default
# state file (zelmora.STA) holds the Lakeside look, so that its use can be seen, and a
# Corrupt.sta beside it holds the Lamplight look with a word for a colour in its
# "Outliners" section, which makes its reading fail.
#   1. StateFileName=NULL: no state file, the program's built-in look.
#   2. StateFileName names zelmora.STA: the Lakeside look.
#   3. StateFileName names a file that does not exist: the start-up path resolution turns
#      it into "0", so no state file is read at all: the built-in look, no message.
#   4. StateFileName names Corrupt.sta: its reading fails, the default state file is used
#      silently: the Lakeside look, no message.
# Then without the default state file:
#   5. a file that does not exist: as in 3, the built-in look and no message;
#   6. Corrupt.sta: "System Error" with the text about the default STA file, after which
#      the program comes up.
# shellcheck source=lib/e2e-zelmora.sh
source "$(dirname "$0")/lib/e2e-zelmora.sh"
zel_setup "$@"

default_state="$(find "$E2E_KITCOPY" -maxdepth 1 -iname 'zelmora.sta' | head -n 1)"
[ -n "$default_state" ] || e2e_fail "the kit has no default state file"
cp "$E2E_KITCOPY/Looks/Lakeside.sta" "$default_state" || e2e_fail "cannot put the Lakeside look in place"
corrupt="$E2E_KITCOPY/Corrupt.sta"
awk '/^\[/ { sec = $0 } { if (sec ~ /^\[Outliners\]/ && $0 ~ /^TextNormalCol=/) print "TextNormalCol=white\r"; else print }' \
    "$E2E_KITCOPY/Looks/Lamplight.sta" >"$corrupt"
grep -q '^TextNormalCol=white' "$corrupt" || e2e_fail "cannot make Corrupt.sta"
system_error="The default STA file is corrupted or missing (this is a backup file used when the user specified STATE file cannot be loaded. You can fix this by running Set-Up again, and this is recommended."

# start_with <state file value> <step>: a start that must show no message; keeps its
# screenshot in SHOT_<step>.
start_with()
{
    e2e_ini_set zelmora.INI StartUp StateFileName "$1"
    zel_start
    zel_no_message_for 2 "with StateFileName=$1"
    printf -v "SHOT_$2" '%s' "$E2E_ART/$E2E_NAME-$2.png"
    cp "$ZEL_SHOT" "$E2E_ART/$E2E_NAME-$2.png"
    e2e_kill_app
}

# same_look <step> <step> <what>
same_look()
{
    local a="SHOT_$1" b="SHOT_$2"
    zel_region_same "${!a}" "${!b}" "$R_LEFT" ||
        e2e_fail "$3: the left panel differs from the $2 look ($(zel_region_diff "${!a}" "${!b}" "$R_LEFT") pixels)"
}

start_with NULL builtin
start_with 'READERBASE\zelmora.STA' lakeside
zel_region_same "$SHOT_builtin" "$SHOT_lakeside" "$R_LEFT" &&
    e2e_fail "the Lakeside look cannot be told from the built-in look"

start_with 'READERBASE\NoSuchLook.sta' missing
same_look missing builtin "a StateFileName naming no file"
e2e_log "a missing state file: no message, the built-in look"

start_with 'READERBASE\Corrupt.sta' corrupt
same_look corrupt lakeside "a state file that cannot be read"
e2e_log "an unreadable state file: no message, the default state file's look"

rm -f "$default_state"
start_with 'READERBASE\NoSuchLook.sta' missing_both
same_look missing_both builtin "a missing state file without the default state file"
e2e_log "a missing state file and no default state file: no message, the built-in look"

e2e_ini_set zelmora.INI StartUp StateFileName 'READERBASE\Corrupt.sta'
e2e_start_app
zel_expect_message "System Error" "$system_error" 30
[ "$(zel_message_text "System Error")" = "$system_error" ] ||
    e2e_fail "the \"System Error\" text is \"$(zel_message_text "System Error")\""
e2e_wait_window "Zelmora 1.0" 20 || e2e_fail "no host window after the \"System Error\" message"
ZEL_HOST="$E2E_WIN"
zel_wait_settled
zel_no_message_for 1 "after the \"System Error\" message"
[ "$(zel_message_count "System Error")" -eq 1 ] ||
    e2e_fail "\"System Error\" was shown $(zel_message_count "System Error") times"
zel_shot after-system-error
[ "$(zel_colour_count "$ZEL_SHOT" "$R_VIEW")" -ge 10 ] || e2e_fail "the view shows nothing after the message"
e2e_log "an unreadable state file and no default state file: \"System Error\", then the program"
zel_check_alive
e2e_pass
