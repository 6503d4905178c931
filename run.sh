#!/usr/bin/env bash
# Installs what is missing, builds, and starts Tonel Controller with this script's arguments
# (./run.sh --demo attaches the built-in virtual processor).
set -euo pipefail
. "$(dirname "$0")/scripts/common.sh"
cd "$TONEL_ROOT"
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
    echo "run.sh: no display (DISPLAY and WAYLAND_DISPLAY are empty); start it from a desktop session or under xvfb-run." >&2
    exit 1
fi
tonel_install_packages
tonel_build build
exec "$TONEL_ROOT/build/app/tonel" "$@"
