#!/usr/bin/env bash
# The installed `wattlet --charge-limit=…`, run by an unprivileged user through the real pkexec
# and polkitd to the installed helper, on fake ThinkPad, ASUS, IdeaPad and bare batteries: it
# exits 0 only when the files hold what it accepted; every refusal (polkit's, a malformed limit,
# a form the battery does not take, no limit at all) changes nothing. Usage: program_pkexec.sh STAGE
set -euo pipefail
source "$(dirname "$0")/fake_power_supply.sh"
polkit_needs
charge_limit_enter "$@"
polkit_start wattlet-polkit

# tree KIND: the batteries of one laptop, and nothing of the last one.
tree() {
  rm -rf /sys/devices/platform/fake /sys/class/power_supply/* /sys/bus /sys/devices/pci0000:00
  rm -f /var/lib/wattlet/charge-limit
  supply AC Mains online=1
  case $1 in
  thinkpad) supply BAT0 Battery charge_control_start_threshold=0 charge_control_end_threshold=100 ;;
  asus) supply BAT0 Battery charge_control_end_threshold=100 ;;
  bare) supply BAT0 Battery ;;
  ideapad) supply BAT0 Battery && conservation_switch ;;
  esac
}

# held: what the battery and the kept choice hold now.
held() {
  local file text=
  for file in /sys/class/power_supply/BAT0/charge_control_{start,end}_threshold \
    "$ideapad/conservation_mode"; do [ -e "$file" ] && text+="$(cat "$file") "; done
  echo "${text}[$(cat /var/lib/wattlet/charge-limit 2>/dev/null | tr '\n' ';')]"
}

failures=0
# limit STATUS HELD ARGUMENT: runs the program as the user; its exit status and what is held.
limit() {
  local status=0 output
  output=$(runuser -u "$user" -- env LANGUAGE=en /usr/local/bin/wattlet "--charge-limit=$3" \
    </dev/null 2>/tmp/stderr) || status=$?
  echo "$3: status $status, held $(held): $output$(grep wattlet: /tmp/stderr || true)"
  if [ "$status" != "$1" ] || [ "$(held)" != "$2" ]; then
    echo "FAIL: expected status $1, held $2"
    failures=$((failures + 1))
  fi
}

tree thinkpad
limit 1 "0 100 []" 75-80
polkit_grant
limit 0 "75 80 [BAT0 75 80;]" 75-80
limit 0 "80 85 [BAT0 80 85;]" 85
for refused in 80-75 80abc 101 "" on; do limit 2 "80 85 [BAT0 80 85;]" "$refused"; done
limit 0 "0 100 []" off

tree asus
limit 0 "80 [BAT0 80;]" 80
limit 2 "80 [BAT0 80;]" 75-80
limit 0 "100 []" off

tree ideapad
limit 0 "1 [BAT0 80;]" 80
limit 2 "1 [BAT0 80;]" 60-80
limit 0 "0 []" off

tree bare
limit 3 "[]" 80

echo "$failures failures"
[ "$failures" -eq 0 ]
