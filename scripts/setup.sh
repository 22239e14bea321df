#!/usr/bin/env bash
# Installs what Parlino needs on Debian 12, builds it, then runs it ("run") or every test ("test").
# "test" goes on to build everything again with clang under AddressSanitizer and
# UndefinedBehaviorSanitizer, runs every test there (any sanitizer report fails the run), then
# replays each fuzz target's committed corpus and fuzzes it for a minute (PARL_FUZZ_SECONDS).
set -euo pipefail

mode="${1:-run}"
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
jobs="$(nproc 2>/dev/null || echo 2)"

packages=(build-essential cmake ninja-build pkg-config qt6-base-dev qt6-base-dev-tools libgl-dev
          libgtest-dev libgmock-dev libbenchmark-dev fonts-liberation2 adwaita-icon-theme
          xdg-utils clang libclang-rt-14-dev unrtf chromium chromium-driver python3-selenium
          xvfb openbox xdotool x11-utils imagemagick libhunspell-dev hunspell-en-us
          dpkg-dev fakeroot file lintian appstream desktop-file-utils librsvg2-bin groff-base
          bash-completion qt6-l10n-tools qt6-tools-dev qt6-translations-l10n)

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
    build "$root/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPARL_BUILD_TESTS=ON -DPARL_BUILD_BENCH=ON
    cd "$root"
    QT_QPA_PLATFORM=offscreen ctest --test-dir "$root/build" --output-on-failure -j "$jobs" \
        --no-tests=error

    # One clang build serves both the sanitized test run and the fuzz targets. Its warnings are
    # clang's, not the ones the main build holds the code to, so they do not stop it.
    CC=clang CXX=clang++ build "$root/build-asan" -DCMAKE_BUILD_TYPE=Debug \
        -DPARL_WERROR=OFF -DPARL_SANITIZE=ON -DPARL_BUILD_FUZZ=ON -DPARL_BUILD_BENCH=OFF
    export ASAN_OPTIONS="halt_on_error=1:detect_leaks=1"
    export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
    export LSAN_OPTIONS="suppressions=$root/tests/lsan_suppressions.txt"
    # The browser and desktop tests drive whole programs from outside, and the package is made
    # from the normal build; the normal build runs them.
    QT_QPA_PLATFORM=offscreen ctest --test-dir "$root/build-asan" --output-on-failure -j "$jobs" \
        --no-tests=error -LE "browser|desktop|package"
    bash "$root/fuzz/run.sh" "$root/build-asan" "${PARL_FUZZ_SECONDS:-60}"
    ;;
*)
    echo "usage: $0 run|test" >&2
    exit 2
    ;;
esac
