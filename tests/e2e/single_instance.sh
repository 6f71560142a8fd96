#!/usr/bin/env bash
# One program per kit. A second start of the running kit shows no window of its own, asks
# the first to the front and ends with exit code 0; the first runs on. After the first was
# killed (its socket left behind), a new start comes up as usual.
# shellcheck source=lib/e2e-zelmora.sh
source "$(dirname "$0")/lib/e2e-zelmora.sh"
zel_setup "$@"

zel_start
first="$E2E_APP_PID"

# second_start: runs another zelmora of the same kit and sets SECOND_RC (124: still running
# after 15 s).
second_start()
{
    local log="$E2E_ART/$E2E_NAME-second.log"
    (
        cd "$E2E_KITCOPY" || exit 127
        exec timeout 15 env DISPLAY="$E2E_DISPLAY" QT_QPA_PLATFORM=xcb \
            XDG_CONFIG_HOME="$E2E_TMP/config" XDG_CACHE_HOME="$E2E_TMP/cache" "${E2E_APP_ENV[@]}" ./zelmora
    ) >"$log" 2>&1
    SECOND_RC=$?
}

second_start
[ "$SECOND_RC" = 0 ] || e2e_fail "the second start ended with exit code $SECOND_RC, expected 0"
zel_check_alive "after a second start"
[ "$E2E_APP_PID" = "$first" ] || e2e_fail "the first program was replaced"
count="$(xdotool search --name '^Zelmora 1\.0$' 2>/dev/null | wc -l)"
[ "$count" = 1 ] || e2e_fail "$count host windows after the second start, expected 1"
zel_check_no_message "after the second start"
e2e_log "the second start ended with 0; the first runs on"

# A killed program leaves its socket behind; it must not keep the kit from starting.
kill -KILL "$first" 2>/dev/null
e2e_reap_app
e2e_wait_no_window "Zelmora 1.0" 10 || e2e_fail "the killed program's window stayed"
zel_start
zel_check_alive "after the start that followed the kill"
e2e_screenshot restarted >/dev/null
second_start
[ "$SECOND_RC" = 0 ] || e2e_fail "a second start after the restart ended with $SECOND_RC"
zel_check_alive "after the last second start"
e2e_pass
