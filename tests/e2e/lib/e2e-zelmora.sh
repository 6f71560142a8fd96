# shellcheck shell=bash
# Helpers of the journeys through Zelmora itself, on top of e2e-lib.sh: where the program's
# controls are on the screen, what its message windows say, and comparisons of parts of
# screenshots. A journey sources this file instead of e2e-lib.sh and calls
#   zel_setup "$@"
# then zel_start, which waits for the host window and works out the places below from its
# geometry.
#
# Places (screen coordinates, set by zel_layout from the host window):
#   the title panel is the bottom 65 pixels of the host, the graphic splitter (7 pixels)
#   lies above it, and the browsing window fills the rest; its left panel is 231 pixels
#   wide, and the panel page keeps its content 20 pixels from the left and right and 30
#   from the top and bottom (the demo look's gaps, plus 10 at top and bottom).

# shellcheck source=e2e-lib.sh
source "$(dirname "${BASH_SOURCE[0]}")/e2e-lib.sh"

ZEL_LIB_DIR="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
ZEL_HOST=""          # id of the host window "Zelmora 1.0"
ZEL_MSGLOG=""        # texts of the message windows, "title<TAB>text" per line
ZEL_SHOT=""          # the last screenshot taken by a zel_wait_* helper

# Captions of the program's message windows.
ZEL_MESSAGE_TITLES=("Initialisation Error" "System Error" "Load Error" "Save Error" "Error"
    "Edit Error" "Severe Error" "Information")

# Sizes of the window's parts, in pixels.
ZEL_TITLE_H=65       # title panel
ZEL_SPLIT_H=7        # the splitter above it
ZEL_LEFT_W=231       # the browsing window's left panel
ZEL_GAP_X=20         # content of the panel page from its left and right edges
ZEL_GAP_Y=30         # ... from its top and bottom edges
ZEL_HOME_TITLE_H=22  # the "Titles" strip over the folder outline
ZEL_DOCLIST_H=177    # the document list
ZEL_ITEM_H=30        # one row of the folder outline
ZEL_ADVERT_W=306     # the advert page at the right end of the title panel

zel_setup()
{
    e2e_setup "$@"
    zel_prepare_message_log
}

# ---- message texts -------------------------------------------------------------------------

# The X server shows a message window's title but not its text, so the program is started
# with a small preloaded library (message_log.cpp) that writes down every message text with
# its title. It is built once per artifact folder, with the Qt the program uses.
zel_prepare_message_log()
{
    local src="$ZEL_LIB_DIR/message_log.cpp" cache="$E2E_ART/.tools" sum lib flags preload
    sum="$(cksum <"$src" | cut -d' ' -f1)"
    lib="$cache/libe2e-message-log-$sum.so"
    if [ ! -f "$lib" ]; then
        mkdir -p "$cache" || e2e_fail "cannot create $cache"
        flags="$(pkg-config --cflags --libs Qt6Widgets 2>/dev/null)" ||
            e2e_fail "pkg-config knows no Qt6Widgets (qt6-base-dev is needed)"
        # shellcheck disable=SC2086  # the flags are words
        g++ -std=c++17 -shared -fPIC -O1 -o "$lib.$$" "$src" $flags -ldl >"$E2E_TMP/message-log-build.txt" 2>&1 ||
            e2e_fail "cannot build the message log library: $(tail -n 5 "$E2E_TMP/message-log-build.txt")"
        mv -f "$lib.$$" "$lib" || e2e_fail "cannot store $lib"
    fi
    preload="$lib"
    # A sanitizer build wants its runtime first in the list of preloaded libraries.
    local asan
    asan="$(ldd "$E2E_KITCOPY/zelmora" 2>/dev/null | awk '/libasan/ { print $3; exit }')"
    [ -n "$asan" ] && preload="$asan:$preload"
    ZEL_MSGLOG="$E2E_ART/$E2E_NAME-messages.log"
    : >"$ZEL_MSGLOG"
    E2E_APP_ENV=("LD_PRELOAD=$preload" "E2E_MESSAGE_LOG=$ZEL_MSGLOG")
}

