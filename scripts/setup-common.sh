# Shared by scripts/test and scripts/run: install what is missing, configure and build.
# Sourced, not run.

TARELINK_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
TARELINK_BUILD="${TARELINK_BUILD:-$TARELINK_ROOT/build}"

# Debian 12 packages the build, the tests and the window need.
TARELINK_PACKAGES=(
  build-essential cmake ninja-build ccache pkg-config
  qt6-base-dev qt6-base-dev-tools libqt6serialport6-dev libgl-dev
  libqt6svg6 qt6-qpa-plugins
  xvfb xauth x11-utils
  fonts-dejavu-core fonts-liberation2 poppler-utils
  dpkg-dev desktop-file-utils appstream
)

tarelink_install_packages() {
  local missing=()
  for p in "${TARELINK_PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing: ${missing[*]}"
  local sudo=""
  if [ "$(id -u)" -ne 0 ]; then
    if command -v sudo >/dev/null; then sudo="sudo"; else
      echo "These Debian packages are missing and there is no root or sudo: ${missing[*]}" >&2
      return 1
    fi
  fi
  export DEBIAN_FRONTEND=noninteractive
  $sudo apt-get update -q >/dev/null || { echo "apt-get update failed" >&2; return 1; }
  $sudo apt-get install -y -q --no-install-recommends "${missing[@]}" >/dev/null \
    || { echo "apt-get install failed for: ${missing[*]}" >&2; return 1; }
}

tarelink_build() {
  local gui="${TARELINK_GUI:-ON}"
  cmake -S "$TARELINK_ROOT" -B "$TARELINK_BUILD" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DTARELINK_GUI="$gui" ${TARELINK_CMAKE_ARGS:-} >/dev/null || return 1
  cmake --build "$TARELINK_BUILD" --parallel "$(nproc)"
}
