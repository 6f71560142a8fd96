# shellcheck shell=bash
# Shared helpers of the end-to-end tests. A test script sources this file, calls
#   e2e_setup "$@"          (arguments: <kitdir> <artifactdir>)
# and then drives the real program: e2e_start_app, e2e_wait_window, e2e_screenshot, ...
# Every test works on its own copy of the kit, on its own X server (Xvfb), and leaves no
# process behind: the EXIT trap ends the program and the server it started, by their ids.
#
# Exit code 0 means pass. e2e_fail prints the reason, saves a screenshot and the program's
# output in the artifact folder, and exits 1.
#
# Set E2E_KEEP=1 to keep the temporary folder (its path is printed) for a post-mortem.

E2E_NAME=""          # the test's name: its script's base name
E2E_KIT=""           # the kit the build assembled (read only)
E2E_ART=""           # where screenshots and logs go
E2E_TMP=""           # the test's temporary folder
E2E_KITCOPY=""       # the test's own copy of the kit, where the program runs
E2E_DISPLAY=""       # the test's X display, such as ":3"
E2E_XVFB_PID=""
E2E_APP_PID=""
E2E_APP_LOG=""
E2E_APP_ENV=()       # extra NAME=value settings for the program's environment only

E2E_SCREEN="1280x800x24"

e2e_log() { echo "[$E2E_NAME] $*"; }

e2e_fail()
{
    echo "FAIL [$E2E_NAME]: $*" >&2
    if [ -n "$E2E_DISPLAY" ]; then
        echo "  visible windows: $(e2e_list_windows | tr '\n' ';')" >&2
        e2e_screenshot failure >/dev/null 2>&1 || true
    fi
    if [ -n "$E2E_APP_LOG" ] && [ -s "$E2E_APP_LOG" ]; then
        echo "  last lines of the program's output:" >&2
        tail -n 15 "$E2E_APP_LOG" | sed 's/^/    /' >&2
    fi
    exit 1
}

e2e_pass()
{
    echo "PASS [$E2E_NAME]"
    exit 0
}

# ---- set-up and clean-up -----------------------------------------------------------------