# zel_message_text <title>: prints the text of the last message shown with that title.
zel_message_text()
{
    awk -F '\t' -v t="$1" '$1 == t { text = substr($0, length($1) + 2) } END { printf "%s", text }' "$ZEL_MSGLOG"
}

# zel_message_count <title>: how many messages with that title were shown in this test.
zel_message_count()
{
    awk -F '\t' -v t="$1" '$1 == t { n++ } END { print n + 0 }' "$ZEL_MSGLOG"
}

# zel_expect_message <title> <text prefix> [seconds=15]: waits for a message window with
# that title, checks that its text begins with the prefix, and answers it with Return.
zel_expect_message()
{
    local title="$1" prefix="$2" seconds="${3:-15}" text
    e2e_wait_window "$title" "$seconds" || e2e_fail "no window titled \"$title\" within $seconds s"
    sleep 0.3
    text="$(zel_message_text "$title")"
    [[ "$text" == "$prefix"* ]] ||
        e2e_fail "the \"$title\" window says \"$text\", expected a text beginning \"$prefix\""
    e2e_log "\"$title\" says \"$text\""
    e2e_screenshot "message-$(echo "$title" | tr ' A-Z' '-a-z')" >/dev/null
    e2e_dismiss "$title"
}

# zel_check_no_message [what]: fails when any message window of the program is up.
zel_check_no_message()
{
    local title name names
    names="$(e2e_list_windows)"
    for title in "${ZEL_MESSAGE_TITLES[@]}"; do
        while IFS= read -r name; do
            if [ -n "$name" ] && e2e_title_matches "$name" "$title"; then
                e2e_fail "a \"$title\" window appeared${1:+ $1}: \"$(zel_message_text "$title")\""
            fi
        done <<<"$names"
    done
}

# zel_no_message_for <seconds> [what]: watches for that long that no message window comes.
zel_no_message_for()
{
    local seconds="$1" end
    end=$(($(date +%s%N) + seconds * 1000000000))
    while (($(date +%s%N) < end)); do
        zel_check_no_message "$2"
        zel_check_alive "$2"
        sleep 0.2
    done
    zel_check_no_message "$2"
}

zel_check_alive()
{
    if ! e2e_app_alive; then
        e2e_reap_app
        e2e_fail "the program ended (exit code $E2E_APP_RC)${1:+ $1}"
    fi
}

# ---- the program and its places ------------------------------------------------------------

# zel_start [seconds=30]: starts the program, waits for the host window, fails on any
# message window shown on the way, and computes the places of the controls.
zel_start()
{
    local seconds="${1:-30}" i
    e2e_start_app
    ZEL_HOST=""
    for ((i = 0; i < seconds; i++)); do
        if e2e_wait_window "Zelmora 1.0" 1; then
            ZEL_HOST="$E2E_WIN"
            break
        fi
        zel_check_no_message "at start"
    done
    [ -n "$ZEL_HOST" ] || e2e_fail "no window titled \"Zelmora 1.0\" within $seconds s"
    zel_wait_settled
    zel_check_no_message "at start"
    zel_layout
    zel_shot started
}

