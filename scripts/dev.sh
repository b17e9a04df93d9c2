#!/usr/bin/env bash
# Set-up, build, start and test PELORAMIX on Debian 12.
#   scripts/dev.sh run           install what is missing, build, start the program
#   scripts/dev.sh test          install what is missing, build, run every test
#   scripts/dev.sh bench         install what is missing, build, run the benchmarks
#   scripts/dev.sh asan          build under AddressSanitizer and UBSan (build-asan/), run every test
#   scripts/dev.sh format        format src/ tests/ bench/ fuzz/ with .clang-format
#   scripts/dev.sh format-check  list the files that are not formatted (fails if there is one)
#   scripts/dev.sh tidy          clang-tidy with .clang-tidy on the core and fibtool
#   scripts/dev.sh package       Release build (build-release/), its Debian package peloramix_*.deb, lintian
#   scripts/dev.sh fuzz [S]      build the libFuzzer targets with clang (build-fuzz/) and run each S seconds (30)
#   scripts/dev.sh ci            what CI runs: Release build with warnings as errors and every test,
#                                its package installed in a scratch folder and started, the core's and
#                                fibtool's tests again under the sanitizers, the fuzz targets 10 s each
#                                (only where clang is already installed), clang-tidy, the format check
# PELO_BUILD_DIR changes the build folder (build/); PELO_CMAKE_ARGS adds CMake arguments to every
# configuration (e.g. -DCMAKE_CXX_COMPILER_LAUNCHER=ccache); PELO_JOBS the number of jobs (all cores).
set -euo pipefail
cd "$(dirname "$0")/.."
ROOT=$(pwd)
BUILD=${PELO_BUILD_DIR:-$ROOT/build}
JOBS=${PELO_JOBS:-$(nproc)}
read -r -a EXTRA_CMAKE <<<"${PELO_CMAKE_ARGS:-}"

PACKAGES=(build-essential cmake ninja-build qt6-base-dev qt6-translations-l10n libgl-dev
          libgtest-dev libgmock-dev libbenchmark-dev fonts-liberation2
          libxlsxwriter-dev libreadstat-dev libzip-dev libexpat1-dev libsodium-dev pkgconf
          readstat python3-openpyxl)
# Only for package and ci: the .deb (dpkg-shlibdeps), the checks of the installed files and of the
# package (lintian).
PACKAGE_PACKAGES=(dpkg-dev desktop-file-utils appstream lintian)
# Only for format, format-check, tidy and ci.
TOOL_PACKAGES=(clang-format clang-tidy)
# Only for fuzz: clang and its libFuzzer and sanitizer runtimes.
FUZZ_PACKAGES=(clang libclang-rt-14-dev)

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

# Twice as many tests as jobs at a time: most of a test's time is waiting for the disk (every
# write is synced) or for a process to start, not computing.
run_tests() {
    (cd "$1" && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j "$((JOBS * 2))")
}

# The project's C++ files, as paths from the root.
sources() {
    find src tests bench fuzz -type f \( -name '*.cpp' -o -name '*.h' \) | LC_ALL=C sort
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
    configure "$dir" -DCMAKE_BUILD_TYPE=Release -DCMAKE_EXPORT_COMPILE_COMMANDS=ON -DPELO_BUILD_BENCH=OFF -DPELO_BUILD_GUI=OFF
    run-clang-tidy -quiet -p "$dir" -j "$JOBS" "$ROOT/src/(core|tools)/.*\.cpp$"
}

# package DIR: the .deb of a configured build (built here if needed), in DIR.
package() {
    local dir=$1
    cmake --build "$dir" -j "$JOBS" --target peloramix fibtool
    (cd "$dir" && cpack -G DEB >/dev/null)
    ls "$dir"/peloramix_*.deb
}

# lint_package DIR: lintian on the package of DIR; an error or a warning fails the step.
lint_package() {
    local deb out
    deb=$(ls "$1"/peloramix_*.deb)
    out=$(lintian --fail-on error,warning "$deb") || { printf '%s\n' "$out" >&2; echo "paquet : lintian n'est pas satisfait" >&2; return 1; }
    [ -z "$out" ] || printf '%s\n' "$out"
    echo "paquet : lintian sans erreur ni avertissement"
}

