#!/usr/bin/env bash
# The Debian package installs and runs: the package that `make package` wrote (built here
# with cpack when it is missing or older than the program) names its run-time dependencies,
# carries the kit, the launcher, the desktop entry and the icon, and the installed program,
# started through the launcher from an unrelated folder, finds its kit and shows "Zelmora
# 1.0" without a message.
#
# As root, and when no zelmora package is installed already, the package is installed into
# the system with dpkg -i and purged afterwards; otherwise it is unpacked into a temporary
# folder with dpkg-deb -x. Either way the machine is left as it was found.
# shellcheck source=lib/e2e-lib.sh
source "$(dirname "$0")/lib/e2e-lib.sh"
e2e_setup "$@"

PKG_NAME=zelmora
PKG_INSTALLED=""      # set once this test has installed the package into the system
PKG_KIT_EXISTED=""    # the installed kit folder existed before the test
PKG_LOCK_FD=""
PKG_LOCK_DIR=/run/lock
[ -w "$PKG_LOCK_DIR" ] || PKG_LOCK_DIR=/tmp
# Holds the id of the test that installed the package until it has removed it again, so a
# later run can tell a package left behind by a test that was killed from one a user installed.
PKG_OWNER_FILE="$PKG_LOCK_DIR/zelmora-package-test.owner"

package_cleanup()
{
    local rc=$?
    trap - EXIT
    e2e_kill_app
    if [ -n "$PKG_INSTALLED" ]; then
        dpkg --purge "$PKG_NAME" >"$E2E_TMP/dpkg-purge.log" 2>&1 ||
            echo "[$E2E_NAME] dpkg --purge $PKG_NAME failed: $(tail -n 3 "$E2E_TMP/dpkg-purge.log")" >&2
        # Whatever the program wrote into its kit is no file of the package's; the folder
        # did not exist before the test, so nothing of anybody else's is in it.
        [ -n "$PKG_KIT_EXISTED" ] || rm -rf /usr/lib/zelmora
        rm -f "$PKG_OWNER_FILE"
        PKG_INSTALLED=""
    fi
    (exit "$rc")
    e2e_cleanup
}
trap package_cleanup EXIT

# ---- the package -------------------------------------------------------------------------

build_dir="$(cd "$E2E_KIT/.." && pwd)"
find_deb() { ls -t "$build_dir"/${PKG_NAME}_*.deb 2>/dev/null | head -n 1; }

deb="$(find_deb)"
if [ -z "$deb" ] || [ "$E2E_KIT/zelmora" -nt "$deb" ]; then
    command -v cpack >/dev/null 2>&1 || e2e_fail "no package in $build_dir and no cpack to build one"
    [ -f "$build_dir/CPackConfig.cmake" ] || e2e_fail "$build_dir has no CPackConfig.cmake"
    e2e_log "building the package with cpack in $build_dir"
    (cd "$build_dir" && cpack -G DEB) >"$E2E_ART/$E2E_NAME-cpack.log" 2>&1 ||
        e2e_fail "cpack failed: $(tail -n 5 "$E2E_ART/$E2E_NAME-cpack.log" | tr '\n' ' ')"
    deb="$(find_deb)"
fi
[ -n "$deb" ] && [ -f "$deb" ] || e2e_fail "no ${PKG_NAME}_*.deb in $build_dir after cpack"
e2e_log "package $deb"

field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package)" = "$PKG_NAME" ] || e2e_fail "the package is called \"$(field Package)\""
[ "$(field Version)" = "1.0" ] || e2e_fail "the package has version \"$(field Version)\""
depends="$(field Depends)"
e2e_log "Depends: $depends"
has_dep() { tr ',|' '\n\n' <<<"$depends" | sed 's/(.*//; s/^ *//; s/ *$//' | grep -qxF "$1"; }
for dep in fonts-liberation2 qt6-qpa-plugins libqt6widgets6 libqt6multimedia6 libstdc++6; do
    has_dep "$dep" || e2e_fail "the package does not depend on $dep"
done

