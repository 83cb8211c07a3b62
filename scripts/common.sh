# Shared by ./run and ./test: install what is missing, then build in build/.
set -euo pipefail

KESTRUN_TOP="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
KESTRUN_BUILD="$KESTRUN_TOP/build"

# What building and running need: ./run installs only these.
KESTRUN_PACKAGES=(
  cmake g++ make ccache
  pkgconf qt6-base-dev qt6-svg-dev libgl-dev libxcb1-dev libarchive-dev libcups2-dev
  fonts-dejavu-core fonts-liberation
)
# Without a display ./run shows the viewer in a virtual one and keeps a
# screenshot of it.
KESTRUN_HEADLESS_PACKAGES=(xvfb xauth xdotool imagemagick)
# What only the tests need: ./test installs these as well.
KESTRUN_TEST_PACKAGES=(
  "${KESTRUN_HEADLESS_PACKAGES[@]}" clang-format x11-utils poppler-utils openbox xorriso
  clang libclang-rt-dev cups printer-driver-cups-pdf xclip
  desktop-file-utils appstream dpkg-dev file
  dbus at-spi2-core python3-pyatspi
)

# install_missing_packages [PACKAGE...]: the build-and-run set and those named.
install_missing_packages() {
  local missing=()
  local p
  for p in "${KESTRUN_PACKAGES[@]}" "$@"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
      missing+=("$p")
    fi
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing: ${missing[*]}"
  local sudo=()
  [ "$(id -u)" -ne 0 ] && sudo=(sudo)
  export DEBIAN_FRONTEND=noninteractive
  "${sudo[@]}" apt-get -o DPkg::Lock::Timeout=300 update -qq
  "${sudo[@]}" apt-get -o DPkg::Lock::Timeout=300 install -y -qq --no-install-recommends "${missing[@]}"
}

build_project() {
  local launcher=()
  command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
  cmake -S "$KESTRUN_TOP" -B "$KESTRUN_BUILD" "${launcher[@]}" >/dev/null
  cmake --build "$KESTRUN_BUILD" -j"$(nproc)"
}