# check_package DIR: the package of DIR unpacked in a scratch folder, its programs started there.
check_package() {
    local deb scratch
    deb=$(ls "$1"/peloramix_*.deb)
    scratch=$(mktemp -d)
    dpkg-deb -f "$deb" Depends | grep -q libqt6widgets6 || { echo "paquet : dépendances Qt absentes" >&2; return 1; }
    dpkg-deb -x "$deb" "$scratch/racine"
    "$scratch/racine/usr/bin/fibtool" --version
    mkdir "$scratch/centre"
    "$scratch/racine/usr/bin/fibtool" -C "$scratch/centre" demo --fiches 20 >/dev/null
    # Started in a centre's folder it asks nothing: still running after 3 s is a start.
    local rc=0
    (cd "$scratch/centre" && HOME=$scratch QT_QPA_PLATFORM=offscreen timeout 3 "$scratch/racine/usr/bin/peloramix") || rc=$?
    rm -rf "$scratch"
    [ "$rc" -eq 124 ] || { echo "paquet : peloramix s'est arrêté (code $rc)" >&2; return 1; }
    echo "paquet : $(basename "$deb") installé et démarré"
}

# asan [CMAKE-ARGS...]
asan() {
    local dir=$ROOT/build-asan
    # -O1 without debug information: the sanitizers still name the functions, and the build takes
    # half the time of -O2 -g.
    configure "$dir" -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG=-O1 -DPELO_ASAN=ON -DPELO_BUILD_BENCH=OFF "$@"
    cmake --build "$dir" -j "$JOBS"
    ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=0} \
        UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1} \
        LSAN_OPTIONS=${LSAN_OPTIONS:-suppressions=$ROOT/scripts/lsan.supp} \
        run_tests "$dir"
}

# The libFuzzer targets (one per file reader), built with clang and the sanitizers, each run for
# $1 seconds from an empty corpus kept in build-fuzz/corpus-<target>.
fuzz() {
    local secs=${1:-30} dir=$ROOT/build-fuzz
    CC=clang CXX=clang++ configure "$dir" -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG="-O1 -g" -DPELO_FUZZ=ON \
        -DPELO_BUILD_TESTS=OFF -DPELO_BUILD_BENCH=OFF -DPELO_BUILD_GUI=OFF
    local targets=(fuzz_record_file fuzz_pooled_file fuzz_synthesis_pair fuzz_group_file fuzz_sealed_file
        fuzz_csv_source fuzz_xlsx_source)
    cmake --build "$dir" -j "$JOBS" --target "${targets[@]}" fibtool
    # Valid files to start from, written by fibtool: a centre file, a pooled file, a synthesis
    # pair (index then counters, as the target splits them), a GROUPE.DAT of one group and a
    # sealed centre file.
    local start=$dir/start-files
    rm -rf "$start" && mkdir -p "$start" \
        "$dir"/corpus-{fuzz_record_file,fuzz_pooled_file,fuzz_synthesis_pair,fuzz_group_file,fuzz_sealed_file,fuzz_csv_source,fuzz_xlsx_source}
    "$dir/fibtool" -C "$start" demo --fiches 6 --centres 3 >/dev/null
    "$dir/fibtool" -C "$start" collecte FibFr97.Dat >/dev/null
    "$dir/fibtool" -C "$start" synthese-pays FibFr97.Dat >/dev/null
    cp "$start/FIB.DAT" "$dir/corpus-fuzz_record_file/start"
    # The importer's sources: a few FIBs exported as CSV and as a workbook.
    "$dir/fibtool" -C "$start" exporter FIB.DAT source.csv --libelles >/dev/null
    "$dir/fibtool" -C "$start" exporter FIB.DAT source.xlsx >/dev/null
    cp "$start/source.csv" "$dir/corpus-fuzz_csv_source/start"
    cp "$start/source.xlsx" "$dir/corpus-fuzz_xlsx_source/start"
    cp "$start/FibFr97.Dat" "$dir/corpus-fuzz_pooled_file/start"
    cat "$start/SYNFr97.ATX" "$start/SYNFr97.BTX" >"$dir/corpus-fuzz_synthesis_pair/start"
    # FIB.DAT sealed for the key of the sealed-file target, which writes its public key.
    PELO_FUZZ_KEY_OUT="$start/coordination.pub" "$dir/fuzz/fuzz_sealed_file"
    "$dir/fibtool" envoyer "$start/FIB.DAT" --cle "$start/coordination.pub" >/dev/null
    cp "$start"/FIB*.DAT.chiffre "$dir/corpus-fuzz_sealed_file/start"
    { printf '\001\000Nord'; head -c 6 /dev/zero; printf '\001\000\002\000'; head -c 1008 /dev/zero; } \
        >"$dir/corpus-fuzz_group_file/start"
    # As many targets at a time as there are jobs, each with its own log; a finding fails the step.
    local running=0 failed=0 t
    for t in "${targets[@]}"; do
        (cd "$dir" && "$dir/fuzz/$t" -max_total_time="$secs" -print_final_stats=1 "$dir/corpus-$t" >"$dir/$t.log" 2>&1) &
        running=$((running + 1))
        if [ "$running" -ge "$JOBS" ]; then
            wait -n || failed=1
            running=$((running - 1))
        fi
    done
    while [ "$running" -gt 0 ]; do
        wait -n || failed=1
        running=$((running - 1))
    done
    for t in "${targets[@]}"; do
        echo "== $t ($secs s)"
        tail -n 3 "$dir/$t.log"
    done
    return "$failed"
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
    for b in bench_records bench_synthesis bench_pool bench_evaluation bench_funnel bench_comparison bench_seal bench_exchange; do
        echo "== $b"
        "$BUILD/bench/$b"
    done
    ;;
asan)
    install_missing "${PACKAGES[@]}"
    asan -DPELO_BUILD_GUI=ON
    ;;
