#!/usr/bin/env bash
# Takes the README's screenshots: the program runs on a virtual X server at
# two screen sizes and is driven with the mouse and keyboard as an organiser
# would, through a whole game. Needs the program built (tools/start.sh).
set -euo pipefail
cd "$(dirname "$0")/.."
for tool in xdotool import Xvfb; do
    command -v "$tool" >/dev/null ||
        DEBIAN_FRONTEND=noninteractive apt-get install -y -q xdotool imagemagick xvfb >/dev/null
done
grid_file=build/bin/GRILLES/100-25-12-2000.DAT
# A record of its own: no earlier draw is offered for resumption.
export XDG_DATA_HOME=$(mktemp -d)

shoot() { # WIDTH HEIGHT FULL(1 = every screen)
    local w=$1 h=$2 full=$3 display=:97
    Xvfb $display -screen 0 "${w}x${h}x24" >/dev/null 2>&1 &
    local xvfb=$!
    sleep 1
    export DISPLAY=$display
    snap() { sleep "${2:-0.8}"; import -window root "docs/$1-${w}x${h}.png"; }
    # Where a design point (twips) of the draw screen lands on this screen.
    at() { python3 -c "
w, h = $w, $h
s = min(w / 11880, h / 8205)
print(round((w - 11880 * s) / 2 + $1 * s), round((h - 8205 * s) / 2 + $2 * s))"; }
    start() { build/bin/numerella >/dev/null 2>&1 & app=$!; sleep 2; }
    stop() { kill $app; wait $app 2>/dev/null || true; }

    start
    snap main 0
    if [ "$full" = 1 ]; then
        xdotool mousemove 24 22 click 1 # Générateur
        sleep 1
        xdotool type 100
        xdotool key Return
        xdotool type 25/12/2000
        snap generator
        xdotool key Return Return # date accepted, then Lancer
        snap generator-question
        xdotool key Return # Oui
        sleep 1
        local cx=$((w / 2)) cy=$((h / 2))
        xdotool mousemove $((cx + 44)) $((cy + 44)) click 1 # the generator's Quitter
        sleep 0.5
        xdotool mousemove 65 22 click 1 # Impression
        sleep 1
        xdotool mousemove "$cx" $((cy - 28)) click 1 # open the list
        sleep 0.3
        xdotool key Down Return # choose the first file
        snap printing
        xdotool mousemove $((cx + 110)) $((cy + 18)) click 1 # the printing screen's Quitter
        sleep 0.5
        xdotool mousemove 187 22 click 1 # A propos
        snap about
        stop
        start
    fi
    xdotool mousemove 105 22 click 1 # Tirage
    snap draw-empty 1.5
    if [ "$full" = 1 ]; then
        read -r x y < <(at 8068 6649) # ChoixFichier
        xdotool mousemove "$x" "$y" click 1
        sleep 0.5
        read -r x y < <(at 9847 7980) # the list
        xdotool mousemove "$x" "$y" click 1
        sleep 0.5
        xdotool key Down Return
        sleep 0.5
    fi
    read -r x y < <(at 9139 6649) # draw toolbar: Tirage
    xdotool mousemove "$x" "$y" click 1
    if [ "$full" != 1 ]; then
        sleep 0.8
        xdotool key Return # draw without a grid file: Oui
    fi
    for _ in $(seq 19); do
        xdotool mousemove "$x" "$y" click 1
        sleep 0.1
    done
    snap draw-20
    read -r cx cy < <(at 10290 301) # tab: Ordre chronologique
    xdotool mousemove "$cx" "$cy" click 1
    snap draw-20-chrono 0.5
    if [ "$full" = 1 ]; then
        read -r nx ny < <(at 8600 301) # back to the numeric board
        xdotool mousemove "$nx" "$ny" click 1
        for _ in $(seq 65); do
            xdotool mousemove "$x" "$y" click 1
            sleep 0.08
        done
        read -r vx vy < <(at 8068 6986) # VerifLigne
        xdotool mousemove "$vx" "$vy" click 1
        sleep 0.8
        xdotool type 42
        xdotool key Return
        snap draw-check 1
    fi
    stop
    kill $xvfb
    wait $xvfb 2>/dev/null || true
}

# The main window on the smallest screen it is made for, and its help.
shoot_small() {
    local display=:97
    Xvfb $display -screen 0 800x600x24 >/dev/null 2>&1 &
    local xvfb=$!
    sleep 1
    DISPLAY=$display build/bin/numerella >/dev/null 2>&1 &
    local app=$!
    sleep 2
    DISPLAY=$display import -window root docs/main-800x600.png
    DISPLAY=$display xdotool key F1
    sleep 1
    DISPLAY=$display import -window root docs/help-800x600.png
    kill $app $xvfb
    wait $app $xvfb 2>/dev/null || true
}

rm -f "$grid_file"
shoot 1024 768 1
shoot 1920 1080 0
shoot_small
rm -f "$grid_file"
