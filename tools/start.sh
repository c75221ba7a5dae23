#!/usr/bin/env bash
# Sets the machine up, builds the program and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/setup.sh
tools/build.sh build -DCMAKE_BUILD_TYPE=RelWithDebInfo
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "No display here: starting Numerella on a virtual X server (xvfb-run)."
    exec xvfb-run -a -s "-screen 0 1280x800x24" build/bin/numerella
fi
exec build/bin/numerella
