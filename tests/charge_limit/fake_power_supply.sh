# Sourced by the charge-limit tests: they run the installed helper at its own fixed paths, in a
# private mount namespace where a tmpfs stands in for /sys, /var/lib and /run.
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
  for dir in /sys /var/lib /run /tmp; do mount -t tmpfs -o mode=755 none "$dir"; done
  mkdir -p /sys/class/power_supply /sys/devices/platform
  prefix=/usr/local
  helper=$prefix/libexec/wattlet/wattlet-charge-limit
}

# supply NAME TYPE [FILE=VALUE…]: a power supply's folder, in /sys/devices unless supply_root
# says otherwise, with its uevent as udev reads it, and its class link.
supply() {
  local dir=${supply_root:-/sys/devices/platform/fake/power_supply}/$1 entry file
  mkdir -p "$dir"
  echo "$2" >"$dir/type"
  echo "POWER_SUPPLY_NAME=$1" >"$dir/uevent"
  for entry in "${@:3}"; do
    file=${entry%%=*}
    echo "${entry#*=}" >"$dir/$file"
    echo "POWER_SUPPLY_${file^^}=${entry#*=}" >>"$dir/uevent"
  done
  ln -s /sys/class/power_supply "$dir/subsystem"
  ln -s "$dir" "/sys/class/power_supply/$1"
}

# conservation_switch: an IdeaPad's conservation mode, off, on the ideapad_acpi platform device.
ideapad=/sys/devices/pci0000:00/PNP0C09:00/VPC2004:00
conservation_switch() {
  mkdir -p "$ideapad" /sys/bus/platform/drivers/ideapad_acpi
  echo 0 >"$ideapad/conservation_mode"
  ln -s "$ideapad" /sys/bus/platform/drivers/ideapad_acpi/
}

# polkit_needs: outside the namespace, skips (77) unless pkexec, polkitd and the bus tools exist.
polkit_needs() {
  local program
  for program in pkexec dbus-daemon dbus-send runuser /usr/lib/polkit-1/polkitd; do
    command -v "$program" >/dev/null || { echo "skipped: $program is not installed"; exit 77; }
  done
}

# polkit_start USER: inside the namespace, a system bus of the test's own with polkitd on it, the
# installed polkit action, and the unprivileged USER. Setuid pkexec ignores the bus variables, so
# the bus socket, the actions and the rules are replaced in the namespace.
polkit_start() {
  user=$1
  # polkitd would follow this elsewhere; setuid pkexec ignores it.
  unset DBUS_SYSTEM_BUS_ADDRESS
  id "$user" >/dev/null 2>&1 || useradd --system --no-create-home --shell /usr/sbin/nologin "$user"
  # /run is the namespace's own tmpfs: /run/dbus need not exist outside.
  mkdir /run/dbus
  local dir
  for dir in /usr/share/polkit-1/actions /usr/share/polkit-1/rules.d /etc/polkit-1/rules.d; do
    mount -t tmpfs -o mode=755 none "$dir"
  done
  cp "$prefix"/share/polkit-1/actions/*.policy /usr/share/polkit-1/actions/
  cat >/tmp/bus.conf <<'CONF'
<busconfig>
  <type>system</type>
  <listen>unix:path=/run/dbus/system_bus_socket</listen>
  <auth>EXTERNAL</auth>
  <policy context="default">
    <allow user="*"/> <allow own="*"/> <allow send_destination="*"/> <allow receive_sender="*"/>
  </policy>
</busconfig>
CONF
  dbus-daemon --config-file=/tmp/bus.conf --fork
  polkitd=
  polkit_restart
}

# polkit_restart: (re)starts polkitd, which reads the rules as it starts.
polkit_restart() {
  [ -z "$polkitd" ] || { kill "$polkitd" && wait "$polkitd" || true; }
  /usr/lib/polkit-1/polkitd --no-debug >>/tmp/polkitd.log 2>&1 &
  polkitd=$!
  until dbus-send --system --print-reply --dest=org.freedesktop.DBus / \
    org.freedesktop.DBus.NameHasOwner string:org.freedesktop.PolicyKit1 2>/dev/null \
    | grep -q 'boolean true'; do sleep 0.02; done
}

# polkit_grant: a rules.d rule granting the charge-limit action to the user.
polkit_grant() {
  cat >/etc/polkit-1/rules.d/50-wattlet-test.rules <<RULE
polkit.addRule(function(action, subject) {
  if (action.id == "dev.morvane.Wattlet.set-charge-limit" && subject.user == "$user")
    return polkit.Result.YES;
});
RULE
  polkit_restart
}
