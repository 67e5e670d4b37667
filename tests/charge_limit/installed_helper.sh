#!/usr/bin/env bash
# The installed charge-limit helper on fake ThinkPad, ASUS, IdeaPad and bare batteries: refusals
# change nothing; what it accepts is written once, in the order firmware takes; the unit brings
# the choice back after an unplug and a resume; no other user can stall it or choose what it
# applies. Usage: installed_helper.sh STAGE
set -euo pipefail
source "$(dirname "$0")/fake_power_supply.sh"
charge_limit_enter "$@"

supply AC Mains online=1
supply DOCK USB scope=Device online=0
supply BAT0 Battery charge_control_start_threshold=0 charge_control_end_threshold=100
supply BATT Battery charge_control_end_threshold=100
supply BATN Battery
supply hidpp_battery_0 Battery scope=Device charge_control_end_threshold=100
supply LINK Battery
ln -s /sys/class/power_supply/BAT0/charge_control_start_threshold \
  /sys/class/power_supply/LINK/charge_control_end_threshold
supply PIPE Battery
mkfifo /sys/class/power_supply/PIPE/charge_control_end_threshold
supply_root=/sys/elsewhere supply EVIL Battery charge_control_end_threshold=100
mkdir /var/lib/wattlet

events=/tmp/events
inotifywait -m -r -e close_write,delete,moved_to --format %f /sys /var/lib >"$events" 2>/tmp/watch &
until grep -q established /tmp/watch; do sleep 0.01; done

