#!/usr/bin/env bash
# Installs what is missing, builds the program and starts it from its program folder, build/src/,
# where it keeps its database TN2.db (created on the first start).
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

tn2_install_packages
tn2_build "$TN2_ROOT/build" RelWithDebInfo -DTN2_BUILD_TESTS=OFF -DTN2_BUILD_BENCHMARKS=OFF

cd "$TN2_ROOT/build/src"
# The browser engine of the weather and radio previews will not start its sandbox as root.
if [ "$(id -u)" -eq 0 ]; then
    export QTWEBENGINE_DISABLE_SANDBOX=1
fi
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "No display here (neither DISPLAY nor WAYLAND_DISPLAY is set): starting under xvfb-run on a virtual"
    echo "screen, where the window cannot be seen. Use a desktop session (or ssh -X) to work with it."
    echo "Stop it with Ctrl+C."
    exec xvfb-run -a ./tn2-impostazione
fi
exec ./tn2-impostazione
