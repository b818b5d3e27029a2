#!/usr/bin/env bash
# Sets up a fresh Debian 12 machine and builds Rondavex.
#   scripts/rondavex.sh start   build and start Rondavex on the ready program folder
#   scripts/rondavex.sh test    build everything and run the whole test suite headless,
#                               then again under the sanitizers, then the fuzz runs
#   scripts/rondavex.sh package build the Debian package rondavex_<version>_<architecture>.deb
#                               (hardened, reproducible, checked by lintian and hardening-check)
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${RONDAVEX_BUILD:-$here/build}"

# What every command builds with: the compiler and the libraries of the
# programs; the installed tree's icons are rendered from their drawings.
packages=(g++ cmake ninja-build pkg-config qt6-base-dev libgl-dev libsqlite3-dev libblkid-dev libxcb1-dev
          qt6-translations-l10n libmdb3 mdbtools-dev librsvg2-bin)
# The package is built with Debian's tools and checked by them (lintian,
# hardening-check of devscripts). The test command also builds the suite, with
# the readers it checks our files with and an X server for the windows' desktop
# properties, checks the package, and builds the suite a second time under the
# sanitizers with the fuzz targets: clang, its runtimes with libFuzzer, llvm-symbolizer.
package_tools=(dpkg-dev lintian devscripts)
case "${1:-}" in
package) packages+=("${package_tools[@]}") ;;
test) packages+=("${package_tools[@]}" libgtest-dev python3-xlrd libfreexl-dev poppler-utils mdbtools
                 desktop-file-utils appstream xvfb x11-utils clang-14 libclang-rt-14-dev llvm-14) ;;
esac

install_missing() {
    local missing=()
    for p in "${packages[@]}"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
    done
    # The tests read Jet files back with the JavaScript reader mdb-reader; a node
    # that came from elsewhere is used as it is.
    if [ "${1:-}" = test ]; then
        command -v node >/dev/null || missing+=(nodejs)
        command -v npm >/dev/null || missing+=(npm)
    fi
    if [ ${#missing[@]} -gt 0 ]; then
        local sudo=""
        [ "$(id -u)" -eq 0 ] || sudo="sudo"
        $sudo apt-get update -qq
        DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
    fi
}

# mdb-reader, at the version of tests/support/jetlesen/package-lock.json, into
# the build folder's "jetlesen" that the build lays out.
install_jet_reader() {
    local dir="$build/jetlesen"
    if ! cmp -s "$dir/package-lock.json" "$dir/node_modules/.rondavex-lock" 2>/dev/null; then
        npm ci --prefix "$dir" --no-audit --no-fund --loglevel=error
        cp "$dir/package-lock.json" "$dir/node_modules/.rondavex-lock"
    fi
}

configure_and_build() {
    cmake -S "$here" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@"
    cmake --build "$build" --parallel "$(nproc)"
}

# The whole suite again, built by clang under AddressSanitizer and
# UndefinedBehaviorSanitizer (any report fails its test; leaks are not looked
# for, as Qt keeps some allocations to the end on purpose), then a minute of
# fuzzing for each reader of what comes from outside, the targets side by side.
sanitizer_suite() {
    local san="${RONDAVEX_SAN_BUILD:-$here/build-san}"
    export ASAN_OPTIONS="detect_leaks=0:halt_on_error=1:detect_stack_use_after_return=1:check_initialization_order=1"
    export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
    export ASAN_SYMBOLIZER_PATH=/usr/lib/llvm-14/bin/llvm-symbolizer
    # Warnings are the ordinary build's business: clang's differ from g++'s.
    cmake -S "$here" -B "$san" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++-14 \
        -DRONDAVEX_SANITIZE=ON -DRONDAVEX_FUZZ=ON
    cmake --build "$san" --parallel "$(nproc)"
    build="$san" install_jet_reader
    cd "$san"
    QT_QPA_PLATFORM=offscreen ctest --output-on-failure --parallel "$(nproc)" --timeout 600 -LE fuzzlauf
    ctest --output-on-failure --parallel "$(nproc)" -L fuzzlauf
}

case "${1:-}" in
start)
    install_missing
    configure_and_build -DRONDAVEX_TESTS=OFF
    exec "$build/Rondavex/Rondavex"
    ;;
test)
    install_missing test
    configure_and_build -DRONDAVEX_WERROR=ON -DRONDAVEX_TESTS=ON
    install_jet_reader
    cd "$build"
    QT_QPA_PLATFORM=offscreen ctest --output-on-failure --parallel "$(nproc)" --timeout 600
    sanitizer_suite
    ;;
package)
    install_missing
    # Only what the package holds: no tests, no benchmarks.
    configure_and_build -DRONDAVEX_TESTS=OFF
    cd "$build"
    # Every file time in it is the last commit's (or the caller's
    # SOURCE_DATE_EPOCH): the configuration sets it for cpack.
    cpack -G DEB
    deb="$(ls -t rondavex_*.deb | head -n 1)"
    lintian --fail-on error,warning "$deb"
    dpkg-deb -x "$deb" _hardening
    # Debian 12 builds its C runtime without control flow protection.
    hardening-check --nocfprotection --quiet _hardening/usr/lib/rondavex/*
    rm -rf _hardening
    echo "$build/$deb"
    ;;
*)
    echo "usage: $0 start|test|package" >&2
    exit 2
    ;;
esac
