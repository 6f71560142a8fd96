#!/usr/bin/env bash
# Start-up of the real program, as a reader meets it: from starting the process to its
# window "Zelmora 1.0" showing a painted picture, on its own X server (Xvfb), and the
# resident memory of the process once it shows the window. Measured on the kit the build
# assembled (the demo kit) and on a copy of it whose web holds 100 000 documents in 10 000
# folders.
#
#   bash bench/startup.sh <kitdir> [runs=3]
#
# The in-process figures (no X server, no library loading) are bench_StartupBench's.
set -euo pipefail

kit="${1:?usage: bash bench/startup.sh <kitdir> [runs]}"
runs="${2:-3}"
[ -x "$kit/zelmora" ] || { echo "no executable $kit/zelmora" >&2; exit 2; }
for t in Xvfb xdotool; do
    command -v "$t" >/dev/null || { echo "startup.sh needs $t (scripts/install-deps.sh)" >&2; exit 2; }
done

tmp="$(mktemp -d "${TMPDIR:-/tmp}/zelmora-startup.XXXXXX")"
xvfb_pid=""
app_pid=""
cleanup()
{
    [ -z "$app_pid" ] || { kill -KILL "$app_pid" 2>/dev/null; wait "$app_pid" 2>/dev/null || true; }
    [ -z "$xvfb_pid" ] || { kill -TERM "$xvfb_pid" 2>/dev/null; wait "$xvfb_pid" 2>/dev/null || true; }
    rm -rf "$tmp"
}
trap cleanup EXIT

# The server keeps its screen in a memory-mapped file, so a look at the pixels costs a read
# of the file instead of a screenshot through the server.
Xvfb -displayfd 3 -screen 0 1280x800x24 -fbdir "$tmp" -nolisten tcp -noreset \
    3>"$tmp/display" >/dev/null 2>&1 &
xvfb_pid=$!
for ((i = 0; i < 100; i++)); do
    grep -q '^[0-9]' "$tmp/display" 2>/dev/null && break
    sleep 0.1
done
export DISPLAY=":$(head -n 1 "$tmp/display")"
fb="$tmp/Xvfb_screen0"
[ -f "$fb" ] || { echo "Xvfb wrote no frame buffer file" >&2; exit 1; }
fb_blocks=$(($(stat -c %s "$fb") / 4096))

# Distinct pixel values in 256 kB (about 50 rows) around the middle of the screen: the bare
# root window has 2, a painted Zelmora window many more.
middle_colours()
{
    dd if="$fb" bs=4096 skip=$((fb_blocks / 2 - 32)) count=64 status=none |
        od -An -v -tx4 | tr -s ' ' '\n' | sed '/^$/d' | sort -u | wc -l
}

now_ms() { echo $(($(date +%s%N) / 1000000)); }

# measure <kit>: prints "<ms to a painted window> <ms to a mapped window> <VmRSS in kB>"
# for one start, each exact to about 20 ms.
measure()
{
    local dir="$1" start id="" colours ms mapped=0 rss i
    start="$(now_ms)"
    (cd "$dir" && exec env QT_QPA_PLATFORM=xcb XDG_CONFIG_HOME="$tmp/config" ./zelmora) \
        >"$tmp/app.log" 2>&1 &
    app_pid=$!
    for ((i = 0; i < 1200; i++)); do
        if [ -z "$id" ]; then
            id="$(xdotool search --onlyvisible --name '^Zelmora 1\.0' 2>/dev/null | head -n 1)" || id=""
            [ -z "$id" ] || mapped=$(($(now_ms) - start))
        fi
        if [ -n "$id" ]; then
            colours="$(middle_colours)"
            [ "${colours:-0}" -ge 3 ] && break
        fi
        kill -0 "$app_pid" 2>/dev/null || { echo "zelmora ended at start:" >&2; cat "$tmp/app.log" >&2; exit 1; }
        sleep 0.02
    done
    ms=$(($(now_ms) - start))
    sleep 1
    rss="$(awk '/^VmRSS:/ {print $2}' "/proc/$app_pid/status")"
    kill -TERM "$app_pid" 2>/dev/null
    wait "$app_pid" 2>/dev/null || true
    app_pid=""
    echo "$ms $mapped $rss"
}

report()
{
    local name="$1" dir="$2" r painted mapped rss best=0 bestmap=0 total=0
    for ((r = 0; r < runs; r++)); do
        read -r painted mapped rss < <(measure "$dir")
        total=$((total + painted))
        if [ "$best" -eq 0 ] || [ "$painted" -lt "$best" ]; then best="$painted"; fi
        if [ "$bestmap" -eq 0 ] || [ "$mapped" -lt "$bestmap" ]; then bestmap="$mapped"; fi
    done
    printf '%-26s window mapped: best %5d ms; painted: best %5d ms, mean %5d ms (%d runs); VmRSS %6d kB\n' \
        "$name" "$bestmap" "$best" $((total / runs)) "$runs" "$rss"
}

cp -a "$kit/." "$tmp/demo/"
report "demo kit" "$tmp/demo"

# The same kit with a web of 10 folders, 10 below each and 100 below those (10 000 folders),
# 10 documents in each.
large="$tmp/large"
cp -a "$kit/." "$large/"
generate_web()
{
    local web="$1" parent i d folder made=0 doc=0 fan next
    local -a level=("$web")
    mkdir -p "$web"
    for fan in 10 10 100; do
        next=()
        for parent in "${level[@]}"; do
            for ((i = 0; i < fan && made < 10000; i++, made++)); do
                folder="$parent/Folder $i"
                mkdir "$folder"
                for ((d = 0; d < 10; d++, doc++)); do
                    printf '<html><head><title>Page %d</title></head><body><h1>Page %d</h1><p>%s</p></body></html>\r\n' \
                        "$doc" "$doc" "$filler" >"$folder/Page$d.htm"
                done
                next+=("$folder")
            done
        done
        level=("${next[@]}")
    done
}
filler="$(printf '%0400d' 0 | tr 0 x)"
generate_web "$large/web"
sed -i -e 's/^StartUpWeb=.*/StartUpWeb=READERBASE\\web\\\r/' -e 's/^IntroductionFile=.*/IntroductionFile=0\r/' \
    "$large/zelmora.INI"
report "web of 100 000 documents" "$large"