# changes: sets `changed` to the files changed (seen through inotify) since the last call, in
# order, named start/end/conservation/store. Plain bash: forks are what makes this test slow.
seen=0 marks=0
changes() {
  local mark=mark$((++marks)) lines=() line
  : >"/sys/$mark"
  until mapfile -t lines <"$events" && [ "${lines[*]: -1}" = "$mark" ]; do sleep 0.005; done
  changed=
  for line in "${lines[@]:seen}"; do
    case $line in
    charge_control_*_threshold) line=${line#charge_control_} && changed+=" ${line%_threshold}" ;;
    conservation_mode) changed+=" conservation" ;;
    charge-limit) changed+=" store" ;;
    esac
  done
  changed=${changed# }
  seen=${#lines[@]}
}

failures=0
fail() { echo "FAIL: $*" && failures=$((failures + 1)); }
# run STATUS OUTPUT CHANGES COMMAND…: the exit status, standard output and changed files.
run() {
  local want_status=$1 want_output=$2 want_changes=$3 output status=0
  shift 3
  output=$(timeout 30 "$@" 2>/tmp/stderr) || status=$?
  changes
  [ "$status|$output|$changed" = "$want_status|$want_output|$want_changes" ] \
    || fail "${*@Q}: status $status, output '$output', changed '$changed': $(cat /tmp/stderr)"
}
stored() {
  local text
  text=$(cat /var/lib/wattlet/charge-limit 2>/dev/null || echo absent)
  [ "$text" = "$1" ] || fail "stored '$text', expected '$1'"
}
# The unit's command as the unit runs it: without any capability.
read -ra unit < <(sed -n 's/^ExecStart=//p' "$prefix"/lib/systemd/system/wattlet-charge-limit*)
unit=(setpriv --no-new-privs --bounding-set=-all --inh-caps=-all "${unit[@]}")

for arguments in "frob BAT0" "set" "set BAT0 1 2 3" "restore now" "off" "set ../BAT0 80" \
  "set BAT0/.. 80" "set ABCDEFGHIJKLMNOPQ 80" "set BAT0 75 80abc" "set BAT0 -1 80" \
  "set BAT0 75 101" "set BAT0 0x50" "set BAT0 080" "set BAT0 80 80" "set BAT0 80 75" \
  "set BAT0 0" "set BAT0 0 1" "set BAT0 10 20" "set BATT 39" "set EVIL 80" "set LINK 80" \
  "lift LINK" "set PIPE 80" "set hidpp_battery_0 80" "set AC 80" "set BAT9 75 80"; do
  read -ra words <<<"$arguments"
  run 2 "" "" "$helper" "${words[@]}"
done
for value in "" " 80" "80 " "+80"; do run 2 "" "" "$helper" set BAT0 75 "$value"; done
run 2 "" "" "$helper" set "" 75 80
run 3 "" "" "$helper" set BATN 80
run 3 "" "" "$helper" set BATT 75 80
run 3 "" "" "$helper" set BAT0 80
stored absent

run 0 "BAT0 75 80" "start end store" "$helper" set BAT0 75 80
run 0 "BAT0 85 95" "end start store" "$helper" set BAT0 85 95
run 0 "BAT0 40 60" "start end store" "$helper" set BAT0 40 60
run 0 "BAT0 40 70" "end store" "$helper" set BAT0 40 70
run 0 "BAT0 40 70" "" "$helper" set BAT0 40 70
# The administrator's line: on standard error when that is the journal, naming pkexec's caller.
: >/tmp/stderr
JOURNAL_STREAM=$(stat -c %d:%i /tmp/stderr) PKEXEC_UID=1000 run 0 "BATT - 80" "end store" \
  "$helper" set BATT 80
grep -qx 'wattlet-charge-limit: set BATT 80 by uid 1000: exit 0' /tmp/stderr || fail "journal line"
run 0 "BAT0 0 100" "end start store" "$helper" lift BAT0
stored $'BAT0 40 70 lifted\nBATT 80'
# Resuming on the charger keeps the lift; unplugging ends it.
run 0 $'BAT0 0 100\nBATT - 80' "" "${unit[@]}"
echo 0 >/sys/class/power_supply/AC/online
changes
run 0 $'BAT0 40 70\nBATT - 80' "start end store" "${unit[@]}"
stored $'BAT0 40 70\nBATT 80'
# udev starts the unit when the computer's charger goes offline, not for a peripheral's (udevadm
# 252 lists "run: 'COMMAND'", 257 "RUN{program} : COMMAND").
if command -v udevadm >/dev/null; then
  for supply in AC:1 DOCK:0 BAT0:0; do
    runs=$(SYSTEMD_DEVICE_VERIFY_SYSFS=0 udevadm test --action=change \
      "/sys/class/power_supply/${supply%:*}" 2>/dev/null \
      | grep -cE "^(run: '|  RUN\{program\} : )/usr/bin/systemctl --no-block start wattlet-charge-limit" || :)
    [ "$runs" = "${supply#*:}" ] || fail "udev rule on ${supply%:*}: $runs runs"
  done
fi
# Firmware that forgot everything while asleep.
echo 0 >/sys/class/power_supply/BAT0/charge_control_start_threshold
echo 100 >/sys/class/power_supply/BAT0/charge_control_end_threshold
echo 100 >/sys/class/power_supply/BATT/charge_control_end_threshold
changes
run 0 $'BAT0 40 70\nBATT - 80' "start end end" "${unit[@]}"
run 0 "BATT - 100" "end store" "$helper" off BATT
run 0 "BAT0 0 100" "end start store" "$helper" off BAT0
stored absent

# A store that is malformed, or that another user owns or may write, is neither applied nor
# replaced. A choice kept from before the floor of 40 is skipped; the others are applied.
for store in "BAT0 75 80 :root:644" "BAT0 45 50:nobody:644" "BAT0 45 50:root:664" \
  "BAT0 45 50:root:606"; do
  IFS=: read -r text owner mode <<<"$store"
  printf '%s\n' "$text" >/var/lib/wattlet/charge-limit
  chown "$owner" /var/lib/wattlet/charge-limit && chmod "$mode" /var/lib/wattlet/charge-limit
  changes
  run 2 "" "" "$helper" set BAT0 75 80
  run 2 "" "" "${unit[@]}"
done
printf 'BAT0 10 20\nBATT 80\n' >/var/lib/wattlet/charge-limit
chmod 644 /var/lib/wattlet/charge-limit
changes
run 2 "BATT - 80" "end" "${unit[@]}"
run 0 "BATT - 100" "end store" "$helper" off BATT
stored "BAT0 10 20"

# Another user holding a lock on everything it can open stalls nothing.
runuser -u nobody -- bash -c 'for f in $(find /sys /var/lib /run -type d -o -type f); do
  exec {fd}<"$f" && flock -n "$fd"; done 2>/dev/null; echo held; sleep 60' >/tmp/held &
until [ -s /tmp/held ]; do sleep 0.01; done
run 0 "BAT0 45 50" "start end store" "$helper" set BAT0 45 50
run 0 "BAT0 45 50" "" "${unit[@]}"
# While UPower's own limit is on (upowerd writes its pair at its start), the kept one stands aside.
mkdir /var/lib/upower && echo 1 >/var/lib/upower/charging-threshold-status
echo 80 >/sys/class/power_supply/BAT0/charge_control_end_threshold
changes
run 0 "" "" "${unit[@]}"
# A state file another user could write does not.
chown nobody /var/lib/upower/charging-threshold-status
run 0 "BAT0 45 50" "end" "${unit[@]}"
rm -r /var/lib/upower && echo 50 >/sys/class/power_supply/BAT0/charge_control_end_threshold && changes
run 0 "BAT0 0 100" "end start store" "$helper" off BAT0
# Root's own lock, held by a stuck run, is given up on after 10 s, with nothing written.
flock /var/lib/wattlet/.lock -c ': >/tmp/busy && sleep 11' &
until [ -e /tmp/busy ]; do sleep 0.01; done
SECONDS=0
run 4 "" "" "$helper" set BAT0 45 50
[ "$SECONDS" -ge 9 ] || fail "busy after $SECONDS s"
wait $!
# Too few descriptors: the system's reason, not a malformed store.
for limit in 6 12 18; do
  run 4 "" "" bash -c 'ulimit -n "$1" && exec "$0" restore' "$helper" "$limit"
  grep -q 'Too many open files' /tmp/stderr || fail "ulimit -n $limit: $(cat /tmp/stderr)"
done
stored absent

# An IdeaPad: conservation mode lives on the ideapad_acpi platform device.
conservation_switch
changes
run 3 "" "" "$helper" set BATN 75 80
run 0 "BATN fixed on" "conservation store" "$helper" set BATN 60
run 0 "BATN fixed off" "conservation store" "$helper" off BATN
stored absent

# The boot unit as systemd reads it: its keys, its program, its manual page.
if command -v systemd-analyze >/dev/null; then
  systemd-analyze verify "$prefix/lib/systemd/system/wattlet-charge-limit.service" \
    || failures=$((failures + 1))
fi

echo "$failures failures"
[ "$failures" -eq 0 ]
