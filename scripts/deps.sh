# Sourced by scripts/run and scripts/test: the Debian packages the project needs, the one list
# of them (the README points here). `scripts/deps.sh build` prints the build packages.
# shellcheck shell=bash

# Building and running the program, and the README's Debian package (dpkg-dev and file let CPack
# work out the package's dependencies). libwayland-bin brings wayland-scanner, which generates
# the clipboard's Wayland protocol code. qt6-wayland is Qt's Wayland platform plugin: without it
# the program aborts in a Wayland session.
WATTLET_BUILD_PACKAGES=(
  cmake ninja-build g++ pkg-config
  qt6-base-dev qt6-base-dev-tools libgl-dev
  nlohmann-json3-dev libudev-dev libwayland-dev libwayland-bin libxcb1-dev
  qt6-wayland
  dpkg-dev file
)
# The tests and benchmarks on top of that: a developer's build, CI. The charge-limit helper is
# tested through the real polkitd and pkexec, and its writes are watched with inotifywait; udev
# reads its rule (udevadm test), systemd its unit (systemd-analyze verify and security).
WATTLET_TEST_PACKAGES=(
  libgtest-dev libbenchmark-dev
  clang-format clang-tidy dbus-daemon xvfb xauth x11-utils
  fonts-noto-core fonts-dejavu-core
  desktop-file-utils appstream man-db lintian
  polkitd pkexec inotify-tools udev systemd
)
# The real tray hosts of tests/hosts/run_hosts.sh (about 60 MB, a minute to install); their
# Wayland session also needs qt6-wayland, which the build packages bring. python3-dbusmock and
# gdbus (libglib2.0-bin) play the notification server whose click opens the panel.
WATTLET_HOST_PACKAGES=(
  xfce4-panel lxqt-panel openbox trayer xdotool
  sway waybar grim jq xclip wl-clipboard wtype
  python3-dbusmock libglib2.0-bin
)
# The GNOME and Plasma Wayland sessions of the host check, run by scripts/test only with
# WATTLET_WAYLAND_DESKTOPS=1: about 500 more packages (376 MB to download), some seven minutes
# to install on a fresh machine. plasma-desktop brings the shell's default panel, qtwayland5
# the Wayland plugin of KDE's Qt 5 programs.
WATTLET_WAYLAND_DESKTOP_PACKAGES=(
  gnome-shell gnome-shell-extension-appindicator xwayland
  kwin-wayland plasma-workspace plasma-desktop kded5 qtwayland5
)

# wattlet_ensure_packages PACKAGE…: installs what is missing when root, else says what to run.
wattlet_ensure_packages() {
  local missing=()
  local p
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep 'install ok installed' >/dev/null || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  if [ "$(id -u)" -eq 0 ]; then
    echo "Installing: ${missing[*]}"
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq
    apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
  else
    echo "Missing Debian packages. Run:" >&2
    echo "  sudo apt-get install -y ${missing[*]}" >&2
    return 1
  fi
}

# Run rather than sourced: print a list, for an install line of one's own.
if [ "${BASH_SOURCE[0]}" = "$0" ]; then
  case "${1:-}" in
    build) echo "${WATTLET_BUILD_PACKAGES[*]}" ;;
    test) echo "${WATTLET_TEST_PACKAGES[*]}" ;;
    hosts) echo "${WATTLET_HOST_PACKAGES[*]}" ;;
    *) echo "usage: scripts/deps.sh build|test|hosts" >&2; exit 2 ;;
  esac
fi