# zel_layout [quiet]: reads the host window's geometry and sets the screen places of the
# controls.
# shellcheck disable=SC2034  # the places are for the journeys
zel_layout()
{
    e2e_window_geometry "$ZEL_HOST" || e2e_fail "cannot read the geometry of the host window"
    HOST_X=$WIN_X HOST_Y=$WIN_Y HOST_W=$WIN_W HOST_H=$WIN_H
    # Title panel.
    TP_X=$HOST_X
    TP_Y=$((HOST_Y + HOST_H - ZEL_TITLE_H))
    TP_W=$HOST_W
    # Toolbar buttons (centres): the menu panel at the left, the edit panel after its
    # 137 pixels.
    local e=$((TP_X + 137))
    BTN_site="$((TP_X + 3 + 27)) $((TP_Y + 6 + 13))"
    BTN_page="$((TP_X + 61 + 27)) $((TP_Y + 6 + 13))"
    BTN_exit="$((TP_X + 3 + 18)) $((TP_Y + 35 + 13))"
    BTN_i="$((TP_X + 43 + 7)) $((TP_Y + 35 + 13))"
    BTN_find="$((TP_X + 61 + 27)) $((TP_Y + 35 + 13))"
    BTN_editor="$((e + 27 + 28)) $((TP_Y + 6 + 13))"
    BTN_web="$((e + 27 + 28)) $((TP_Y + 34 + 13))"
    BTN_load="$((e + 115 + 31)) $((TP_Y + 6 + 13))"
    BTN_saveas="$((e + 115 + 31)) $((TP_Y + 34 + 13))"
    # Regions (ImageMagick geometry WxH+X+Y).
    R_EXIT="37x26+$((TP_X + 3))+$((TP_Y + 35))"
    R_EDIT_BUTTONS="151x55+$((e + 27))+$((TP_Y + 6))"
    R_TITLE_MIDDLE="$((TP_W - 137 - ZEL_ADVERT_W))x$ZEL_TITLE_H+$e+$TP_Y"
    R_TITLE="${TP_W}x$ZEL_TITLE_H+$TP_X+$TP_Y"
    R_TOOLBAR="$((TP_W - ZEL_ADVERT_W))x$ZEL_TITLE_H+$TP_X+$TP_Y"
    ADV_X=$((TP_X + TP_W - ZEL_ADVERT_W))
    R_ADVERT="${ZEL_ADVERT_W}x$ZEL_TITLE_H+$ADV_X+$TP_Y"
    # Browsing window.
    BW_X=$HOST_X BW_Y=$HOST_Y BW_W=$HOST_W
    BW_H=$((HOST_H - ZEL_TITLE_H - ZEL_SPLIT_H))
    R_LEFT="${ZEL_LEFT_W}x$BW_H+$BW_X+$BW_Y"
    # The site panel inside the panel page.
    HOME_X=$((BW_X + ZEL_GAP_X))
    HOME_W=$((ZEL_LEFT_W - 2 * ZEL_GAP_X))
    HOME_Y=$((BW_Y + ZEL_GAP_Y))
    HOME_H=$((BW_H - 2 * ZEL_GAP_Y))
    FOLDERS_Y=$((HOME_Y + ZEL_HOME_TITLE_H))
    DOCS_Y=$((HOME_Y + HOME_H - ZEL_DOCLIST_H))
    FOLDERS_H=$((DOCS_Y - ZEL_SPLIT_H - FOLDERS_Y))
    R_FOLDERS="${HOME_W}x$FOLDERS_H+$HOME_X+$FOLDERS_Y"
    R_DOCS="${HOME_W}x$ZEL_DOCLIST_H+$HOME_X+$DOCS_Y"
    # The HTML view: right of the left panel and its 6-pixel splitter.
    VIEW_X=$((BW_X + ZEL_LEFT_W + 6))
    VIEW_W=$((BW_X + BW_W - VIEW_X))
    R_VIEW="${VIEW_W}x$BW_H+$VIEW_X+$BW_Y"
    [ "${1:-}" = quiet ] || e2e_log "host ${HOST_W}x$HOST_H+$HOST_X+$HOST_Y; title panel at y $TP_Y; view $R_VIEW"
}

# zel_click_button <site|page|exit|i|find|editor|web|load|saveas>
zel_click_button()
{
    local var="BTN_$1"
    [ -n "${!var}" ] || e2e_fail "no toolbar button \"$1\""
    # shellcheck disable=SC2086  # "x y"
    e2e_click ${!var}
}

# zel_click_folder <row>: clicks the folder outline's row (0 = the web folder).
zel_click_folder()
{
    e2e_click $((HOME_X + 60)) $((FOLDERS_Y + ZEL_ITEM_H * $1 + ZEL_ITEM_H / 2))
}

# zel_doc_rows <png>: prints the centre y of each line of the document list.
zel_doc_rows()
{
    local top bottom
    # A band of fewer than 4 pixel rows is no text but the selected line's underline.
    zel_dark_rows "$1" "$((HOME_W - 8))x$((ZEL_DOCLIST_H - 6))+$((HOME_X + 4))+$((DOCS_Y + 3))" |
        while read -r top bottom; do
            ((bottom - top >= 3)) && echo $(((top + bottom) / 2))
        done
}

