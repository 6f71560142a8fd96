#!/usr/bin/env bash
# The kit starts: the host window "Zelmora 1.0" appears without any message window, shows
# something on the screen, and the program is still running three seconds later.
# shellcheck source=lib/e2e-lib.sh
source "$(dirname "$0")/lib/e2e-lib.sh"
e2e_setup "$@"

messages=("Initialisation Error" "System Error" "Load Error" "Error" "Severe Error")

# The demo kit is complete, so no start-up step may complain.
check_no_message()
{
    local title
    for title in "${messages[@]}"; do
        if e2e_window_exists "$title"; then
            e2e_fail "the demo kit started with a \"$title\" message"
        fi
    done
}

e2e_start_app
for ((i = 0; i < 20; i++)); do
    e2e_wait_window "Zelmora 1.0" 1 && break
    check_no_message
done
[ -n "$E2E_WIN" ] || e2e_fail "no window titled \"Zelmora 1.0\" within 20 s"
host="$E2E_WIN"
sleep 1
shot="$(e2e_screenshot shown)" || e2e_fail "no screenshot"
check_no_message

e2e_window_geometry "$host" || e2e_fail "cannot read the geometry of the host window"
e2e_log "host window $host at ${WIN_X},${WIN_Y}, ${WIN_W}x${WIN_H}"
if [ "$WIN_W" -lt 100 ] || [ "$WIN_H" -lt 100 ]; then
    e2e_fail "the host window is only ${WIN_W}x${WIN_H}"
fi
colours="$(e2e_colour_count "$shot" "${WIN_W}x${WIN_H}+${WIN_X}+${WIN_Y}")"
[ "${colours:-0}" -ge 3 ] || e2e_fail "the host window shows $colours colour(s): nothing was drawn"

sleep 3
e2e_app_alive || { e2e_reap_app; e2e_fail "the program ended (exit code $E2E_APP_RC) within 3 s of showing its window"; }
e2e_window_exists "Zelmora 1.0" || e2e_fail "the host window disappeared within 3 s"
check_no_message
e2e_screenshot after-3s >/dev/null
e2e_pass
