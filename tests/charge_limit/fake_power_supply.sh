# Sourced by the charge-limit tests: they run the installed helper at its own fixed paths, in a
# private mount namespace where a tmpfs stands in for /sys and /var/lib.
# shellcheck shell=bash

# charge_limit_enter STAGE [ARG…]: as root, runs the calling script again in new mount and PID
# namespaces (every process it starts ends with it) with STAGE/usr/local, an install of the build
# with that prefix, bound over /usr/local; elsewhere exits 77, which ctest reports as skipped.
charge_limit_enter() {
  if [ -z "${WATTLET_CHARGE_LIMIT_NAMESPACE:-}" ]; then
    [ "$(id -u)" -eq 0 ] || { echo "skipped: needs root"; exit 77; }
    unshare -m true 2>/dev/null || { echo "skipped: unshare -m is not allowed here"; exit 77; }
    WATTLET_CHARGE_LIMIT_NAMESPACE=1 exec unshare -m -p -f --kill-child --mount-proc \
      --propagation private bash "$0" "$@"
  fi
  mount --bind "$1/usr/local" /usr/local
  for dir in /sys /var/lib /tmp; do mount -t tmpfs -o mode=755 none "$dir"; done
  mkdir -p /sys/class/power_supply /sys/devices/platform
  prefix=/usr/local
  helper=$prefix/libexec/wattlet/wattlet-charge-limit
}

# supply NAME TYPE [FILE=VALUE…]: a power supply's folder, in /sys/devices unless supply_root
# says otherwise, and its class link.
supply() {
  local dir=${supply_root:-/sys/devices/platform/fake/power_supply}/$1 entry
  mkdir -p "$dir"
  echo "$2" >"$dir/type"
  for entry in "${@:3}"; do echo "${entry#*=}" >"$dir/${entry%%=*}"; done
  ln -s "$dir" "/sys/class/power_supply/$1"
}

# threshold NAME FILE: what the fake battery's threshold file holds.
threshold() { cat "/sys/class/power_supply/$1/charge_control_$2_threshold"; }
