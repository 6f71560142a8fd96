#!/usr/bin/env bash
# A kit without its ini file: the program says "Initialisation Error" once, then starts
# with its defaults and shows the host window.
# shellcheck source=lib/e2e-lib.sh
source "$(dirname "$0")/lib/e2e-lib.sh"
e2e_setup "$@"

find "$E2E_KITCOPY" -maxdepth 1 -iname 'zelmora.ini' -delete
[ -z "$(find "$E2E_KITCOPY" -maxdepth 1 -iname 'zelmora.ini')" ] || e2e_fail "could not remove the ini file"

e2e_start_app
if ! e2e_wait_window "Initialisation Error" 20; then
    e2e_fail "no window titled \"Initialisation Error\" within 20 s"
fi
sleep 0.5
e2e_screenshot message >/dev/null

# Start-up goes on after the message, with the defaults, and says nothing more.
e2e_dismiss "Initialisation Error"
if ! e2e_wait_window "Zelmora 1.0" 20; then
    e2e_fail "no window titled \"Zelmora 1.0\" after the message was dismissed"
fi
sleep 1
e2e_window_exists "Initialisation Error" && e2e_fail "a second \"Initialisation Error\" message appeared"
e2e_app_alive || { e2e_reap_app; e2e_fail "the program ended (exit code $E2E_APP_RC)"; }
e2e_screenshot started >/dev/null
e2e_pass