# zel_wait_doc_rows <count> <step> [seconds=10]: waits until the document list shows that
# many lines; sets ZEL_SHOT and DOC_ROWS (their centres).
zel_wait_doc_rows()
{
    local count="$1" step="$2" seconds="${3:-10}" start
    start=$(date +%s)
    while :; do
        zel_check_alive "while waiting for $step"
        zel_shot "$step"
        mapfile -t DOC_ROWS < <(zel_doc_rows "$ZEL_SHOT")
        [ "${#DOC_ROWS[@]}" -eq "$count" ] && return 0
        (($(date +%s) - start < seconds)) || return 1
        sleep 0.3
    done
}

# ---- pictures ------------------------------------------------------------------------------

# zel_shot <step>: screenshot into the artifact folder; sets ZEL_SHOT.
zel_shot()
{
    ZEL_SHOT="$(e2e_screenshot "$1")" || e2e_fail "screenshot $1 failed"
}

# zel_crop <png> <geometry> <out.png>
zel_crop()
{
    convert "$1" -crop "$2" +repage "$3" 2>/dev/null || e2e_fail "cannot crop $2 of $1"
}

# zel_region_diff <png1> <png2> <geometry>: prints the number of pixels that differ there.
zel_region_diff()
{
    local a="$E2E_TMP/diff-a.png" b="$E2E_TMP/diff-b.png" n
    zel_crop "$1" "$3" "$a"
    zel_crop "$2" "$3" "$b"
    n="$(compare -metric AE "$a" "$b" null: 2>&1)"
    echo "${n%% *}"
}

zel_region_same() { [ "$(zel_region_diff "$1" "$2" "$3")" = 0 ]; }

# zel_picture_diff <png> <geometry> <picture>: pixels of the region that differ from the
# picture, which has the region's size.
zel_picture_diff()
{
    local a="$E2E_TMP/pic-a.png" n
    zel_crop "$1" "$2" "$a"
    n="$(compare -metric AE "$a" "$3" null: 2>&1)"
    echo "${n%% *}"
}

# zel_find_picture <png> <geometry> <picture>: true when the picture appears, pixel for
# pixel, somewhere inside the region; prints where.
zel_find_picture()
{
    local a="$E2E_TMP/find-a.png" out
    zel_crop "$1" "$2" "$a"
    out="$(compare -metric AE -subimage-search "$a" "$3" null: 2>&1)"
    [[ "$out" == "0 @ "* || "$out" == "0 ("*")"*" @ "* ]] && echo "${out##*@ }"
}

# zel_colour_count <png> <geometry>
zel_colour_count() { e2e_colour_count "$1" "$2"; }

# zel_wait_change <reference.png> <geometry> <step> [seconds=15]: takes screenshots until
# the region differs from the reference and has stayed the same for two shots in a row (the
# program has finished drawing). Sets ZEL_SHOT; false on time-out.
zel_wait_change()
{
    local ref="$1" geom="$2" step="$3" seconds="${4:-15}" start prev=""
    start=$(date +%s)
    while (($(date +%s) - start < seconds)); do
        zel_check_alive "while waiting for $step"
        zel_shot "$step"
        if ! zel_region_same "$ref" "$ZEL_SHOT" "$geom"; then
            if [ -n "$prev" ] && zel_region_same "$prev" "$ZEL_SHOT" "$geom"; then
                return 0
            fi
            cp "$ZEL_SHOT" "$E2E_TMP/prev.png"
            prev="$E2E_TMP/prev.png"
        fi
        sleep 0.2
    done
    return 1
}

# zel_wait_settled [geometry] [seconds=10]: waits until two screenshots a moment apart are
# the same in the region (the whole screen by default). Sets ZEL_SHOT.
zel_wait_settled()
{
    local geom="${1:-}" seconds="${2:-10}" start prev="$E2E_TMP/settle.png"
    [ -n "$geom" ] || geom="${E2E_SCREEN%x*}+0+0"
    start=$(date +%s)
    zel_shot settle
    cp "$ZEL_SHOT" "$prev"
    while (($(date +%s) - start < seconds)); do
        sleep 0.3
        zel_shot settle
        zel_region_same "$prev" "$ZEL_SHOT" "$geom" && return 0
        cp "$ZEL_SHOT" "$prev"
    done
    return 1
}