package)
    install_missing "${PACKAGES[@]}" "${PACKAGE_PACKAGES[@]}"
    dir=${PELO_BUILD_DIR:-$ROOT/build-release}
    configure "$dir" -DCMAKE_BUILD_TYPE=Release -DPELO_BUILD_TESTS=OFF -DPELO_BUILD_BENCH=OFF
    package "$dir"
    lint_package "$dir"
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
fuzz)
    install_missing "${PACKAGES[@]}" "${FUZZ_PACKAGES[@]}"
    fuzz "${2:-30}"
    ;;
ci)
    start=$SECONDS
    step() { echo "== [$(((SECONDS - start) / 60)) min $(((SECONDS - start) % 60)) s] $*"; }
    install_missing "${PACKAGES[@]}" "${TOOL_PACKAGES[@]}" "${PACKAGE_PACKAGES[@]}"
    step "Release, avertissements en erreurs"
    # The benchmarks are built by `bench` and `test`; CI keeps its time for the checks.
    configure "$ROOT/build-ci" -DCMAKE_BUILD_TYPE=Release -DPELO_WERROR=ON -DPELO_BUILD_BENCH=OFF
    cmake --build "$ROOT/build-ci" -j "$JOBS"
    run_tests "$ROOT/build-ci"
    step "paquet Debian"
    package "$ROOT/build-ci"
    lint_package "$ROOT/build-ci"
    check_package "$ROOT/build-ci"
    # The core and fibtool, where the files are read and written; the Qt layer under the
    # sanitizers is `scripts/dev.sh asan`, too long for CI on two cores.
    step "AddressSanitizer et UBSan (le cœur et fibtool)"
    asan -DPELO_BUILD_GUI=OFF
    # On a machine that has clang (CI's does not install it: its time goes to the tests).
    if command -v clang++ >/dev/null &&
        dpkg-query -W -f='${Status}' libclang-rt-14-dev 2>/dev/null | grep -q "install ok installed"; then
        step "libFuzzer, 10 s par lecteur"
        fuzz 10
    fi
    step "clang-tidy"
    tidy
    step "format"
    format_check
    step "fin"
    ;;
*)
    echo "usage : scripts/dev.sh run|test|bench|asan|package|format|format-check|tidy|fuzz|ci" >&2
    exit 2
    ;;
esac
