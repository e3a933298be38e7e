# Shared by ./run and ./test: installs the Debian packages that are missing, then configures
# and builds the program in Release into build/.

ZELMORA_PACKAGES=(
    cmake ninja-build g++ pkg-config
    qt6-base-dev qt6-translations-l10n libgtest-dev libcurl4-openssl-dev libarchive-dev
    fonts-liberation fonts-liberation2 fonts-crosextra-carlito fonts-comic-neue
    xvfb xauth openbox xdotool x11-utils xclip imagemagick poppler-utils tesseract-ocr
    cups cups-client printer-driver-cups-pdf
    at-spi2-core python3-pyatspi dbus-daemon dbus-bin
    clang libclang-rt-14-dev clang-format
    dpkg-dev desktop-file-utils shared-mime-info libglib2.0-bin python3
)

ensure_packages() {
    local missing=() p
    for p in "${ZELMORA_PACKAGES[@]}"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" ||
            missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing: ${missing[*]}"
    if [ "$(id -u)" != 0 ]; then
        echo "Missing packages need root: sudo apt-get install ${missing[*]}" >&2
        return 1
    fi
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq
    apt-get install -y -qq "${missing[@]}" >/dev/null
}

# build_program [TARGET]: everything, or only TARGET and what it needs.
build_program() {
    cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
    cmake --build build -j"$(nproc)" ${1:+--target "$1"}
}

# The same build with AddressSanitizer and UndefinedBehaviorSanitizer, in build-asan/.
build_sanitized() {
    local flags="-fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer"
    cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DCMAKE_CXX_FLAGS="$flags" -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined" >/dev/null
    cmake --build build-asan -j"$(nproc)"
}
