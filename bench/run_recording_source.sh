#!/usr/bin/env bash
# Records one take through the real Qt input from a PulseAudio null source
# fed by a file played into its sink in real time, as a microphone would
# hear the caller (Qt lists no monitor as an input, so the monitor is
# remapped into a source of its own):
#   bench/run_recording_source.sh [SPOKEN.wav] [OUTPUT_FOLDER]
# The file defaults to the tests' spoken number; the take before and after
# its trim land in the output folder (docs/ draws them with
# tools/plot_waveforms.py).
set -euo pipefail
cd "$(dirname "$0")/.."
spoken=${1:-tests/data/voice/quarante-deux.wav}
out=${2:-$(mktemp -d)}
for tool in pulseaudio pactl paplay sox; do
    command -v "$tool" >/dev/null ||
        DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends pulseaudio pulseaudio-utils sox >/dev/null
done
export XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-$(mktemp -d)}
pulseaudio --daemonize=yes --exit-idle-time=-1 -n \
    --load="module-native-protocol-unix" \
    --load="module-null-sink sink_name=hall" 2>/dev/null || true
trap 'pulseaudio --kill || true' EXIT
sleep 1
pactl load-module module-remap-source master=hall.monitor source_name=microphone >/dev/null
pactl set-default-sink hall
pactl set-default-source microphone
# The caller takes a breath after Espace, says the number, then waits.
sox "$spoken" -r 44100 -c 2 "$out/said.wav" pad 0.4 1.5
build/bench/bench_recording "$out" &
recorder=$!
sleep 0.3
paplay --device=hall "$out/said.wav"
wait $recorder
echo "before and after the trim: $out/take.wav $out/clip.wav"
