# Shared by the scripts beside it (test, run, package, bench, fuzz): install what is missing,
# configure and build. Sourced, not run; run as `bash scripts/setup-common.sh --check` it only
# checks (below).

TARELINK_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
TARELINK_BUILD="${TARELINK_BUILD:-$TARELINK_ROOT/build}"

# Debian 12 packages the build, the tests and the window need. Each is a real package name, not
# one that another package merely provides: dpkg-query knows only real ones as installed, and a
# name it never reports would be installed again on every run.
TARELINK_PACKAGES=(
  build-essential cmake ninja-build ccache pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-serialport-dev libgl-dev
  libqt6svg6 qt6-qpa-plugins
  xvfb xauth x11-utils
  fonts-dejavu-core fonts-liberation2 poppler-utils
  dpkg-dev desktop-file-utils appstream
)
# What scripts/fuzz needs as well: clang with libFuzzer and the sanitizer runtimes, and the
# symbolizer for readable reports.
TARELINK_FUZZ_PACKAGES=(clang-14 libclang-rt-14-dev llvm-14)
# What scripts/bench needs as well for its accessible run: a session bus and the AT-SPI bus.
TARELINK_BENCH_PACKAGES=(dbus-daemon at-spi2-core)

# Prints the packages among the arguments (default: TARELINK_PACKAGES) that are not installed.
tarelink_missing_packages() {
  local wanted=("$@")
  [ ${#wanted[@]} -gt 0 ] || wanted=("${TARELINK_PACKAGES[@]}")
  local p
  for p in "${wanted[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || echo "$p"
  done
}

# Installs the packages among the arguments (default: TARELINK_PACKAGES) that are missing.
# Silent, and needs no root, when nothing is missing.
tarelink_install_packages() {
  local missing
  mapfile -t missing < <(tarelink_missing_packages "$@")
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

# `--check [PACKAGE...]`: exit 0 when nothing is missing, else 1 with the missing names on
# stderr. Installs nothing, so any user can run it.
if [ "${BASH_SOURCE[0]}" = "$0" ]; then
  if [ "${1:-}" != "--check" ]; then
    echo "usage: bash ${BASH_SOURCE[0]} --check [PACKAGE...]" >&2
    exit 2
  fi
  shift
  mapfile -t missing < <(tarelink_missing_packages "$@")
  [ ${#missing[@]} -eq 0 ] && exit 0
  echo "Missing Debian packages: ${missing[*]}" >&2
  exit 1
fi