# zel_wait_picture <geometry> <step> <seconds> <picture>...: takes screenshots until the
# region shows one of the pictures pixel for pixel; prints the matching picture's path.
zel_wait_picture()
{
    local geom="$1" step="$2" seconds="$3" start pic
    shift 3
    start=$(date +%s)
    while (($(date +%s) - start < seconds)); do
        zel_check_alive "while waiting for $step"
        zel_shot "$step"
        for pic in "$@"; do
            if [ "$(zel_picture_diff "$ZEL_SHOT" "$geom" "$pic")" = 0 ]; then
                echo "$pic"
                return 0
            fi
        done
        sleep 0.3
    done
    return 1
}

# zel_dark_rows <png> <geometry>: prints "top bottom" (screen y) of each band of pixel rows
# in the region that hold a dark pixel (luma below 128): the lines of text of a list.
zel_dark_rows()
{
    local geom="$1" y0
    y0="${2##*+}"
    convert "$1" -crop "$2" +repage -colorspace Gray -depth 8 txt:- 2>/dev/null |
        awk -v y0="$y0" '
            NR > 1 {
                split($1, p, /[,:]/); y = p[2] + 0
                v = $2; gsub(/[()]/, "", v); split(v, c, ","); g = c[1] + 0
                if (g < 128) dark[y] = 1
                if (y > maxy) maxy = y
            }
            END {
                inband = 0
                for (y = 0; y <= maxy + 1; y++) {
                    if ((y in dark) && !inband) { top = y; inband = 1 }
                    if (!(y in dark) && inband) { print top + y0, y - 1 + y0; inband = 0 }
                }
            }'
}

# zel_grid_lines <png> <x> <y0> <y1>: prints the screen y of each horizontal table rule
# crossed by the pixel column x between y0 and y1: the HTML view draws a table's rules as a
# light grey (C0C0C0) line over a dark grey (808080) one.
zel_grid_lines()
{
    convert "$1" -crop "1x$(($4 - $3))+$2+$3" +repage -depth 8 txt:- 2>/dev/null |
        awk -v y0="$3" 'NR > 1 { split($1, p, /[,:]/); y = p[2] + 0
            if ($3 == "#808080" && prev == "#C0C0C0") print y + y0; prev = $3 }'
}

# zel_grid_columns <png> <y> <x0> <x1>: the same along a pixel row: the screen x of each
# vertical rule.
zel_grid_columns()
{
    convert "$1" -crop "$(($4 - $3))x1+$3+$2" +repage -depth 8 txt:- 2>/dev/null |
        awk -v x0="$3" 'NR > 1 { split($1, p, /[,:]/); x = p[1] + 0
            if ($3 == "#808080" && prev == "#C0C0C0") print x + x0; prev = $3 }'
}

# zel_pixel_near <png> <x> <y> <RRGGBB> [tolerance=12]: true when each channel of the
# pixel is within the tolerance of the colour.
zel_pixel_near()
{
    local got want="$4" tol="${5:-12}" i a b
    got="$(e2e_pixel "$1" "$2" "$3")"
    [ ${#got} -eq 6 ] || return 1
    for i in 0 2 4; do
        a=$((16#${got:i:2})) b=$((16#${want:i:2}))
        ((a - b <= tol && b - a <= tol)) || return 1
    done
}

# ---- window properties ---------------------------------------------------------------------

# zel_has_border <windowid>: true unless the window asks the window manager for no
# decorations at all (Motif hints with the decorations flag and no decoration bits).
zel_has_border()
{
    local hints
    hints="$(xprop -id "$1" _MOTIF_WM_HINTS 2>/dev/null | sed -n 's/^.*= *//p')"
    [ -n "$hints" ] || return 0
    local flags decorations
    flags="$(echo "$hints" | cut -d, -f1 | tr -d ' ')"
    decorations="$(echo "$hints" | cut -d, -f3 | tr -d ' ')"
    (((flags & 2) == 0 || decorations != 0))
}

# zel_windows: ids of all visible windows, one per line.
zel_windows() { xdotool search --onlyvisible --name '.' 2>/dev/null | sort -u; }
