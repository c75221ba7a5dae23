#!/usr/bin/env bash
# Runs the voice bench against a PulseAudio null sink, started for the run.
set -euo pipefail
cd "$(dirname "$0")/.."
command -v pulseaudio >/dev/null ||
    DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends pulseaudio pulseaudio-utils >/dev/null
export XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-$(mktemp -d)}
pulseaudio --daemonize=yes --exit-idle-time=-1 -n \
    --load="module-native-protocol-unix" \
    --load="module-null-sink sink_name=bench" \
    --load="module-always-sink" 2>/dev/null || true
sleep 1
pactl set-default-sink bench
build/bench/bench_voice
pulseaudio --kill || true
