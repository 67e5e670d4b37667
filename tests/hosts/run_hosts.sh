#!/usr/bin/env bash
# Wattlet in real tray hosts, headless. For each host it starts the panel, then Wattlet on a
# made-up battery (85 %, charging), and checks:
#   icon       the item is registered with the host (D-Bus) and drawn in the bar (pixels);
#   percent    the bar looks different with "Percent in menu bar" on and off;
#   placement  a click on the icon opens the panel next to the icon and off the bar;
#   outside    a click on another window closes the panel;
#   menu       a right click opens the item's menu;
#   copy       its "Copy summary", activated as the host does, puts the summary on the
#              session's clipboard (xclip on X11, wl-paste on Wayland).
#
#   tests/hosts/run_hosts.sh [BUILD_DIR] [HOST…]    HOST: xfce lxqt sway fallback
#
# BUILD_DIR defaults to build/ci (WATTLET=PROGRAM runs another build of the program). Without
# HOST every host whose programs are installed runs.
# WATTLET_HOST_SHOTS=DIR keeps a picture of the bar with the open panel per host (docs/hosts).
# sway refuses to run as root; as root its host runs as the user "wattlet-hosts", created
# when missing. WATTLET_HOST_KEEP=1 keeps the screenshots and logs. Exit status 1 when any
# check fails.
set -uo pipefail
# With pipefail a reader that stops early (grep -q, head) fails the pipeline when the writer
# gets SIGPIPE: pipes here end in readers that read everything.

here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "${1:-build/ci}" && pwd) || exit 2
shift || true
hosts=("$@")
wattlet=${WATTLET:-$build/src/wattlet}
# The application id the build was made with: the panel window's app id and class.
app_id=$(sed -n 's/.*appId\[\] = "\(.*\)";/\1/p' "$build/generated/identity.h")
shot=$build/tests/hosts/wattlet_host_shot
pointer=$build/tests/hosts/wattlet_virtual_pointer
shots_dir=${WATTLET_HOST_SHOTS:-}
[ -n "$shots_dir" ] && shots_dir=$(mkdir -p "$shots_dir" && cd "$shots_dir" && pwd)
user="wattlet-hosts"
width=1280
height=720

work=$(mktemp -d /tmp/wattlet-hosts.XXXXXX)
chmod 755 "$work"
pids=()
failed=0
table=()