contents="$E2E_TMP/contents"
dpkg-deb -c "$deb" >"$contents" || e2e_fail "dpkg-deb cannot list $deb"
for f in ./usr/lib/zelmora/zelmora ./usr/lib/zelmora/zelmora.INI ./usr/lib/zelmora/zelmora.STA \
    ./usr/lib/zelmora/logo.bmp ./usr/lib/zelmora/Advertisers/ ./usr/lib/zelmora/webs/ \
    ./usr/lib/zelmora/Looks/ ./usr/share/applications/zelmora.desktop \
    ./usr/share/icons/hicolor/64x64/apps/zelmora.png; do
    awk '{print $6}' "$contents" | grep -qxF "$f" || e2e_fail "the package lacks $f"
done
grep -qE '^l.* \./usr/bin/zelmora -> \.\./lib/zelmora/zelmora$' "$contents" ||
    e2e_fail "the package has no relative link ./usr/bin/zelmora -> ../lib/zelmora/zelmora"
# Nothing of a build or test folder may travel with the program.
if grep -qE 'CMakeFiles|e2e-artifacts|\.o$|Test$' "$contents"; then
    e2e_fail "the package carries build files: $(grep -E 'CMakeFiles|e2e-artifacts|\.o$|Test$' "$contents" | head -n 3)"
fi

# ---- installing --------------------------------------------------------------------------

# Parallel test runs of other build folders install the same package: one at a time.
take_lock()
{
    exec {PKG_LOCK_FD}>"$PKG_LOCK_DIR/zelmora-package-test.lock" || return 1
    flock -w 60 "$PKG_LOCK_FD"
}

package_installed() { dpkg-query -W -f='${Status}' "$PKG_NAME" 2>/dev/null | grep -q 'installed'; }

# A package that an earlier run of this test installed and could not remove (it was killed)
# is removed now; the owner file names a process that no longer runs.
remove_leftover()
{
    local owner
    [ -f "$PKG_OWNER_FILE" ] || return 0
    owner="$(cat "$PKG_OWNER_FILE" 2>/dev/null)"
    if [ -n "$owner" ] && kill -0 "$owner" 2>/dev/null; then
        return 0
    fi
    if package_installed; then
        e2e_log "removing the package an earlier, interrupted run left installed"
        dpkg --purge "$PKG_NAME" >"$E2E_TMP/dpkg-leftover.log" 2>&1 ||
            e2e_fail "cannot remove the package an earlier run left: $(tail -n 3 "$E2E_TMP/dpkg-leftover.log" | tr '\n' ' ')"
        rm -rf /usr/lib/zelmora
    fi
    rm -f "$PKG_OWNER_FILE"
}

install_into_system()
{
    local i
    take_lock || { e2e_log "another package test holds the lock; unpacking instead"; return 1; }
    remove_leftover
    if package_installed; then
        e2e_log "a $PKG_NAME package is installed already; leaving it alone and unpacking instead"
        return 1
    fi
    [ ! -e /usr/lib/zelmora ] || PKG_KIT_EXISTED=1
    # dpkg refuses while apt or another dpkg runs; that is worth a short wait, any other
    # refusal is a fault of the package.
    echo $$ >"$PKG_OWNER_FILE"
    for ((i = 0; i < 30; i++)); do
        PKG_INSTALLED=1
        if dpkg -i "$deb" >"$E2E_ART/$E2E_NAME-dpkg.log" 2>&1; then
            return 0
        fi
        grep -qi 'lock' "$E2E_ART/$E2E_NAME-dpkg.log" ||
            e2e_fail "dpkg -i failed: $(tail -n 5 "$E2E_ART/$E2E_NAME-dpkg.log" | tr '\n' ' ')"
        PKG_INSTALLED=""
        sleep 1
    done
    e2e_fail "dpkg stayed locked for 30 s: $(tail -n 2 "$E2E_ART/$E2E_NAME-dpkg.log" | tr '\n' ' ')"
}

if [ "$(id -u)" -eq 0 ] && install_into_system; then
    root=""
    status="$(dpkg-query -W -f='${Status}' "$PKG_NAME" 2>/dev/null)"
    [ "$status" = "install ok installed" ] || e2e_fail "after dpkg -i the package is \"$status\""
    e2e_log "installed into the system"
