#!/usr/bin/env bash
# The attract loop in Display mode: the advert page at the right end of the title panel
# shows one of the kit's adverts (Advertisers/*.bmp, pixel for pixel) instead of the
# built-in picture, and a click on it opens the advert's page in the view: Bakery.htm,
# Ferry.html, or for Lanterns the .html page rather than the .htm one beside it (checked
# once more with Lanterns as the only advert). Each page is told by its background colour. The mouse is not moved while waiting, since movement
# restarts the loop's countdown.
# shellcheck source=lib/e2e-zelmora.sh
source "$(dirname "$0")/lib/e2e-zelmora.sh"
zel_setup "$@"

e2e_ini_set zelmora.INI StartUp StartUpMode 1
adverts="$E2E_KITCOPY/Advertisers"
declare -A page_colour=([Bakery]=FDF0D5 [Ferry]=D8EEFE [Lanterns]=14213D)
pictures=("$adverts/Bakery.bmp" "$adverts/Ferry.bmp" "$adverts/Lanterns.bmp")

# main_colour <png> <geometry>: the most frequent colour of the region, as RRGGBB.
main_colour()
{
    convert "$1" -crop "$2" +repage -format %c histogram:info:- 2>/dev/null |
        sort -rn | head -n 1 | sed 's/^.*#\([0-9A-Fa-f]\{6\}\).*$/\1/' | tr a-f A-F
}

# click_advert <step>: waits for one of the pictures in the advert area, clicks it and
# checks that the view shows that advert's page.
click_advert()
{
    local step="$1" shown name opened="" attempt before colour now page_shot
    zel_start
    started="$E2E_ART/$E2E_NAME-$step-started.png"
    cp "$ZEL_SHOT" "$started"
    shown="$(zel_wait_picture "$R_ADVERT" "$step-advert" 15 "${pictures[@]}")" ||
        e2e_fail "the advert area showed none of the adverts within 15 s"
    name="$(basename "$shown" .bmp)"
    e2e_log "the advert area shows $name.bmp"

    for attempt in 1 2; do
        before="$E2E_TMP/before-click.png"
        cp "$ZEL_SHOT" "$before"
        e2e_click $((ADV_X + ZEL_ADVERT_W / 2)) $((TP_Y + ZEL_TITLE_H / 2))
        zel_wait_change "$before" "$R_VIEW" "$step-page" 10 ||
            e2e_fail "a click on the $name advert did not change the view"
        zel_check_no_message "after a click on the $name advert"
        colour="$(main_colour "$ZEL_SHOT" "$R_VIEW")"
        page_shot="$ZEL_SHOT"
        if [ "$colour" = "${page_colour[$name]}" ]; then
            opened="$name"
            break
        fi
        # The loop may have brought the next advert between the look and the click.
        now="$(zel_wait_picture "$R_ADVERT" "$step-advert-after-click" 5 "${pictures[@]}")" || now=""
        now="$(basename "$now" .bmp)"
        if [ -n "$now" ] && [ "$now" != "$name" ] && [ "$colour" = "${page_colour[$now]}" ] && [ "$attempt" = 1 ]; then
            e2e_log "the advert changed to $now as it was clicked; once more"
            name="$now"
            continue
        fi
        e2e_fail "the $name advert opened a page with the background #$colour, expected #${page_colour[$name]}"
    done
    [ -n "$opened" ] || e2e_fail "the advert's page did not open"
    zel_region_same "$page_shot" "$started" "$R_LEFT" &&
        e2e_fail "the page outline did not change for the advert's page"
    e2e_log "a click on the $name advert opened its page (background #$colour)"
    zel_no_message_for 1 "after the advert's page opened"
    zel_check_alive
    e2e_kill_app
}

# The demo's adverts, one picked at random.
click_advert any

# Lanterns alone: its .html page wins over the .htm page beside it (background #FFFFFF).
rm -f "$adverts/Bakery.bmp" "$adverts/Ferry.bmp"
pictures=("$adverts/Lanterns.bmp")
click_advert lanterns
e2e_pass