# kill_session [SIGNAL]: the session's programs, the last started first.
kill_session() {
  local i
  for ((i = ${#pids[@]} - 1; i >= 0; i--)); do kill "$@" "${pids[i]}" 2>/dev/null; done
}

cleanup() {
  kill_session
  sleep 0.5
  kill_session -9
  unmount_portal_documents
  if [ -n "${WATTLET_HOST_KEEP:-}" ]; then say "kept: $work"; else rm -rf "$work"; fi
}

# The document portal a session's desktop portal starts mounts itself in the session's runtime
# folder and may outlive the session's bus.
unmount_portal_documents() {
  local mount
  while read -r mount; do
    fusermount -u -z "$mount" 2>/dev/null || umount -l "$mount" 2>/dev/null
  done < <(awk -v work="$work/" 'index($2, work) == 1 {print $2}' /proc/mounts)
}
trap cleanup EXIT

say() { printf '%s\n' "$*" >&2; }
have() { command -v "$1" >/dev/null 2>&1; }

# wait_for SECONDS COMMAND…: until the command succeeds.
wait_for() {
  local until=$((SECONDS + $1))
  shift
  until "$@" 2>/dev/null; do
    [ $SECONDS -ge $until ] && return 1
    sleep 0.2
  done
}

# The battery Wattlet reads instead of the machine's.
mkdir -p "$work/battery/BAT0" "$work/battery/AC"
printf Battery >"$work/battery/BAT0/type"
printf 85 >"$work/battery/BAT0/capacity"
printf Charging >"$work/battery/BAT0/status"
printf 1 >"$work/battery/BAT0/present"
printf Mains >"$work/battery/AC/type"
printf 1 >"$work/battery/AC/online"
chmod -R a+rX "$work/battery"

# --- one host's session -----------------------------------------------------------------------
# A host runs its commands through "run" (as this user or as the sway user), with the session's
# environment in $dir/env.

run_here() {
  local environment
  mapfile -t environment <"$dir/env"
  env "${environment[@]}" "$@"
}
run() { run_here "$@"; }
# spawn COMMAND…: in the background, with $! its own pid.
spawn() {
  local environment
  mapfile -t environment <"$dir/env"
  env "${environment[@]}" "$@" &
  pids+=($!)
}

# The session's own home, data and the made-up battery, a NAME=VALUE line each.
session_env() {
  cat <<EOF
HOME=$dir/home
XDG_CONFIG_HOME=$dir/home/.config
XDG_DATA_HOME=$dir/home/.local/share
XDG_CACHE_HOME=$dir/home/.cache
DBUS_SYSTEM_BUS_ADDRESS=unix:path=$dir/no-system-bus
WATTLET_POWER_SUPPLY_DIR=$work/battery
EOF
}

# A box "x y w h"; none when empty.
box_x() { echo "$1" | cut -d' ' -f1; }
box_y() { echo "$1" | cut -d' ' -f2; }
box_w() { echo "$1" | cut -d' ' -f3; }
box_h() { echo "$1" | cut -d' ' -f4; }

registered_items() {
  run dbus-send --session --print-reply --dest=org.kde.StatusNotifierWatcher \
    /StatusNotifierWatcher org.freedesktop.DBus.Properties.Get \
    string:org.kde.StatusNotifierWatcher string:RegisteredStatusNotifierItems
}
item_registered() { registered_items | grep "StatusNotifierItem-$(cat "$dir/wattlet.pid")-" >/dev/null; }
# The host has dropped the item of a copy that quit (the only item in these sessions).
item_unregistered() { ! registered_items | grep "StatusNotifierItem-" >/dev/null; }

# start_wattlet on|off: with the percentage in the bar or without.
start_wattlet() {
  mkdir -p "$dir/home/.config/Wattlet"
  if [ "$1" = off ]; then
    printf '[General]\nshowPercent=false\n' >"$dir/home/.config/Wattlet/Wattlet.conf"
  else
    rm -f "$dir/home/.config/Wattlet/Wattlet.conf"
  fi
  [ "$session_user" != "$(id -un)" ] && chown -R "$session_user" "$dir/home"
  run sh -c 'echo $$ >"$0/wattlet.pid"; exec "$1" >>"$0/wattlet.log" 2>&1' "$dir" "$wattlet" &
  pids+=($!)
  wait_for 5 test -s "$dir/wattlet.pid"
  if [ "$tray" = sni ]; then
    wait_for 15 item_registered || { say "  the item did not register"; return 1; }
  fi
  sleep 2
}

stop_wattlet() {
  kill "$(cat "$dir/wattlet.pid")" 2>/dev/null
  wait_for 10 sh -c "! kill -0 $(cat "$dir/wattlet.pid")"
  rm -f "$dir/wattlet.pid"
  [ "$tray" = sni ] && wait_for 10 item_unregistered
  sleep 1
}

# The program's X11 windows, a line each from the window tree (id first).
app_windows() { run xwininfo -root -tree | grep -F "\"$app_id\")"; }

# Where the panel is, "x y w h", from the window system; nothing while it is closed.
panel_box() {
  if [ "$platform" = wayland ]; then
    run swaymsg -t get_tree | jq -r --arg id "$app_id" '.. | objects | select(.app_id? == $id)
      | select(.visible) | "\(.rect.x) \(.rect.y) \(.rect.width) \(.rect.height)"' | sed -n 1p
    return
  fi
  local id info
  for id in $(app_windows | awk '{print $1}'); do
    info=$(run xwininfo -id "$id")
    grep -q IsViewable <<<"$info" || continue
    # The fallback tray icon is a window of the program too, a small one.
    echo "$info" | awk '/Absolute upper-left X/ {x=$NF} /Absolute upper-left Y/ {y=$NF}
      /Width:/ {w=$NF} /Height:/ {h=$NF} END {if (w > 100) print x, y, w, h}' | grep . && return
  done
}

panel_open() { [ -n "$(panel_box)" ]; }
panel_closed() { [ -z "$(panel_box)" ]; }

watcher_up() {
  run dbus-send --session --print-reply --dest=org.freedesktop.DBus / \
    org.freedesktop.DBus.NameHasOwner string:org.kde.StatusNotifierWatcher | grep true >/dev/null
}

# check NAME RESULT DETAIL: one cell of the host's row; a failure fails the run.
check() {
  if [ "$2" = ok ]; then
    row+=("✔ $3")
  else
    row+=("✘ $3")
    failed=1
  fi
  say "  $1: $2 ($3)"
}

# The checks, the same for every host once it runs. Needs: grab, click X Y BUTTON, key_escape,
# bar "x y w h" (the band the bar takes), other_window X Y (a point on another window).
check_host() {
  local icon percent cx cy panel menu label
  row=()
  grab "$dir/base.png"
  start_wattlet off || { check icon fail "not registered"; return; }
  grab "$dir/off.png"
  stop_wattlet
  start_wattlet on || { check icon fail "not registered"; return; }
  grab "$dir/on.png"

  icon=$("$shot" diff "$dir/base.png" "$dir/on.png")
  if [ "$icon" = none ] || [ -z "$icon" ]; then
    check icon fail "nothing drawn"
    return
  fi
  cx=$(($(box_x "$icon") + $(box_w "$icon") / 2))
  cy=$(($(box_y "$icon") + $(box_h "$icon") / 2))
  if inside_bar "$cx" "$cy"; then
    check icon ok "$(box_w "$icon")×$(box_h "$icon") px at $cx,$cy"
  else
    check icon fail "drawn outside the bar at $cx,$cy"
  fi

  percent=$("$shot" diff "$dir/off.png" "$dir/on.png")
  label=""
  if [ "$tray" = sni ]; then
    label=$(run dbus-send --session --print-reply \
      --dest="$(item_service)" /StatusNotifierItem \
      org.freedesktop.DBus.Properties.Get string:org.kde.StatusNotifierItem \
      string:XAyatanaLabel | sed -n 's/.*string "\(.*\)"/\1/p')
  fi
  if [ "$percent" != none ] && [ -n "$percent" ]; then
    check percent ok "the bar changes with it (label \"$label\")"
  else
    check percent fail "the bar is the same without it (label \"$label\")"
  fi

  click "$cx" "$cy" 1
  wait_for 10 panel_open
  sleep 0.5
  panel=$(panel_box)
  grab "$dir/panel.png"
  if [ -z "$panel" ]; then
    check placement fail "no panel after a click"
    explain_missing_panel
  else
    placement_verdict "$panel" "$cx" "$cy"
    keep_shot "$panel"
    other_window_click
    if wait_for 3 panel_closed; then
      check outside ok "closed"
    else
      check outside fail "still open"
      key_escape
    fi
  fi

  sleep 1
  grab "$dir/before-menu.png"
  click "$cx" "$cy" 3
  sleep 2
  grab "$dir/menu.png"
  menu=$("$shot" diff "$dir/before-menu.png" "$dir/menu.png")
  # The menu reaches out of the bar; hovering the icon alone changes only the bar.
  if [ "$menu" != none ] && [ -n "$menu" ] &&
    { [ "$(box_y "$menu")" -lt $((bar[1] - 10)) ] ||
      [ $(($(box_y "$menu") + $(box_h "$menu"))) -gt $((bar[1] + bar[3] + 10)) ]; }; then
    check menu ok "$(box_w "$menu")×$(box_h "$menu") px"
  else
    check menu fail "nothing opened"
  fi
  key_escape
  sleep 0.5
  check_copy
  stop_wattlet
}

# After a click showed no panel: what the screen and the window system show, and the program's
# log, so that a failure far away can be told apart from a slow one.
explain_missing_panel() {
  say "    screen changed by the click: $("$shot" diff "$dir/on.png" "$dir/panel.png")"
  if [ "$platform" = wayland ]; then
    say "    windows: $(run swaymsg -t get_tree | jq -c '[.. | objects | select(.app_id?) |
      {app_id, visible, rect}]')"
  else
    say "    windows: $(app_windows | tr -s ' ' | sed -n 1,5p)"
  fi
  say "    log: $(tail -n5 "$dir/wattlet.log" 2>/dev/null)"
  sleep 3
  say "    3 s later: $(panel_box)"
}

# The id of the menu item with the given label, from the item's dbusmenu layout.
menu_item_id() {
  run dbus-send --session --print-reply --dest="$(item_service)" /MenuBar \
    com.canonical.dbusmenu.GetLayout int32:0 int32:-1 array:string: |
    awk -v label="$1" '/int32/ {id = $2} !found && index($0, "\"" label "\"") {print id; found = 1}'
}
# The item's bus name (StatusNotifierItem hosts).
item_service() { echo "org.kde.StatusNotifierItem-$(cat "$dir/wattlet.pid")-1"; }

clipboard() {
  if [ "$platform" = wayland ]; then run wl-paste -n; else run xclip -selection clipboard -o; fi
}

# "Copy summary" as a host activates it: a dbusmenu click event on the item (the fallback
# tray's menu is the program's own: its shortcut, Ctrl+C, while it is open).
check_copy() {
  local id text
  if [ "$tray" = sni ]; then
    id=$(menu_item_id "Copy summary")
    [ -n "$id" ] || { check copy fail "no such item"; return; }
    run dbus-send --session --print-reply --dest="$(item_service)" /MenuBar \
      com.canonical.dbusmenu.Event int32:"$id" string:clicked variant:int32:0 uint32:0 >/dev/null
  else
    click "$cx" "$cy" 3
    sleep 1
    run xdotool key ctrl+c
  fi
  sleep 1
  text=$(clipboard 2>/dev/null | sed -n 1p)
  if [ "${text#*85}" != "$text" ]; then
    check copy ok "\"$text\""
  else
    check copy fail "clipboard: \"$text\""
  fi
}

# inside_bar X Y
inside_bar() {
  local bx=${bar[0]} by=${bar[1]} bw=${bar[2]} bh=${bar[3]}
  [ "$1" -ge "$bx" ] && [ "$1" -lt $((bx + bw)) ] && [ "$2" -ge "$by" ] && [ "$2" -lt $((by + bh)) ]
}

# placement_verdict "x y w h" CX CY: off the bar, and beside the icon along it.
placement_verdict() {
  local x y w h by bh near
  read -r x y w h <<<"$1"
  by=${bar[1]}
  bh=${bar[3]}
  if [ $((y + h)) -gt "$by" ] && [ "$y" -lt $((by + bh)) ]; then
    check placement fail "panel at $x,$y over the bar"
    return
  fi
  # Beside the bar (within 40 px of it) and reaching the icon's column (within 40 px).
  near=1
  [ "$y" -ge $((by + bh)) ] && [ $((y - by - bh)) -gt 40 ] && near=0
  [ $((y + h)) -le "$by" ] && [ $((by - y - h)) -gt 40 ] && near=0
  [ "$2" -lt $((x - 40)) ] || [ "$2" -gt $((x + w + 40)) ] && near=0
  if [ $near = 1 ]; then
    check placement ok "panel at $x,$y, ${w}×${h}"
  else
    check placement fail "panel at $x,$y, far from the icon at $2,$3"
  fi
}

# keep_shot "x y w h": the bar and the open panel, for the README.
keep_shot() {
  [ -n "$shots_dir" ] || return 0
  local x y w h left top right bottom
  read -r x y w h <<<"$1"
  left=$((x - 24))
  right=$((x + w + 24))
  [ $((cx - 60)) -lt $left ] && left=$((cx - 60))
  [ $((cx + 60)) -gt $right ] && right=$((cx + 60))
  top=$((y - 24))
  bottom=$((y + h + 24))
  [ "${bar[1]}" -lt "$top" ] && top=${bar[1]}
  [ $((bar[1] + bar[3])) -gt $bottom ] && bottom=$((bar[1] + bar[3]))
  [ $left -lt 0 ] && left=0
  [ $top -lt 0 ] && top=0
  "$shot" crop "$dir/panel.png" $left $top $((right - left)) $((bottom - top)) \
    "$shots_dir/$host.png"
}

# --- X11 hosts on Xvfb ---------------------------------------------------------------------------

start_x11() {
  local n=40
  while [ -e /tmp/.X11-unix/X$n ] || [ -e /tmp/.X$n-lock ]; do n=$((n + 1)); done
  Xvfb :$n -screen 0 ${width}x${height}x24 -nolisten tcp >"$dir/xvfb.log" 2>&1 &
  pids+=($!)
  wait_for 10 test -e /tmp/.X11-unix/X$n || return 1
  mkdir -p "$dir/home" "$dir/runtime"
  chmod 700 "$dir/runtime"
  {
    echo "DISPLAY=:$n"
    echo "XDG_RUNTIME_DIR=$dir/runtime"
    session_env
  } >"$dir/env"
  # Services the bus starts (xfconfd) see the session's home, not the machine's.
  spawn dbus-daemon --session --nofork --print-address=3 3>"$dir/bus" >"$dir/bus.log" 2>&1
  bus_pid=$!
  wait_for 5 test -s "$dir/bus" || return 1
  echo "DBUS_SESSION_BUS_ADDRESS=$(head -n1 "$dir/bus")" >>"$dir/env"
  platform=xcb
  session_user=$(id -un)
  # Window manager: the work area then leaves the bars out, as on a desktop.
  spawn openbox >"$dir/openbox.log" 2>&1
  sleep 1
}

grab_x11() { run env QT_QPA_PLATFORM=xcb "$shot" grab "$1"; }
click_x11() { run xdotool mousemove "$1" "$2" click "$3"; sleep 0.3; run xdotool mousemove 640 500; }
escape_x11() { run xdotool key Escape; }

x11_host() {
  grab() { grab_x11 "$@"; }
  click() { click_x11 "$@"; }
  key_escape() { escape_x11; }
  other_window_click() { run xdotool mousemove 640 400 click 1; }
}

# x11_panel CONFIG DESTINATION PROGRAM: a StatusNotifierItem host on Xvfb with its configuration.
x11_panel() {
  start_x11 || return 1
  mkdir -p "$(dirname "$dir/home/.config/$2")"
  cp "$here/$1" "$dir/home/.config/$2"
  spawn "$3" >"$dir/panel.log" 2>&1
  tray=sni
  x11_host
  wait_for 20 watcher_up || return 1
  sleep 2
  check_host
}

host_xfce() {
  bar=(0 0 "$width" 30)
  x11_panel xfce4-panel.xml xfce4/xfconf/xfce-perchannel-xml/xfce4-panel.xml xfce4-panel
}

host_lxqt() {
  bar=(0 $((height - 32)) "$width" 32)
  x11_panel lxqt-panel.conf lxqt/panel.conf lxqt-panel
}

host_fallback() {
  start_x11 || return 1
  # An XEmbed tray and no StatusNotifierWatcher: the QSystemTrayIcon fallback.
  spawn trayer --edge top --align right --widthtype request --height 30 --SetDockType true \
    --SetPartialStrut true >"$dir/panel.log" 2>&1
  tray=xembed
  bar=(0 0 "$width" 30)
  x11_host
  sleep 3
  check_host
}

# --- sway + waybar --------------------------------------------------------------------------------

host_sway() {
  session_user=$(id -un)
  if [ "$(id -u)" = 0 ]; then
    id "$user" >/dev/null 2>&1 || useradd --system --no-create-home --shell /usr/sbin/nologin "$user"
    session_user=$user
  fi
  mkdir -p "$dir/home" "$dir/runtime"
  chmod 700 "$dir/runtime"
  cat >"$dir/sway.conf" <<EOF
output HEADLESS-1 resolution ${width}x${height} scale 1
xwayland disable
exec env >"$dir/sway-env"
exec waybar -c "$here/waybar.json" >"$dir/waybar.log" 2>&1
# The README's rule: the panel at the pointer, below a 30 px bar.
for_window [app_id="$app_id"] floating enable, move position cursor, move down 34 px
EOF
  chown -R "$session_user" "$dir"
  runuser -u "$session_user" -- env -i PATH="$PATH" HOME="$dir/home" XDG_RUNTIME_DIR="$dir/runtime" \
    WLR_BACKENDS=headless WLR_LIBINPUT_NO_DEVICES=1 WLR_RENDERER=pixman \
    dbus-run-session -- sh -c 'echo $$ >"$0/sway.pid"; exec sway -c "$0/sway.conf"' "$dir" \
    >"$dir/sway.log" 2>&1 &
  pids+=($!)
  wait_for 15 test -s "$dir/sway-env" || { say "  sway did not start"; return 1; }
  sleep 0.5
  {
    grep -E '^(WAYLAND_DISPLAY|DISPLAY|DBUS_SESSION_BUS_ADDRESS|SWAYSOCK|XDG_RUNTIME_DIR|PATH)=' \
      "$dir/sway-env"
    session_env
  } >"$dir/env.user"
  mv "$dir/env.user" "$dir/env"
  run() {
    local environment
    mapfile -t environment <"$dir/env"
    runuser -u "$session_user" -- env "${environment[@]}" "$@"
  }
  platform=wayland
  tray=sni
  bar=(0 0 "$width" 30)
  # The pointer stays where it clicked until the next picture: the window rule puts the panel
  # where the pointer is when it opens.
  grab() {
    run swaymsg -q seat seat0 cursor set $((width - 1)) $((height - 1))
    run grim "$1"
  }
  click() {
    run swaymsg -q seat seat0 cursor set "$1" "$2"
    run swaymsg -q seat seat0 cursor press "button$3"
    run swaymsg -q seat seat0 cursor release "button$3"
  }
  # Escape goes to the focused window; a click elsewhere closes a menu as well.
  key_escape() { click 10 $((height - 10)) 1; }
  # Another window fills the workspace below the bar; a click there takes the focus.
  other_window_click() { click 200 400 1; }
  run "$pointer" >"$dir/pointer.log" 2>&1 &
  pids+=($!)
  wait_for 5 grep -q ready "$dir/pointer.log" || { say "  no virtual pointer"; return 1; }
  wait_for 20 watcher_up || { say "  waybar has no tray"; return 1; }
  run env QT_QPA_PLATFORM=wayland "$shot" window >"$dir/window.log" 2>&1 &
  pids+=($!)
  sleep 2
  check_host
  run swaymsg -q exit 2>/dev/null
  return 0
}

# --- main -----------------------------------------------------------------------------------------

host_programs() {
  case $1 in
    xfce) echo "xfce4-panel openbox Xvfb xdotool xwininfo xclip" ;;
    lxqt) echo "lxqt-panel openbox Xvfb xdotool xwininfo xclip" ;;
    sway) echo "sway waybar grim swaymsg jq runuser wl-paste" ;;
    fallback) echo "trayer openbox Xvfb xdotool xwininfo xclip" ;;
  esac
}

