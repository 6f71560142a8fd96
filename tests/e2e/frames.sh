#!/usr/bin/env bash
# Reading a framed web from its navigation frame. The introduction page is a frame set: a
# navigation frame of five picture links on the left, the content frame on the right. Each
# link opens its page in the content frame while the navigation stays where it is; the
# third page links to a heading further down the fifth page, which opens with that heading
# at the top of the content frame. Every step's screenshot is kept.
# shellcheck source=lib/e2e-zelmora.sh
source "$(dirname "$0")/lib/e2e-zelmora.sh"
zel_setup "$@"

NAV_W=200      # the navigation column; the frame border after it is 4 pixels
COLOURS=(FF0000 00A000 0000FF FFFF00 FF00FF)

web="$E2E_KITCOPY/webs/Framed"
mkdir -p "$web"
for i in 1 2 3 4 5; do
    convert -size 160x40 xc:'#000080' "$web/button$i.png" || e2e_fail "cannot make the link pictures"
done
convert -size 200x40 xc:'#FF8000' "$web/deeper.png" || e2e_fail "cannot make the link pictures"
cat >"$web/index.htm" <<'HTML'
<html><head><title>Framed</title></head>
<frameset cols="200,*" border=4><frame src="nav.htm" name="nav"><frame src="page1.htm" name="main">
</frameset></html>
HTML
{
    echo '<html><body bgcolor="#FFFFFF">'
    for i in 1 2 3 4 5; do
        echo "<p><a href=\"page$i.htm\" target=\"main\"><img src=\"button$i.png\" width=160 height=40 border=0></a></p>"
    done
    echo '</body></html>'
} >"$web/nav.htm"
filler="$(for i in $(seq 1 80); do echo "<p>Line $i of the running text.</p>"; done)"
for i in 1 2 3 4 5; do
    {
        echo "<html><body bgcolor=\"#FFFFFF\"><a name=\"Page$i#1\"></a>"
        echo "<table width=300 bgcolor=\"#${COLOURS[i - 1]}\"><tr><td height=60>Page $i</td></tr></table>"
        [ "$i" = 3 ] && echo '<p><a href="Page5.HTM#part2"><img src="deeper.png" width=200 height=40 border=0></a></p>'
        echo "$filler"
        [ "$i" = 5 ] && echo '<table width=400 bgcolor="#00FFFF" cellpadding=20><tr><td><a name="Part2"></a><b>Part two</b></td></tr></table>'
        echo "$filler</body></html>"
    } >"$web/page$i.htm"
done
e2e_ini_set zelmora.INI StartUp StartUpWeb 'READERBASE\webs\Framed\'
e2e_ini_set zelmora.INI StartUp IntroductionFile 'READERBASE\webs\Framed\index.htm'

zel_start
CONTENT_X=$((VIEW_X + NAV_W + 4))
R_NAV="${NAV_W}x$BW_H+$VIEW_X+$BW_Y"
R_CONTENT="$((VIEW_W - NAV_W - 4))x$BW_H+$CONTENT_X+$BW_Y"
SWATCH_X=$((CONTENT_X + 250)) SWATCH_Y=$((BW_Y + 20)) # in the coloured table, clear of its text

# page_shows <step> <colour>: waits until the content frame shows the page whose table has
# that colour, and the navigation frame is still there.
page_shows()
{
    local step="$1" colour="$2" start
    start=$(date +%s)
    while :; do
        zel_check_no_message "while waiting for $step"
        zel_shot "$step"
        zel_pixel_near "$ZEL_SHOT" "$SWATCH_X" "$SWATCH_Y" "$colour" && break
        (($(date +%s) - start < 10)) ||
            e2e_fail "$step: the content frame shows $(e2e_pixel "$ZEL_SHOT" "$SWATCH_X" "$SWATCH_Y") at its top, expected $colour"
        sleep 0.3
    done
    nav_kept || e2e_fail "$step: the navigation frame lost its links (dark bands: ${NOW[*]})"
}

# nav_kept: the navigation frame still shows its five links where they were (a focus frame
# round the link clicked may widen a band by a pixel or two).
nav_kept()
{
    local i a b c d
    mapfile -t NOW < <(zel_dark_rows "$ZEL_SHOT" "$R_NAV")
    [ "${#NOW[@]}" -eq 5 ] || return 1
    for i in 0 1 2 3 4; do
        read -r a b <<<"${NOW[i]}"
        read -r c d <<<"${BUTTONS[i]}"
        ((a - c <= 3 && c - a <= 3 && b - d <= 3 && d - b <= 3)) || return 1
    done
}

zel_shot start
mapfile -t BUTTONS < <(zel_dark_rows "$ZEL_SHOT" "$R_NAV")
[ "${#BUTTONS[@]}" -eq 5 ] || e2e_fail "the navigation frame shows ${#BUTTONS[@]} links, expected 5"
page_shows start "${COLOURS[0]}"
e2e_log "the frame set is shown: 5 links in the navigation frame, page 1 in the content frame"

# Through the five pages from the navigation frame, last to first and back to the fifth.
for i in 5 4 3 2 1 5; do
    read -r top bottom <<<"${BUTTONS[i - 1]}"
    e2e_click $((VIEW_X + 8 + 80)) $(((top + bottom) / 2))
    page_shows "page$i" "${COLOURS[i - 1]}"
    e2e_log "page $i opened in the content frame; the navigation stayed"
done

# The third page's link to a heading of the fifth: it opens with that heading at the top.
read -r top bottom <<<"${BUTTONS[2]}"
e2e_click $((VIEW_X + 8 + 80)) $(((top + bottom) / 2))
page_shows page3-again "${COLOURS[2]}"
# The picture link lies under the page's table: found by its colour.
deeper_y=""
for ((y = BW_Y + 70; y < BW_Y + 200; y += 2)); do
    if zel_pixel_near "$ZEL_SHOT" $((CONTENT_X + 8 + 100)) "$y" FF8000; then
        deeper_y=$((y + 10))
        break
    fi
done
[ -n "$deeper_y" ] || e2e_fail "page 3 does not show its link to the fifth page's second part"
e2e_click $((CONTENT_X + 8 + 100)) "$deeper_y"
start=$(date +%s)
while :; do
    zel_check_no_message "after the link to page5.htm#part2"
    zel_shot anchor
    zel_pixel_near "$ZEL_SHOT" $((CONTENT_X + 13)) $((BW_Y + 6)) 00FFFF && break
    (($(date +%s) - start < 10)) ||
        e2e_fail "the fifth page did not open at its second part (top left of the content frame: $(e2e_pixel "$ZEL_SHOT" $((CONTENT_X + 13)) $((BW_Y + 6))))"
    sleep 0.3
done
nav_kept || e2e_fail "the navigation frame changed with the link to another page's heading"
e2e_log "the link to page5.htm#part2 opened the fifth page at its second part"

zel_check_alive
e2e_window_exists "Zelmora 1.0" || e2e_fail "the host window is gone"
e2e_pass
