#!/usr/bin/env bash
# Set-up, build, start and test PELORAMIX on Debian 12.
#   scripts/dev.sh run    install what is missing, build, start the program
#   scripts/dev.sh test   install what is missing, build, run every test
#   scripts/dev.sh bench  install what is missing, build, run the benchmarks
set -euo pipefail
cd "$(dirname "$0")/.."
ROOT=$(pwd)
BUILD=${PELO_BUILD_DIR:-$ROOT/build}

PACKAGES=(build-essential cmake ninja-build qt6-base-dev qt6-translations-l10n libgl-dev
          libgtest-dev libgmock-dev libbenchmark-dev fonts-liberation2)

install_missing() {
    local missing=()
    for p in "${PACKAGES[@]}"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
    done
    if [ ${#missing[@]} -gt 0 ]; then
        echo "Installation des paquets : ${missing[*]}"
        local sudo=""
        [ "$(id -u)" -eq 0 ] || sudo="sudo"
        $sudo apt-get update -qq
        DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
    fi
}

build() {
    cmake -S "$ROOT" -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
    cmake --build "$BUILD" -j "$(nproc)"
}

case "${1:-}" in
run)
    install_missing
    build
    # The record files live in the folder where the program is started.
    exec "$BUILD/peloramix"
    ;;
test)
    install_missing
    build
    cd "$BUILD"
    QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j "$(nproc)"
    ;;
bench)
    install_missing
    build
    "$BUILD/bench/bench_records"
    ;;
*)
    echo "usage : scripts/dev.sh run|test|bench" >&2
    exit 2
    ;;
esac