all=(xfce lxqt sway fallback)
[ ${#hosts[@]} -eq 0 ] && hosts=("${all[@]}")
for host in "${hosts[@]}"; do
  missing=()
  for program in $(host_programs "$host") dbus-daemon dbus-send; do
    have "$program" || missing+=("$program")
  done
  [ "$host" = sway ] && [ ! -x "$pointer" ] && missing+=("wattlet_virtual_pointer (not built)")
  if [ ${#missing[@]} -gt 0 ]; then
    say "$host: skipped, missing ${missing[*]}"
    continue
  fi
  say "$host:"
  dir=$work/$host
  mkdir -p "$dir"
  run() { run_here "$@"; }
  row=()
  start=$SECONDS
  if ! "host_$host"; then
    say "  the host did not start (logs: $dir)"
    failed=1
    row=("✘ did not start")
  fi
  table+=("| $host | $(IFS='|'; echo "${row[*]}" | sed 's/|/ | /g') | $((SECONDS - start)) s |")
  # What the bus started for the host (xfconfd, the accessibility bus) goes with it.
  [ -n "${bus_pid:-}" ] && ps -o pid= --ppid "$bus_pid" | xargs -r kill 2>/dev/null
  kill_session
  wait 2>/dev/null
  unmount_portal_documents
  pids=()
  bus_pid=
done

say ""
say "| host | icon | percent | placement | outside click | menu | copy | time |"
say "|---|---|---|---|---|---|---|---|"
for line in "${table[@]}"; do say "$line"; done
exit $failed
