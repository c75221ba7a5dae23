#!/usr/bin/env bash
# Remakes the 180 spoken-number clips from nothing: ids 1..90 a female voice
# calling 1 to 90 in French, ids 91..180 a male voice calling the same.
# Every clip: WAV PCM mono 11025 Hz 8 bits, 0.30 to 1.21 s (at most 13,424
# bytes), silence trimmed at both ends, the same loudness throughout.
set -euo pipefail
cd "$(dirname "$0")/.."
for tool in espeak-ng sox; do
    command -v "$tool" >/dev/null ||
        DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends espeak-ng sox >/dev/null
done

out=data/voices
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$out"

MAX_SECONDS=1.21
MIN_SECONDS=0.30
TARGET_RMS_DB=-15 # speech level every clip is brought to

# Speaks N with VOICE at SPEED into FILE, trimmed, at the program's format.
speak() { # VOICE SPEED N FILE
    espeak-ng -v "$1" -s "$2" -w "$work/raw.wav" "$3"
    sox "$work/raw.wav" -r 11025 -c 1 "$work/trim.wav" \
        silence 1 0.02 0.5% reverse silence 1 0.02 0.5% reverse
    local rms gain
    rms=$(sox "$work/trim.wav" -n stats 2>&1 | awk '/RMS lev dB/ {print $4}')
    gain=$(python3 -c "print(round($TARGET_RMS_DB - ($rms), 2))")
    # The limiter keeps the peaks of a quiet word from clipping once raised.
    sox "$work/trim.wav" -b 8 -e unsigned-integer "$4" gain -l "$gain"
}

seconds() { soxi -D "$1"; }

make_clip() { # VOICE FIRST_SPEED N ID
    local voice=$1 speed=$2 n=$3 id=$4 file="$out/$4.wav"
    speak "$voice" "$speed" "$n" "$file"
    # Long words are said a little faster until they fit.
    while python3 -c "import sys; sys.exit(0 if $(seconds "$file") > $MAX_SECONDS else 1)"; do
        speed=$((speed + 10))
        speak "$voice" "$speed" "$n" "$file"
    done
    # Short words are padded with silence up to the shortest length.
    local length
    length=$(seconds "$file")
    if python3 -c "import sys; sys.exit(0 if $length < $MIN_SECONDS else 1)"; then
        local pad
        pad=$(python3 -c "print(round(($MIN_SECONDS - $length) / 2 + 0.005, 3))")
        sox "$file" "$work/pad.wav" pad "$pad" "$pad"
        mv "$work/pad.wav" "$file"
    fi
    printf '%3d  %-6s speed %3d  %.3f s\n' "$id" "$voice" "$speed" "$(seconds "$file")"
}

for n in $(seq 1 90); do
    make_clip fr+f4 150 "$n" "$n"
done
for n in $(seq 1 90); do
    make_clip fr+m3 140 "$n" $((90 + n))
done
