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
  dpkg-dev file gettext
)
# The tests and benchmarks on top of that: a developer's build, CI. The charge-limit helper is
# tested through the real polkitd and pkexec in mount namespaces, as a user of its own (mount and
# useradd are no longer in every root), and its writes are watched with inotifywait; udev reads
# its rule (udevadm test), systemd its unit (systemd-analyze verify and security). The format is
# checked with one clang-format, the same in every release (each formats some differently).
# UPower and power-profiles-daemon run for real on a umockdev testbed; the panel is read as a
# screen reader reads it, through AT-SPI (pyatspi). The fit test measures Chinese and Japanese in
# Noto CJK: without it they would be measured as empty boxes.
WATTLET_TEST_PACKAGES=(
  libgtest-dev libbenchmark-dev ccache
  clang-format-19 clang-tidy dbus-daemon xvfb xauth x11-utils
  fonts-noto-core fonts-dejavu-core fonts-noto-cjk
  desktop-file-utils appstream man-db lintian
  polkitd pkexec inotify-tools mount passwd udev systemd
  upower power-profiles-daemon umockdev gir1.2-umockdev-1.0 python3-dbusmock
  at-spi2-core gir1.2-atspi-2.0 python3-pyatspi
)
# The real tray hosts of tests/hosts/run_hosts.sh (about 60 MB, a minute to install); their
# Wayland session also needs qt6-wayland, which the build packages bring. python3-dbusmock (a
# test package) and gdbus (libglib2.0-bin) play the notification server whose click opens the
# panel.
WATTLET_HOST_PACKAGES=(
  xfce4-panel lxqt-panel openbox trayer xdotool
  sway waybar grim jq xclip wl-clipboard wtype
  libglib2.0-bin
)
# The GNOME and Plasma sessions of the host check, on Wayland and X11, run by scripts/test only
# with WATTLET_WAYLAND_DESKTOPS=1: about 500 more packages (376 MB to download), some seven
# minutes to install on a fresh machine. plasma-desktop brings the shell's default panel (its
# kded comes with plasma-workspace), qtwayland5 the Wayland plugin of Plasma 5's Qt 5 programs.
WATTLET_WAYLAND_DESKTOP_PACKAGES=(
  gnome-shell gnome-shell-extension-appindicator xwayland
  kwin-wayland kwin-x11 plasma-workspace plasma-desktop qtwayland5
)

# wattlet_missing PACKAGE…: those of them not installed, one a line.
wattlet_missing() {
  local p
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep 'install ok installed' >/dev/null || echo "$p"
  done
}

# wattlet_ensure_packages PACKAGE…: installs what is missing when root, else says what to run.
# With WATTLET_ONLY_AVAILABLE=1, what this release lacks is named and left out: the checks that
# need it skip themselves.
wattlet_ensure_packages() {
  local missing=() have=() p
  mapfile -t missing < <(wattlet_missing "$@")
  [ ${#missing[@]} -eq 0 ] && return 0
  if [ "$(id -u)" -ne 0 ]; then
    echo "Missing Debian packages. Run:" >&2
    echo "  sudo apt-get install -y ${missing[*]}" >&2
    return 1
  fi
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  for p in "${missing[@]}"; do
    if [ "${WATTLET_ONLY_AVAILABLE:-}" != 1 ] || apt-cache policy "$p" 2>/dev/null | grep -q 'Candidate: [^(]'; then
      have+=("$p")
    else
      echo "Not in this release, its checks skip: $p"
    fi
  done
  [ ${#have[@]} -eq 0 ] && return 0
  echo "Installing: ${have[*]}"
  apt-get install -y -qq --no-install-recommends "${have[@]}" >/dev/null
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
