#!/usr/bin/env bash
# The installed helper through the real pkexec and polkitd, on a system bus of the test's own:
# an unprivileged user is refused and changes nothing; with a rules.d rule granting the action to
# that user, the fake threshold changes. pkexec is setuid and ignores the bus variables, so the
# bus socket, the actions and the rules are replaced in the private mount namespace.
# Usage: polkit_pkexec.sh STAGE
set -euo pipefail
source "$(dirname "$0")/fake_power_supply.sh"
for program in pkexec dbus-daemon dbus-send runuser /usr/lib/polkit-1/polkitd; do
  command -v "$program" >/dev/null || { echo "skipped: $program is not installed"; exit 77; }
done
charge_limit_enter "$@"
# polkitd would follow this elsewhere; setuid pkexec ignores it.
unset DBUS_SYSTEM_BUS_ADDRESS

user=wattlet-polkit
id "$user" >/dev/null 2>&1 || useradd --system --no-create-home --shell /usr/sbin/nologin "$user"
supply BAT0 Battery charge_control_start_threshold=0 charge_control_end_threshold=100
for dir in /run/dbus /usr/share/polkit-1/actions /usr/share/polkit-1/rules.d /etc/polkit-1/rules.d; do
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
start_polkitd() {
  [ -z "$polkitd" ] || { kill "$polkitd" && wait "$polkitd" || true; }
  /usr/lib/polkit-1/polkitd --no-debug >>/tmp/polkitd.log 2>&1 &
  polkitd=$!
  until dbus-send --system --print-reply --dest=org.freedesktop.DBus / \
    org.freedesktop.DBus.NameHasOwner string:org.freedesktop.PolicyKit1 2>/dev/null \
    | grep -q 'boolean true'; do sleep 0.02; done
}
# As the user, from a shell of theirs: pkexec asks polkit about its parent process.
as_user() { runuser -u "$user" -- sh -c "pkexec $helper set BAT0 75 80; exit \$?" </dev/null 2>&1; }

failures=0
expect() {
  [ "$2" = "$3" ] || { echo "FAIL: $1: '$2', expected '$3'"; failures=$((failures + 1)); }
}

start_polkitd
status=0 && output=$(as_user) || status=$?
expect "refused exit status" "$status" 127
expect "thresholds after the refusal" "$(threshold BAT0 start) $(threshold BAT0 end)" "0 100"
expect "kept choice after the refusal" "$(ls /var/lib)" ""

cat >/etc/polkit-1/rules.d/50-wattlet-test.rules <<RULE
polkit.addRule(function(action, subject) {
  if (action.id == "dev.morvane.Wattlet.set-charge-limit" && subject.user == "$user")
    return polkit.Result.YES;
});
RULE
start_polkitd
status=0 && output=$(as_user) || status=$?
expect "granted exit status" "$status" 0
expect "granted output" "$output" "BAT0 75 80"
expect "thresholds after the grant" "$(threshold BAT0 start) $(threshold BAT0 end)" "75 80"
expect "kept choice" "$(cat /var/lib/wattlet/charge-limit)" "BAT0 75 80"

echo "$failures failures"
[ "$failures" -eq 0 ]
