#!/usr/bin/env bash
# The installed charge-limit helper on fake ThinkPad, ASUS, IdeaPad and bare batteries: refusals
# change nothing; what it accepts is written once, in the order firmware takes; restore brings the
# choice back after an unplug and a resume. Usage: installed_helper.sh STAGE
set -euo pipefail
source "$(dirname "$0")/fake_power_supply.sh"
charge_limit_enter "$@"

supply AC Mains online=1
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
# run STATUS OUTPUT CHANGES COMMAND…: the exit status, standard output and changed files.
run() {
  local want_status=$1 want_output=$2 want_changes=$3 output status=0
  shift 3
  output=$("$@" 2>/tmp/stderr) || status=$?
  changes
  if [ "$status" != "$want_status" ] || [ "$output" != "$want_output" ] \
    || [ "$changed" != "$want_changes" ]; then
    echo "FAIL: ${*@Q}: status $status, output '$output', changed '$changed'; stderr: $(cat /tmp/stderr)"
    failures=$((failures + 1))
  fi
}
stored() {
  local text
  text=$(cat /var/lib/wattlet/charge-limit 2>/dev/null || echo absent)
  [ "$text" = "$1" ] || { echo "FAIL: stored '$text', expected '$1'"; failures=$((failures + 1)); }
}

for arguments in "frob BAT0" "set" "set BAT0 1 2 3" "restore now" "off" "set ../BAT0 80" \
  "set BAT0/.. 80" "set ABCDEFGHIJKLMNOPQ 80" "set BAT0 75 80abc" "set BAT0 -1 80" \
  "set BAT0 75 101" "set BAT0 0x50" "set BAT0 080" "set BAT0 80 80" "set BAT0 80 75" \
  "set BAT0 0" "set EVIL 80" "set LINK 80" "lift LINK" "set PIPE 80" "set hidpp_battery_0 80" \
  "set AC 80" "set BAT9 75 80"; do
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
run 0 "BATT - 80" "end store" "$helper" set BATT 80
run 0 "BAT0 0 100" "end start store" "$helper" lift BAT0
stored $'BAT0 40 70 lifted\nBATT 80'
# Resuming on the charger keeps the lift; unplugging ends it, through the installed udev rule.
run 0 $'BAT0 0 100\nBATT - 80' "" "$prefix/lib/systemd/system-sleep/wattlet-charge-limit" post suspend
echo 0 >/sys/class/power_supply/AC/online
read -ra rule_command < <(grep -o 'RUN+="[^"]*"' "$prefix"/lib/udev/rules.d/*wattlet* | cut -d'"' -f2)
changes
run 0 $'BAT0 40 70\nBATT - 80' "start end store" "${rule_command[@]}"
stored $'BAT0 40 70\nBATT 80'
# Firmware that forgot everything while asleep.
echo 0 >/sys/class/power_supply/BAT0/charge_control_start_threshold
echo 100 >/sys/class/power_supply/BAT0/charge_control_end_threshold
echo 100 >/sys/class/power_supply/BATT/charge_control_end_threshold
changes
run 0 "" "" "$prefix/lib/systemd/system-sleep/wattlet-charge-limit" pre suspend
run 0 $'BAT0 40 70\nBATT - 80' "start end end" "$prefix/lib/systemd/system-sleep/wattlet-charge-limit" post suspend
run 0 "BATT - 100" "end store" "$helper" off BATT
run 0 "BAT0 0 100" "end start store" "$helper" off BAT0
stored absent

printf 'BAT0 75 80 \n' >/var/lib/wattlet/charge-limit
changes
run 2 "" "" "$helper" set BAT0 75 80
run 2 "" "" "$helper" restore
rm /var/lib/wattlet/charge-limit

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
