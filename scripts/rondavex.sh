#!/usr/bin/env bash
# Sets up a fresh Debian 12 machine and builds Rondavex.
#   scripts/rondavex.sh start   build and start Rondavex on the ready program folder
#   scripts/rondavex.sh test    build everything and run the whole test suite headless
#   scripts/rondavex.sh package build the Debian package rondavex_<version>_<architecture>.deb
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${RONDAVEX_BUILD:-$here/build}"

packages=(g++ cmake ninja-build pkg-config qt6-base-dev libgl-dev libsqlite3-dev libgtest-dev python3-xlrd libfreexl-dev libblkid-dev poppler-utils qt6-translations-l10n mdbtools libmdb3 mdbtools-dev)

# The installed tree's icons are rendered from their drawings; the Debian
# package and its checks in the test suite need the packaging tools.
packages+=(librsvg2-bin)
case "${1:-}" in
test|package) packages+=(dpkg-dev desktop-file-utils appstream lintian) ;;
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

case "${1:-}" in
start)
    install_missing
    configure_and_build
    exec "$build/Rondavex/Rondavex"
    ;;
test)
    install_missing test
    configure_and_build -DRONDAVEX_WERROR=ON
    install_jet_reader
    cd "$build"
    QT_QPA_PLATFORM=offscreen ctest --output-on-failure --parallel "$(nproc)" --timeout 600
    ;;
package)
    install_missing
    configure_and_build
    cd "$build"
    cpack -G DEB
    ;;
*)
    echo "usage: $0 start|test|package" >&2
    exit 2
    ;;
esac
