#!/usr/bin/env bash
# Set-up, build and run in one place, for a fresh Debian 12 machine.
#   ./build.sh run    install what is missing, build, start Vrim Clocks
#   ./build.sh test   install what is missing, build with warnings as errors and run every test,
#                     then build the unit and widget tests again with Address- and
#                     UndefinedBehaviorSanitizer and rerun those (the end-to-end scripts, fuzzers
#                     and package are about the program's behaviour and files, and run once)
set -euo pipefail
cd "$(dirname "$0")"

packages=(
    g++ cmake ninja-build pkg-config
    qt6-base-dev qt6-base-dev-tools libgl-dev   # Qt Core, Gui, Widgets, Network, D-Bus, Test
    libxcb1-dev                                 # the last splash put up before Qt is
    pulseaudio-utils                            # paplay, the chimes' player
    libfontconfig-dev                           # fontconfig started early, beside the display's opening
    fonts-liberation2                           # the metrics of Arial and Courier New, which the
                                                # fixed-size windows were laid out for
    fonts-dejavu-core                           # every other script
)
test_packages=(
    xvfb xauth x11-utils xdotool                # the end-to-end tests drive a real X server
    openbox                                     # ... under a window manager, as a desktop has
    faketime                                    # ... at a time of day they choose
    pulseaudio sox                              # ... and record the chimes from a null sink
    imagemagick                                 # ... and look at the screen
    strace                                      # ... holding a start at Qt's platform plug-in
    clang libclang-rt-dev                       # the parsers' fuzzers (libFuzzer)
    librsvg2-bin                                # the icon's PNG sizes, rendered from its SVG
    dpkg-dev lintian                            # the Debian package: dependencies, checks
    desktop-file-utils appstream                # ... its menu entry and metainfo checked
    weston qt6-wayland                          # ... and on a headless Wayland compositor
    at-spi2-core python3-pyatspi dbus           # ... and read it as a screen reader does
    trayer                                      # ... and on a desktop with a tray
)

install_missing() {
    local missing=()
    for package in "$@"; do
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' ||
            missing+=("$package")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing: ${missing[*]}"
    local sudo=()
    [ "$(id -u)" -eq 0 ] || sudo=(sudo)
    "${sudo[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

build() { # folder, target, cmake options...
    local folder=$1 target=$2; shift 2
    cmake -S . -B "$folder" -G Ninja "$@" >/dev/null
    cmake --build "$folder" --parallel "$(nproc)" --target "$target"
}

run_tests() { # folder, ctest options...
    local folder=$1; shift
    (cd "$folder" && ctest --output-on-failure --parallel "$(nproc)" "$@")
}

case "${1:-}" in
run)
    install_missing "${packages[@]}"
    build build vrimclocks
    exec ./build/vrimclocks
    ;;
test)
    install_missing "${packages[@]}" "${test_packages[@]}"
    # Precompiled Qt headers for the tests, and line tables only for debug information (enough
    # for a stack trace): a clean build takes half the time.
    quick=(-DVRIM_PCH=ON -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-Os -g1 -DNDEBUG" -DCMAKE_CXX_FLAGS_DEBUG=-g1)
    build build-ci all -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVRIM_WERROR=ON "${quick[@]}"
    # The sanitizer build compiles while the tests run, for the end-to-end scripts spend most of
    # their time waiting on the clock; at the lowest priority, so that it only takes what they
    # leave and never makes a window late.
    mkdir -p build-asan
    (
        renice -n 19 -p "$BASHPID" >/dev/null
        build build-asan unit_tests -DCMAKE_BUILD_TYPE=Debug -DVRIM_WERROR=ON -DVRIM_SANITIZE=ON "${quick[@]}"
    ) >build-asan/build.log 2>&1 &
    asan_build=$!
    tests_status=0
    run_tests build-ci || tests_status=$?
    wait "$asan_build" || { cat build-asan/build.log; echo "The sanitizer build failed." >&2; exit 1; }
    tail -n 1 build-asan/build.log
    [ "$tests_status" -eq 0 ] || exit "$tests_status"
    ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 \
        LSAN_OPTIONS="suppressions=$PWD/tests/lsan.supp:print_suppressions=0" \
        UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
        run_tests build-asan --label-regex '^(unit|widget)$'
    ;;
*)
    echo "usage: $0 run|test" >&2
    exit 2
    ;;
esac