else
    root="$E2E_TMP/root"
    mkdir -p "$root"
    dpkg-deb -x "$deb" "$root" || e2e_fail "dpkg-deb -x failed"
    e2e_log "unpacked into $root"
fi

launcher="$root/usr/bin/zelmora"
[ -L "$launcher" ] || e2e_fail "$launcher is not a symbolic link"
[ -x "$launcher" ] || e2e_fail "$launcher does not lead to an executable"
[ "$(readlink -f "$launcher")" = "$(readlink -f "$root/usr/lib/zelmora/zelmora")" ] ||
    e2e_fail "$launcher leads to $(readlink -f "$launcher")"
desktop="$root/usr/share/applications/zelmora.desktop"
grep -qx 'Exec=zelmora' "$desktop" || e2e_fail "the desktop entry does not start zelmora"
grep -qx 'Icon=zelmora' "$desktop" || e2e_fail "the desktop entry names no zelmora icon"
if command -v desktop-file-validate >/dev/null 2>&1; then
    desktop-file-validate "$desktop" || e2e_fail "the desktop entry is not valid"
fi
[ "$(identify -format '%wx%h' "$root/usr/share/icons/hicolor/64x64/apps/zelmora.png" 2>/dev/null)" = 64x64 ] ||
    e2e_fail "the icon is not a 64x64 picture"

# ---- running -----------------------------------------------------------------------------

# Started through the launcher from a folder that holds no kit: the program must find its
# ini and state files beside the real executable, so no start-up message may appear.
rundir="$E2E_TMP/elsewhere"
mkdir -p "$rundir"
E2E_APP_LOG="$E2E_ART/$E2E_NAME-zelmora.log"
(
    cd "$rundir" || exit 127
    exec setsid env DISPLAY="$E2E_DISPLAY" QT_QPA_PLATFORM=xcb \
        XDG_CONFIG_HOME="$E2E_TMP/config" "$launcher"
) >"$E2E_APP_LOG" 2>&1 &
E2E_APP_PID=$!
e2e_log "started $launcher (pid $E2E_APP_PID)"

messages=("Initialisation Error" "System Error" "Load Error" "Error" "Severe Error")
check_no_message()
{
    local title
    for title in "${messages[@]}"; do
        e2e_window_exists "$title" && e2e_fail "the installed program started with a \"$title\" message"
    done
    return 0
}

for ((i = 0; i < 20; i++)); do
    e2e_wait_window "Zelmora 1.0" 1 && break
    check_no_message
done
[ -n "$E2E_WIN" ] || e2e_fail "no window titled \"Zelmora 1.0\" within 20 s"
sleep 1
check_no_message
shot="$(e2e_screenshot installed)" || e2e_fail "no screenshot"
e2e_window_geometry "$E2E_WIN" || e2e_fail "cannot read the geometry of the host window"
colours="$(e2e_colour_count "$shot" "${WIN_W}x${WIN_H}+${WIN_X}+${WIN_Y}")"
[ "${colours:-0}" -ge 3 ] || e2e_fail "the installed program shows $colours colour(s): nothing was drawn"

exe="$(readlink "/proc/$E2E_APP_PID/exe" 2>/dev/null)"
[ "$exe" = "$(readlink -f "$root/usr/lib/zelmora/zelmora")" ] ||
    e2e_fail "the running program is $exe, not the installed one"
e2e_app_alive || { e2e_reap_app; e2e_fail "the installed program ended (exit code $E2E_APP_RC)"; }

e2e_kill_app
if [ -n "$PKG_INSTALLED" ]; then
    dpkg -r "$PKG_NAME" >"$E2E_TMP/dpkg-remove.log" 2>&1 ||
        e2e_fail "dpkg -r failed: $(tail -n 3 "$E2E_TMP/dpkg-remove.log" | tr '\n' ' ')"
    [ ! -e /usr/bin/zelmora ] || e2e_fail "dpkg -r left /usr/bin/zelmora behind"
    [ ! -e /usr/lib/zelmora/zelmora ] || e2e_fail "dpkg -r left /usr/lib/zelmora/zelmora behind"
fi
e2e_pass
