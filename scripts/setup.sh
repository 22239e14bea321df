#!/usr/bin/env bash
# Installs what Parlino needs on Debian 12, builds it, then runs it ("run") or every test ("test").
set -euo pipefail

mode="${1:-run}"
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
jobs="$(nproc 2>/dev/null || echo 2)"

packages=(build-essential cmake ninja-build pkg-config qt6-base-dev qt6-base-dev-tools libgl-dev
          libgtest-dev libgmock-dev libbenchmark-dev fonts-liberation2 adwaita-icon-theme
          xdg-utils)

install_missing() {
    local missing=()
    for p in "$@"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" ||
            missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    local sudo=()
    [ "$(id -u)" -ne 0 ] && sudo=(sudo)
    echo "Installing: ${missing[*]}"
    "${sudo[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends \
        "${missing[@]}"
}

build() { # build-dir, extra cmake arguments...
    local dir="$1"
    shift
    cmake -S "$root" -B "$dir" -G Ninja -DPARL_WERROR=ON "$@" >/dev/null
    cmake --build "$dir" --parallel "$jobs"
}

case "$mode" in
run)
    install_missing "${packages[@]}"
    build "$root/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPARL_BUILD_TESTS=OFF \
        -DPARL_BUILD_BENCH=OFF
    cd "$root"
    # The composer with the welcome message; without a display the program says so in one line
    # (exit 3) and the example is compiled from the command line instead.
    status=0
    "$root/build/parlino" examples/welcome.rtf || status=$?
    if [ "$status" -eq 3 ]; then
        exec "$root/build/parlino" --compile examples/welcome.rtf -o examples/welcome.htm
    fi
    exit "$status"
    ;;
test)
    install_missing "${packages[@]}"
    build "$root/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo
    cd "$root"
    QT_QPA_PLATFORM=offscreen ctest --test-dir "$root/build" --output-on-failure -j "$jobs"
    ;;
*)
    echo "usage: $0 run|test" >&2
    exit 2
    ;;
esac
