#!/usr/bin/env bash
# The installed helper through the real pkexec and polkitd, on a system bus of the test's own:
# an unprivileged user is refused and changes nothing; with a rules.d rule granting the action to
# that user, the fake threshold changes.
# Usage: polkit_pkexec.sh STAGE
set -euo pipefail
source "$(dirname "$0")/fake_power_supply.sh"
polkit_needs
charge_limit_enter "$@"
supply BAT0 Battery charge_control_start_threshold=0 charge_control_end_threshold=100
polkit_start wattlet-polkit

# As the user, from a shell of theirs: pkexec asks polkit about its parent process.
as_user() { runuser -u "$user" -- sh -c "pkexec $helper set BAT0 75 80; exit \$?" </dev/null 2>&1; }

failures=0
expect() {
  [ "$2" = "$3" ] || { echo "FAIL: $1: '$2', expected '$3'"; failures=$((failures + 1)); }
}

status=0 && output=$(as_user) || status=$?
expect "refused exit status" "$status" 127
expect "thresholds after the refusal" "$(threshold BAT0 start) $(threshold BAT0 end)" "0 100"
expect "kept choice after the refusal" "$(ls /var/lib)" ""

polkit_grant
status=0 && output=$(as_user) || status=$?
expect "granted exit status" "$status" 0
expect "granted output" "$output" "BAT0 75 80"
expect "thresholds after the grant" "$(threshold BAT0 start) $(threshold BAT0 end)" "75 80"
expect "kept choice" "$(cat /var/lib/wattlet/charge-limit)" "BAT0 75 80"

echo "$failures failures"
[ "$failures" -eq 0 ]
