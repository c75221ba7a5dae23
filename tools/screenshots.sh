#!/usr/bin/env bash
# Takes the README's screenshots: the program runs on a virtual X server at
# two screen sizes and is driven with the mouse as an organiser would.
# Needs the program built (tools/start.sh or tools/build.sh build).
set -euo pipefail
cd "$(dirname "$0")/.."
for tool in xdotool import Xvfb; do
    command -v "$tool" >/dev/null || DEBIAN_FRONTEND=noninteractive apt-get install -y -q xdotool imagemagick xvfb >/dev/null
done

shoot() { # WIDTH HEIGHT
    local w=$1 h=$2 display=:97
    Xvfb $display -screen 0 "${w}x${h}x24" >/dev/null 2>&1 &
    local xvfb=$!
    sleep 1
    export DISPLAY=$display
    build/bin/numerella >/dev/null 2>&1 &
    local app=$!
    sleep 2
    import -window root "docs/main-${w}x${h}.png"
    # Where a design point (twips) of the draw screen lands on this screen.
    at() { python3 -c "
w, h = $w, $h
s = min(w / 11880, h / 8205)
print(round((w - 11880 * s) / 2 + $1 * s), round((h - 8205 * s) / 2 + $2 * s))"; }
    xdotool mousemove 105 22 click 1 # main toolbar: Tirage
    sleep 1.5
    import -window root "docs/draw-empty-${w}x${h}.png"
    read -r x y < <(at 9362 6649) # draw toolbar: Tirage
    xdotool mousemove "$x" "$y" click 1
    sleep 0.8
    xdotool key Return # draw without a grid file: Oui
    for _ in $(seq 19); do
        xdotool mousemove "$x" "$y" click 1
        sleep 0.12
    done
    sleep 0.5
    import -window root "docs/draw-20-${w}x${h}.png"
    read -r x y < <(at 10290 301) # tab: Ordre chronologique
    xdotool mousemove "$x" "$y" click 1
    sleep 0.5
    import -window root "docs/draw-20-chrono-${w}x${h}.png"
    kill $app $xvfb
    wait $app $xvfb 2>/dev/null || true
}

shoot 1024 768
shoot 1920 1080
