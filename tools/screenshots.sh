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
        xdotool mousemove 310 22 click 1 # A propos
        snap about
        stop
        start
    fi
    xdotool mousemove 105 22 click 1 # Tirage
    snap draw-empty 1.5
    if [ "$full" = 1 ]; then
        read -r x y < <(at 8034 6649) # ChoixFichier
        xdotool mousemove "$x" "$y" click 1
        sleep 0.5
        read -r x y < <(at 9847 7980) # the list
        xdotool mousemove "$x" "$y" click 1
        sleep 0.5
        xdotool key Down Return
        sleep 0.5
    fi
    read -r x y < <(at 8972 6649) # draw toolbar: Tirage
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
        read -r vx vy < <(at 8034 6986) # VerifLigne
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

# Two 1920 x 1080 screens side by side on one virtual desktop: the left
# half for the operator, the right half for the players.
W=1920
H=1080
pos() { python3 -c "
s = min($W / 11880, $H / 8205)
print(round(($W - 11880 * s) / 2 + $1 * s), round(($H - 8205 * s) / 2 + $2 * s))"; }
keypos() { # KEY_INDEX: the draw toolbar's keys, nine to a row
    python3 -c "
s = min($W / 11880, $H / 8205)
x, y = 7800 + 3750 / 9 * ($1 % 9 + 0.5), 6649 if $1 < 9 else 6986
print(round(($W - 11880 * s) / 2 + x * s), round(($H - 8205 * s) / 2 + y * s))"; }
halves() { # NAME_OF_LEFT NAME_OF_RIGHT ("-" keeps no picture of that half)
    sleep 0.8
    import -window root /tmp/numerella-both.png
    [ "$1" = - ] || convert /tmp/numerella-both.png -crop ${W}x${H}+0+0 +repage "docs/$1-${W}x${H}.png"
    [ "$2" = - ] || convert /tmp/numerella-both.png -crop ${W}x${H}+${W}+0 +repage "docs/$2-${W}x${H}.png"
}
two_screens() { # DISPLAY: starts the desktop; its process id in $xvfb
    # A display another run holds is never shared: the next free one is taken.
    local n=${1#:}
    while [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ]; do
        n=$((n + 1))
    done
    Xvfb ":$n" -screen 0 $((2 * W))x${H}x24 >/dev/null 2>&1 &
    xvfb=$!
    sleep 1
    kill -0 $xvfb || { echo "Xvfb :$n did not start" >&2; exit 1; }
    export DISPLAY=:$n
}
start_app() { # its process id in $app
    build/bin/numerella >/dev/null 2>&1 &
    app=$!
    sleep 2
}
# The draw screen on the left with the grid file chosen, the hall display on
# the right.
draw_and_hall() {
    xdotool mousemove 105 22 click 1 # Tirage
    sleep 1.5
    local draw hall x y
    draw=$(xdotool search --name "Tirage du Loto" | head -n 1)
    xdotool windowmove "$draw" 0 0 windowsize "$draw" $W $H
    sleep 0.5
    read -r x y < <(keypos 0) # ChoixFichier
    xdotool mousemove "$x" "$y" click 1
    sleep 0.5
    read -r x y < <(pos 9847 7980) # the list
    xdotool mousemove "$x" "$y" click 1
    sleep 0.5
    xdotool key Down Return
    sleep 0.5
    xdotool mousemove 300 300 key F5
    sleep 1
    hall=$(xdotool search --name "Numerella - Salle" | head -n 1)
    xdotool windowmove "$hall" $W 0 windowsize "$hall" $W $H
    xdotool mousemove 300 300
}
stop_all() {
    kill $app $xvfb
    wait $app $xvfb 2>/dev/null || true
    rm -f /tmp/numerella-both.png
}

# The hall display beside the draw screen, on a desktop two 1920 x 1080
# screens wide: each half is what the operator and the players see.
shoot_hall() {
    two_screens :96
    start_app
    draw_and_hall
    for _ in $(seq 61); do
        xdotool key space
        sleep 0.08
    done
    halves operator hall-clair
    convert /tmp/numerella-both.png -resize 50% docs/hall-and-draw.png
    read -r x y < <(keypos 12) # Theme
    xdotool mousemove "$x" "$y" click 1
    xdotool mousemove 300 300
    halves - hall-sombre
    # Grids are checked one after the other until one has a line: the hall
    # then shows it, and its half of the screen changes.
    import -window root -crop 1920x1080+1920+0 /tmp/numerella-hall.png
    local grid
    for grid in $(seq 1 40); do
        xdotool key l
        sleep 0.6
        xdotool type "$grid"
        xdotool key Return
        sleep 0.8
        import -window root -crop 1920x1080+1920+0 /tmp/numerella-now.png
        if ! compare -metric AE /tmp/numerella-hall.png /tmp/numerella-now.png null: 2>/dev/null; then
            halves operator-check hall-check
            break
        fi
        xdotool key Return # "Aucune ligne ... n'est gagnante"
        sleep 0.3
    done
    xdotool key Return # the panel's Fermer
    rm -f /tmp/numerella-hall.png /tmp/numerella-now.png
    read -r x y < <(keypos 3) # Boulier
    xdotool mousemove "$x" "$y" click 1
    sleep 0.5
    xdotool type 0
    xdotool key Return
    halves operator-ballmachine -
    xdotool key Return
    read -r x y < <(keypos 12) # Theme back to clair for the next run
    xdotool mousemove "$x" "$y" click 1
    stop_all
}

# The evening's programme at work, on the same two screens: the programme
# window, a claim that falls short, a winner validated and the hall after it.
shoot_evening() {
    two_screens :95
    export XDG_DATA_HOME=$(mktemp -d)
    mkdir -p "$XDG_DATA_HOME/Numerella/programmes"
    cat >"$XDG_DATA_HOME/Numerella/programmes/100-25-12-2000.json" <<'JSON'
{"version": 1, "grilles_vendues": "1-90", "parties": [
 {"phases": [{"phase": "quine", "lot": "Un panier garni"},
             {"phase": "double_quine", "lot": "Un jambon"},
             {"phase": "carton_plein", "lot": "Un vélo"}]},
 {"phases": [{"phase": "quine", "lot": "Une bouteille de champagne"},
             {"phase": "carton_plein", "lot": "Un bon d'achat de 100 euros"}]},
 {"phases": [{"phase": "carton_plein", "lot": "Un téléviseur"}]}]}
JSON
    start_app
    xdotool mousemove 187 22 click 1 # Programme de la soirée
    sleep 1
    import -window "$(xdotool search --name "Programme de la soirée" | head -n 1)" docs/programme.png
    xdotool key Escape
    sleep 0.5
    draw_and_hall
    # Fifty numbers: a line among 90 grids sold is then all but certain.
    for _ in $(seq 50); do
        xdotool key space
        sleep 0.08
    done
    # Grids are checked one after the other: the first that falls short
    # says what it lacks; the first with a line is validated.
    import -window root -crop 1920x1080+1920+0 /tmp/numerella-hall.png
    local grid missing=0
    for grid in $(seq 1 90); do
        xdotool key l
        sleep 0.6
        xdotool type "$grid"
        xdotool key Return
        sleep 0.8
        import -window root -crop 1920x1080+1920+0 /tmp/numerella-now.png
        if ! compare -metric AE /tmp/numerella-hall.png /tmp/numerella-now.png null: 2>/dev/null; then
            halves operator-winner -
            break
        fi
        if [ $missing = 0 ]; then
            halves operator-missing -
            missing=1
        fi
        xdotool key Return # the verdict read
        sleep 0.3
    done
    read -r x y < <(pos $((1492 + 6000 + 1387)) $((1290 + 4875 + 315))) # Valider le gagnant
    xdotool mousemove "$x" "$y" click 1
    halves operator-validated hall-win
    xdotool key Return # the panel's Quitter
    xdotool mousemove 300 300 key space
    halves - hall-after-win
    rm -f /tmp/numerella-hall.png /tmp/numerella-now.png
    stop_all
}

# The club's voice being recorded, and the same window on a machine with no
# microphone. A PulseAudio null source stands in for the microphone, a
# spoken number played into it for the caller.
shoot_voice() {
    local n=94 w=1024 h=768 display
    while [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ]; do n=$((n + 1)); done
    display=:$n
    for tool in sox pulseaudio pactl paplay; do
        command -v "$tool" >/dev/null ||
            DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends sox pulseaudio pulseaudio-utils >/dev/null
    done
    Xvfb $display -screen 0 ${w}x${h}x24 >/dev/null 2>&1 &
    xvfb=$!
    sleep 1
    export DISPLAY=$display XDG_DATA_HOME=$(mktemp -d)
    export XDG_RUNTIME_DIR=$(mktemp -d)
    centre() { # the window of that title, moved to the middle of the screen
        local win
        win=$(xdotool search --name "$1" | head -n 1)
        xdotool windowmove "$win" $(((w - 880) / 2)) $(((h - 520) / 2))
        sleep 0.5
    }
    # A voice left at 42 the last time, its first 41 numbers recorded.
    local voice=$XDG_DATA_HOME/Numerella/voix/Martine n
    mkdir -p "$voice"
    for n in $(seq 41); do
        sox "data/voices/$((90 + n)).wav" -r 22050 -b 16 "$voice/$(printf %02d "$n").wav"
    done
    start_app
    xdotool mousemove 269 22 click 1 # Voix du club
    sleep 1
    centre "Voix du club"
    import -window root "docs/voice-no-microphone-${w}x${h}.png"
    kill $app
    wait $app 2>/dev/null || true
    pulseaudio --daemonize=yes --exit-idle-time=-1 -n --load=module-native-protocol-unix \
        --load="module-null-sink sink_name=hall" 2>/dev/null
    sleep 1
    # Qt lists no monitor as an input: it is remapped into a source of its own.
    pactl load-module module-remap-source master=hall.monitor source_name=microphone >/dev/null
    pactl set-default-sink hall
    pactl set-default-source microphone
    sox tests/data/voice/quarante-deux.wav -r 44100 -c 2 /tmp/numerella-said.wav pad 0.2 0 gain -3
    start_app
    xdotool mousemove 269 22 click 1 # Voix du club
    sleep 1
    centre "Voix du club"
    xdotool key space
    paplay --device=hall /tmp/numerella-said.wav &
    local player=$!
    sleep 0.8 # mid-word: the meter is up
    import -window root "docs/voice-recording-${w}x${h}.png"
    wait $player
    sleep 1
    import -window root "docs/voice-recorded-${w}x${h}.png"
    kill $app
    wait $app 2>/dev/null || true
    rm -f /tmp/numerella-said.wav
    pulseaudio --kill || true
    kill $xvfb
    wait $xvfb 2>/dev/null || true
}

# The first line of a verdict the programme rules out, on the draw screen,
# and the hall's header read from the back, on the same two screens: grid 27
# has one line in the double quine, grid 73 a line but was not sold.
shoot_verdicts() {
    two_screens :94
    export XDG_DATA_HOME=$(mktemp -d)
    mkdir -p "$XDG_DATA_HOME/Numerella/programmes"
    cat >"$XDG_DATA_HOME/Numerella/programmes/100-25-12-2000.json" <<'JSON'
{"version": 1, "grilles_vendues": "1-50", "parties": [
 {"phases": [{"phase": "double_quine", "lot": "Un panier garni"},
             {"phase": "carton_plein", "lot": "Un vélo"}]}]}
JSON
    if [ ! -f "$grid_file" ]; then # made through the generator, as an organiser does
        start_app
        xdotool mousemove 24 22 click 1 # Générateur
        sleep 1
        xdotool type 100
        xdotool key Return
        xdotool type 25/12/2000
        xdotool key Return Return
        sleep 0.5
        xdotool key Return # Oui
        sleep 2
        kill $app
        wait $app 2>/dev/null || true
    fi
    start_app
    draw_and_hall
    read -r x y < <(keypos 3) # Boulier
    xdotool mousemove "$x" "$y" click 1
    xdotool mousemove 300 300
    # The first line of each grid, read from the grid file, typed as the balls come out.
    local n
    for n in $(python3 - "$grid_file" <<'PY'
import sqlite3, sys
db = sqlite3.connect(sys.argv[1])
out = []
for grid in (27, 73):
    sheet, k = 4 * ((grid - 1) // 4) + 1, (grid - 1) % 4
    cells = ", ".join(f"NUMERO{27 * k + c}" for c in range(1, 10))
    row = db.execute(f"SELECT {cells} FROM TIRAGE WHERE GRILLE = ?", (sheet,)).fetchone()
    out += [v for v in row if v and v not in out]
print(" ".join(map(str, out)))
PY
    ); do
        xdotool type "$n"
        xdotool key Return
        sleep 0.1
    done
    halves - hall-header
    local grid name
    for grid in 27 73; do
        [ $grid = 27 ] && name=verdict-one-line || name=verdict-unsold
        xdotool key l
        sleep 0.6
        xdotool type "$grid"
        xdotool key Return
        halves $name -
        xdotool key Return # the verdict read
        sleep 0.3
    done
    stop_all
}

if [ "${1:-}" = verdicts ]; then # the verdicts and the hall's header alone
    shoot_verdicts
    exit
fi
if [ "${1:-}" = voice ]; then # the club voice window alone
    shoot_voice
    exit
fi
if [ "${1:-}" = evening ]; then # the programme pictures alone, from a grid file left by a full run
    shoot_evening
    exit
fi
if [ "${1:-}" = hall ]; then # the hall pictures alone, from a grid file left by a full run
    shoot_hall
    exit
fi
rm -f "$grid_file"
shoot 1024 768 1
shoot_hall
shoot_evening
shoot_verdicts
shoot 1920 1080 0
shoot_small
shoot_voice
rm -f "$grid_file"
