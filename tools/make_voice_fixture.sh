#!/usr/bin/env bash
# Remakes the spoken number the club-voice tests feed the fake microphone:
# "quarante-deux" said by espeak-ng, mono 16 bits at 16000 Hz, with no
# silence of its own (the tests add it).
set -euo pipefail
cd "$(dirname "$0")/.."
for tool in espeak-ng sox; do
    command -v "$tool" >/dev/null ||
        DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends espeak-ng sox >/dev/null
done
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
espeak-ng -v fr+m3 -s 150 -w "$work/raw.wav" "quarante-deux"
sox "$work/raw.wav" -r 16000 -c 1 -b 16 tests/data/voice/quarante-deux.wav \
    silence 1 0.02 0.5% reverse silence 1 0.02 0.5% reverse
soxi tests/data/voice/quarante-deux.wav
