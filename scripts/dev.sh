#!/usr/bin/env bash
# Set-up, build, start and test PELORAMIX on Debian 12.
#   scripts/dev.sh run           install what is missing, build, start the program
#   scripts/dev.sh test          install what is missing, build, run every test
#   scripts/dev.sh bench         install what is missing, build, run the benchmarks
#   scripts/dev.sh asan          build under AddressSanitizer and UBSan (build-asan/), run every test
#   scripts/dev.sh format        format src/ tests/ bench/ with .clang-format
#   scripts/dev.sh format-check  list the files that are not formatted (fails if there is one)
#   scripts/dev.sh tidy          clang-tidy with .clang-tidy on the core and fibtool
#   scripts/dev.sh ci            what CI runs: Release build with warnings as errors and every test,
#                                every test again under the sanitizers, clang-tidy, the format check
# PELO_BUILD_DIR changes the build folder (build/); PELO_CMAKE_ARGS adds CMake arguments to every
# configuration (e.g. -DCMAKE_CXX_COMPILER_LAUNCHER=ccache); PELO_JOBS the number of jobs (all cores).
set -euo pipefail
cd "$(dirname "$0")/.."
ROOT=$(pwd)
BUILD=${PELO_BUILD_DIR:-$ROOT/build}
JOBS=${PELO_JOBS:-$(nproc)}
read -r -a EXTRA_CMAKE <<<"${PELO_CMAKE_ARGS:-}"

PACKAGES=(build-essential cmake ninja-build qt6-base-dev qt6-translations-l10n libgl-dev
          libgtest-dev libgmock-dev libbenchmark-dev fonts-liberation2)
# Only for format, format-check, tidy and ci.
TOOL_PACKAGES=(clang-format clang-tidy)

install_missing() {
    local missing=()
    for p in "$@"; do
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

# configure DIR CMAKE-ARGS...
configure() {
    local dir=$1
    shift
    cmake -S "$ROOT" -B "$dir" -G Ninja "$@" "${EXTRA_CMAKE[@]}" >/dev/null
}

build() {
    configure "$BUILD" -DCMAKE_BUILD_TYPE=RelWithDebInfo
    cmake --build "$BUILD" -j "$JOBS"
}

run_tests() {
    (cd "$1" && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j "$JOBS")
}

# The project's C++ files, as paths from the root.
sources() {
    find src tests bench -type f \( -name '*.cpp' -o -name '*.h' \) | LC_ALL=C sort
}

format_check() {
    local bad=()
    while IFS= read -r f; do
        clang-format --style=file --dry-run -Werror "$f" >/dev/null 2>&1 || bad+=("$f")
    done < <(sources)
    if [ ${#bad[@]} -gt 0 ]; then
        printf 'pas au format : %s\n' "${bad[@]}"
        echo "${#bad[@]} fichier(s) à formater : scripts/dev.sh format"
        return 1
    fi
    echo "format : tout est au format"
}

# clang-tidy reads the compile commands of a configuration of its own (no build needed for the
# core and fibtool); its findings are errors (.clang-tidy: WarningsAsErrors).
tidy() {
    local dir=$ROOT/build-tidy
    configure "$dir" -DCMAKE_BUILD_TYPE=Release -DCMAKE_EXPORT_COMPILE_COMMANDS=ON -DPELO_BUILD_BENCH=OFF
    run-clang-tidy -quiet -p "$dir" -j "$JOBS" "$ROOT/src/(core|tools)/.*\.cpp$"
}

asan() {
    local dir=$ROOT/build-asan
    # -O1 without debug information: the sanitizers still name the functions, and the build takes
    # half the time of -O2 -g.
    configure "$dir" -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG=-O1 -DPELO_ASAN=ON -DPELO_BUILD_BENCH=OFF
    cmake --build "$dir" -j "$JOBS"
    ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=0} \
        UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1} \
        LSAN_OPTIONS=${LSAN_OPTIONS:-suppressions=$ROOT/scripts/lsan.supp} \
        run_tests "$dir"
}

case "${1:-}" in
run)
    install_missing "${PACKAGES[@]}"
    build
    # The record files live in the folder where the program is started.
    exec "$BUILD/peloramix"
    ;;
test)
    install_missing "${PACKAGES[@]}"
    build
    run_tests "$BUILD"
    ;;
bench)
    install_missing "${PACKAGES[@]}"
    build
    for b in bench_records bench_synthesis bench_pool bench_funnel; do
        echo "== $b"
        "$BUILD/bench/$b"
    done
    ;;
asan)
    install_missing "${PACKAGES[@]}"
    asan
    ;;
format)
    install_missing "${TOOL_PACKAGES[@]}"
    sources | xargs clang-format --style=file -i
    ;;
format-check)
    install_missing "${TOOL_PACKAGES[@]}"
    format_check
    ;;
tidy)
    install_missing "${PACKAGES[@]}" "${TOOL_PACKAGES[@]}"
    tidy
    ;;
ci)
    start=$SECONDS
    step() { echo "== [$(((SECONDS - start) / 60)) min $(((SECONDS - start) % 60)) s] $*"; }
    install_missing "${PACKAGES[@]}" "${TOOL_PACKAGES[@]}"
    step "Release, avertissements en erreurs"
    configure "$ROOT/build-ci" -DCMAKE_BUILD_TYPE=Release -DPELO_WERROR=ON
    cmake --build "$ROOT/build-ci" -j "$JOBS"
    run_tests "$ROOT/build-ci"
    step "AddressSanitizer et UBSan"
    asan
    step "clang-tidy"
    tidy
    step "format"
    format_check
    step "fin"
    ;;
*)
    echo "usage : scripts/dev.sh run|test|bench|asan|format|format-check|tidy|ci" >&2
    exit 2
    ;;
esac