e2e_require_tools()
{
    local t missing=()
    for t in Xvfb xdotool import convert; do
        command -v "$t" >/dev/null 2>&1 || missing+=("$t")
    done
    [ ${#missing[@]} -eq 0 ] ||
        e2e_fail "missing tools: ${missing[*]} (scripts/install-deps.sh installs them)"
}

# e2e_setup <kitdir> <artifactdir>: copies the kit to a fresh temporary folder and starts
# the X server. The program is not started yet, so a test can change its kit first.
e2e_setup()
{
    E2E_NAME="$(basename "$0" .sh)"
    if [ $# -lt 2 ]; then
        echo "usage: bash $0 <kitdir> <artifactdir>" >&2
        exit 2
    fi
    E2E_KIT="$1"
    E2E_ART="$2"
    trap e2e_cleanup EXIT
    trap 'exit 130' INT TERM HUP

    e2e_require_tools
    [ -d "$E2E_KIT" ] || e2e_fail "kit folder $E2E_KIT does not exist (build the program first)"
    [ -x "$E2E_KIT/zelmora" ] || e2e_fail "no executable $E2E_KIT/zelmora (build the program first)"
    mkdir -p "$E2E_ART" || e2e_fail "cannot create the artifact folder $E2E_ART"
    rm -f "$E2E_ART/$E2E_NAME"-*.png "$E2E_ART/$E2E_NAME"-*.log

    E2E_TMP="$(mktemp -d "${TMPDIR:-/tmp}/zelmora-e2e-$E2E_NAME.XXXXXX")" ||
        e2e_fail "cannot create a temporary folder"
    E2E_KITCOPY="$E2E_TMP/kit"
    mkdir -p "$E2E_KITCOPY" "$E2E_TMP/config"
    cp -a "$E2E_KIT/." "$E2E_KITCOPY/" || e2e_fail "cannot copy the kit to $E2E_KITCOPY"
    e2e_start_xvfb
}

# Starts Xvfb on a display number the server picks itself (-displayfd), so parallel runs
# never race for the same number.
e2e_start_xvfb()
{
    local numfile="$E2E_TMP/display" i
    : >"$numfile"
    Xvfb -displayfd 3 -screen 0 "$E2E_SCREEN" -nolisten tcp -noreset \
        3>"$numfile" >"$E2E_TMP/xvfb.log" 2>&1 &
    E2E_XVFB_PID=$!
    for ((i = 0; i < 100; i++)); do
        if grep -q '^[0-9][0-9]*$' "$numfile" 2>/dev/null; then
            E2E_DISPLAY=":$(head -n 1 "$numfile")"
            break
        fi
        kill -0 "$E2E_XVFB_PID" 2>/dev/null ||
            e2e_fail "Xvfb ended at start: $(tail -n 3 "$E2E_TMP/xvfb.log" | tr '\n' ' ')"
        sleep 0.1
    done
    [ -n "$E2E_DISPLAY" ] || e2e_fail "Xvfb did not report a display within 10 s"
    export DISPLAY="$E2E_DISPLAY"
    e2e_log "Xvfb on display $E2E_DISPLAY (pid $E2E_XVFB_PID)"
}

# Ends a process this test started: TERM, up to 3 s of grace, then KILL.
e2e_stop_pid()
{
    local pid="$1" i
    [ -n "$pid" ] || return 0
    kill -0 "$pid" 2>/dev/null || { wait "$pid" 2>/dev/null; return 0; }
    kill -TERM "$pid" 2>/dev/null
    for ((i = 0; i < 30; i++)); do
        e2e_pid_running "$pid" || break
        sleep 0.1
    done
    if e2e_pid_running "$pid"; then
        kill -KILL "$pid" 2>/dev/null
    fi
    wait "$pid" 2>/dev/null
    return 0
}

e2e_cleanup()
{
    local rc=$?
    trap - EXIT
    e2e_kill_app
    if [ -n "$E2E_XVFB_PID" ]; then
        e2e_stop_pid "$E2E_XVFB_PID"
        E2E_XVFB_PID=""
    fi
    if [ -n "$E2E_TMP" ] && [ -d "$E2E_TMP" ]; then
        if [ "${E2E_KEEP:-0}" = 1 ]; then
            echo "[$E2E_NAME] kept $E2E_TMP"
        else
            rm -rf "$E2E_TMP"
        fi
    fi
    exit "$rc"
}

# ---- the program ---------------------------------------------------------------------------

# e2e_start_app: starts the copied zelmora from its own folder on the test's display, as the
# leader of a process group of its own, so that whatever it starts ends with it.
e2e_start_app()
{
    [ -z "$E2E_APP_PID" ] || e2e_fail "the program is already running"
    E2E_APP_LOG="$E2E_ART/$E2E_NAME-zelmora.log"
    (
        cd "$E2E_KITCOPY" || exit 127
        exec setsid env DISPLAY="$E2E_DISPLAY" QT_QPA_PLATFORM=xcb \
            XDG_CONFIG_HOME="$E2E_TMP/config" XDG_CACHE_HOME="$E2E_TMP/cache" "${E2E_APP_ENV[@]}" ./zelmora
    ) >"$E2E_APP_LOG" 2>&1 &
    E2E_APP_PID=$!
    e2e_log "started zelmora (pid $E2E_APP_PID)"
}

# True while the process runs (a finished child that was not yet reaped does not count).
e2e_pid_running()
{
    local pid="$1" state
    [ -n "$pid" ] && [ -r "/proc/$pid/stat" ] || return 1
    state="$(sed 's/^.*) //' "/proc/$pid/stat" 2>/dev/null | cut -d' ' -f1)"
    [ -n "$state" ] && [ "$state" != Z ] && [ "$state" != X ]
}

e2e_app_alive() { e2e_pid_running "$E2E_APP_PID"; }

# e2e_reap_app: waits for the ended program and sets E2E_APP_RC to its exit code.
E2E_APP_RC=""
e2e_reap_app()
{
    wait "$E2E_APP_PID" 2>/dev/null
    E2E_APP_RC=$?
    E2E_APP_PID=""
}

# e2e_kill_app: ends the program and the processes of its group (a media player it
# started, for instance).
e2e_kill_app()
{
    local pid="$E2E_APP_PID"
    [ -n "$pid" ] || return 0
    e2e_stop_pid "$pid"
    kill -KILL -- "-$pid" 2>/dev/null
    E2E_APP_PID=""
}

# e2e_ini_set <file> <section> <key> <value>: sets one key of an ini file of the copied kit
# (file relative to the kit, such as zelmora.INI), keeping CR LF line ends. A missing key is
# added at the end of its section, a missing section at the end of the file.
e2e_ini_set()
{
    local file="$E2E_KITCOPY/$1"
    [ -f "$file" ] || e2e_fail "no file $1 in the kit"
    # The value goes through the environment: awk -v would read "\n" or "\b" in a Windows
    # path such as READERBASE\new.sta as escapes.
    E2E_INI_VALUE="$4" awk -v sec="$2" -v key="$3" '
        BEGIN { val = ENVIRON["E2E_INI_VALUE"] }
        function flush() { if (insec && !done) { print key "=" val "\r"; done = 1 } }
        function blanks() { printf "%s", held; held = "" }
        {
            line = $0; sub(/\r$/, "", line)
            if (line ~ /^[ \t]*$/) { held = held $0 "\n"; next }
            if (line ~ /^[ \t]*\[/) {
                flush(); blanks()
                name = line; sub(/^[ \t]*\[/, "", name); sub(/\].*$/, "", name)
                insec = (tolower(name) == tolower(sec))
            } else {
                blanks()
                if (insec && !done && index(line, "=") > 0) {
                    k = substr(line, 1, index(line, "=") - 1); gsub(/^[ \t]+|[ \t]+$/, "", k)
                    if (tolower(k) == tolower(key)) { print k "=" val "\r"; done = 1; next }
                }
            }
            print
        }
        END {
            flush(); blanks()
            if (!done) { print "[" sec "]\r"; print key "=" val "\r" }
        }' "$file" >"$file.new" || e2e_fail "cannot write $1"
    mv "$file.new" "$file" || e2e_fail "cannot write $1"
}

# ---- windows -----------------------------------------------------------------------------

# Names of all visible windows, one per line.
e2e_list_windows()
{
    local id
    for id in $(xdotool search --onlyvisible --name '.' 2>/dev/null); do
        xdotool getwindowname "$id" 2>/dev/null
    done | sort -u
}

# A window title matches when it is the title itself, or the title followed by the
# application's display name (" — name"), which Qt appends on some set-ups.
e2e_title_matches()
{
    local name="$1" title="$2"
    [ "$name" = "$title" ] || [[ "$name" == "$title — "* ]]
}

# e2e_find_window <title>: prints the ids of visible windows with that title; fails when
# there is none.
e2e_find_window()
{
    local title="$1" id name found=1 pattern
    pattern="$(printf '%s' "$title" | sed 's/[][\\.^$*+?(){}|]/\\&/g')"
    for id in $(xdotool search --onlyvisible --name "^$pattern" 2>/dev/null); do
        name="$(xdotool getwindowname "$id" 2>/dev/null)" || continue
        if e2e_title_matches "$name" "$title"; then
            echo "$id"
            found=0
        fi
    done
    return $found
}

e2e_window_exists() { e2e_find_window "$1" >/dev/null; }

# e2e_wait_window <title> [seconds=20]: waits for a visible window with that title and sets
# E2E_WIN to its id; false on time-out. Fails the test at once when the program ends while
# waiting. Call it directly, not inside $(...), so that it can stop the test.
E2E_WIN=""
e2e_wait_window()
{
    local title="$1" seconds="${2:-20}" i ids start
    E2E_WIN=""
    start="$(date +%s%N)"
    for ((i = 0; i < seconds * 5; i++)); do
        if ids="$(e2e_find_window "$title")"; then
            E2E_WIN="${ids%%$'\n'*}"
            e2e_log "window \"$title\" ($E2E_WIN) after $(( ($(date +%s%N) - start) / 1000000 )) ms"
            return 0
        fi
        if [ -n "$E2E_APP_PID" ] && ! e2e_app_alive; then
            e2e_reap_app
            e2e_fail "the program ended (exit code $E2E_APP_RC) before a window \"$title\" appeared"
        fi
        sleep 0.2
    done
    return 1
}

# e2e_wait_no_window <title> [seconds=10]: true once no visible window has that title.
e2e_wait_no_window()
{
    local title="$1" seconds="${2:-10}" i
    for ((i = 0; i < seconds * 5; i++)); do
        e2e_window_exists "$title" || return 0
        sleep 0.2
    done
    return 1
}

# e2e_window_geometry <id>: sets WIN_X, WIN_Y, WIN_W, WIN_H (screen coordinates).
# shellcheck disable=SC2034  # the WIN_ values are for the tests
e2e_window_geometry()
{
    local X Y WIDTH HEIGHT SCREEN WINDOW
    eval "$(xdotool getwindowgeometry --shell "$1")" || return 1
    WIN_X=$X WIN_Y=$Y WIN_W=$WIDTH WIN_H=$HEIGHT
}

# ---- input ---------------------------------------------------------------------------------

# e2e_move_mouse <x> <y>: moves the pointer there and waits until it has arrived. xdotool's
# --sync waits for a movement, so a move to where the pointer already is would block for
# many seconds: that one is skipped.
e2e_move_mouse()
{
    local X="" Y="" SCREEN WINDOW
    eval "$(xdotool getmouselocation --shell 2>/dev/null)"
    [ "$X" = "$1" ] && [ "$Y" = "$2" ] && return 0
    xdotool mousemove --sync "$1" "$2"
}

# e2e_click <x> <y> [button=1]: clicks at a screen position.
e2e_click()
{
    e2e_move_mouse "$1" "$2" || e2e_fail "moving the mouse to $1,$2 failed"
    xdotool click "${3:-1}" || e2e_fail "click at $1,$2 failed"
    sleep 0.2
}

# e2e_click_in <windowid> <x> <y> [button=1]: clicks at a position inside a window.
e2e_click_in()
{
    local WIN_X WIN_Y WIN_W WIN_H
    e2e_window_geometry "$1" || e2e_fail "cannot read the geometry of window $1"
    e2e_click $((WIN_X + $2)) $((WIN_Y + $3)) "${4:-1}"
}

# There is no window manager on the test's display, so a window gets the keyboard focus
# directly before keys are sent to it.
e2e_focus()
{
    xdotool windowfocus "$1" 2>/dev/null || e2e_fail "cannot focus window $1"
    sleep 0.2
}

# e2e_key <windowid> <key>...: sends key strokes such as Return, ctrl+d, alt+F4.
e2e_key()
{
    local id="$1"
    shift
    e2e_focus "$id"
    xdotool key --clearmodifiers "$@" || e2e_fail "sending keys $* failed"
    sleep 0.2
}

# e2e_type <windowid> <text>: types text.
e2e_type()
{
    e2e_focus "$1"
    xdotool type --delay 20 "$2" || e2e_fail "typing failed"
    sleep 0.2
}

# e2e_dismiss <title> [key=Return]: answers a message window with a key and waits until it
# has gone.
e2e_dismiss()
{
    local title="$1" key="${2:-Return}" id
    id="$(e2e_find_window "$title" | head -n 1)" || e2e_fail "no window \"$title\" to dismiss"
    e2e_key "$id" "$key"
    e2e_wait_no_window "$title" 5 || e2e_fail "window \"$title\" did not close on $key"
}

# ---- pictures ------------------------------------------------------------------------------

# e2e_screenshot <step>: saves the whole screen as <artifactdir>/<test>-<step>.png and
# prints that path.
e2e_screenshot()
{
    local file="$E2E_ART/$E2E_NAME-$1.png"
    import -display "$E2E_DISPLAY" -window root "$file" 2>/dev/null ||
        { echo "screenshot $file failed" >&2; return 1; }
    echo "$file"
}

# e2e_pixel <png> <x> <y>: prints the colour there as RRGGBB.
e2e_pixel()
{
    convert "$1" -format "%[hex:p{$2,$3}]" info: 2>/dev/null | cut -c1-6
}

# e2e_colour_count <png> [geometry]: number of distinct colours, of a region such as
# 200x100+0+0 when given.
e2e_colour_count()
{
    if [ -n "${2:-}" ]; then
        convert "$1" -crop "$2" +repage -format '%k' info: 2>/dev/null
    else
        convert "$1" -format '%k' info: 2>/dev/null
    fi
}
