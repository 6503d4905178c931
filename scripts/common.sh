#!/usr/bin/env bash
# Shared by run.sh and test.sh: install what is missing from Debian, then configure and build.
set -euo pipefail

TONEL_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
TONEL_PACKAGES=(build-essential cmake ninja-build qt6-base-dev libgl-dev libgtest-dev libgmock-dev
                libbenchmark-dev libcli11-dev nlohmann-json3-dev fonts-wqy-microhei fonts-liberation xvfb xauth clang
                libclang-rt-14-dev ser2net locales librsvg2-bin desktop-file-utils shared-mime-info
                libboost1.81-dev zlib1g-dev systemd man-db groff-base nodejs chromium chromium-driver
                python3-selenium)

tonel_install_packages() {
    local missing=()
    for p in "${TONEL_PACKAGES[@]}"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing: ${missing[*]}"
    local sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

# tonel_build DIR [cmake options...]
tonel_build() {
    local dir=$1; shift
    local launcher=()
    # A developer's ccache, when there is one, makes rebuilds of other checkouts cheap.
    if command -v ccache >/dev/null; then launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache); fi
    cmake -S "$TONEL_ROOT" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "${launcher[@]}" "$@" >/dev/null
    cmake --build "$dir" -j "$(nproc)"
}
