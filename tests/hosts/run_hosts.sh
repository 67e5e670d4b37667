#!/usr/bin/env bash
# Wattlet in real tray hosts, headless (README, "Tests"). For each host it starts the session,
# then Wattlet on a made-up battery (85 %, charging), and checks:
#   icon       the item is registered with the host (D-Bus) and drawn in the bar (pixels);
#   percent    the bar looks different with "Percent in menu bar" on and off; a label (GNOME)
#              shows in every one of several starts;
#   placement  a click on the icon opens the panel next to the icon and off the bar;
#   outside    a click elsewhere (the desktop, another window) closes the panel, every time of
#              several on GNOME;
#   escape     Escape closes the panel opened again;
#   again      a second activation of the item closes it too;
#   menu       a right click opens the item's menu;
#   copy       its "Copy summary", activated as the host does, reaches the session's clipboard;
#   click      a hot battery's notification, its "default" action invoked by a server that offers
#              actions (python-dbusmock), opens the panel; on sway with the server's activation
#              token. Skipped where the desktop runs its own server (GNOME, Plasma).
#
#   tests/hosts/run_hosts.sh [BUILD_DIR] [HOST…]
#     HOST: xfce lxqt sway fallback gnome gnome-x11 plasma plasma-x11
#
# BUILD_DIR defaults to build/ci (WATTLET=PROGRAM runs another build). Without HOST every host
# whose programs are installed runs. WATTLET_HOST_SHOTS=DIR keeps a picture of the bar with the
# open panel per host; WATTLET_HOST_KEEP=1 keeps the screenshots and logs. sway refuses root:
# as root its host runs as the user "wattlet-hosts", created when missing. Exit status 1 when
# any check fails.
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
token_tool=$build/tests/hosts/wattlet_activation_token
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

say() { printf '%s\n' "$*" >&2; }

# kill_session [SIGNAL]: the session's programs, the last started first.
kill_session() {
  local i
  for ((i = ${#pids[@]} - 1; i >= 0; i--)); do kill "$@" "${pids[i]}" 2>/dev/null; done
}

# The document portal a session's desktop portal starts mounts itself in the session's runtime
# folder and may outlive the session's bus.
unmount_portal_documents() {
  local mount
  while read -r mount; do
    fusermount -u -z "$mount" 2>/dev/null || umount -l "$mount" 2>/dev/null
  done < <(awk -v work="$work/" 'index($2, work) == 1 {print $2}' /proc/mounts)
}

cleanup() {
  kill_session
  sleep 0.5
  kill_session -9
  unmount_portal_documents
  if [ -n "${WATTLET_HOST_KEEP:-}" ]; then say "kept: $work"; else rm -rf "$work"; fi
}
trap cleanup EXIT

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
for file in BAT0/type=Battery BAT0/capacity=85 BAT0/status=Charging BAT0/present=1 AC/type=Mains \
  AC/online=1; do printf %s "${file#*=}" >"$work/battery/${file%%=*}"; done
# The same battery, hot: a warning, hence a notification, at start.
cp -r "$work/battery" "$work/hot-battery"
echo 500 >"$work/hot-battery/BAT0/temp"
chmod -R a+rX "$work/battery" "$work/hot-battery"

# --- one host's session -----------------------------------------------------------------------
# A host's programs run with the session's environment ($dir/env, a NAME=VALUE a line), as this
# user or, for sway, as the session's user ($as_user).

run() {
  local environment
  mapfile -t environment <"$dir/env"
  "${as_user[@]}" env "${environment[@]}" "$@"
}
# spawn COMMAND…: in the background, killed with the session (the program itself: a function
# in the background would be a shell of its own).
spawn() {
  local environment
  mapfile -t environment <"$dir/env"
  "${as_user[@]}" env "${environment[@]}" "$@" &
  pids+=($!)
}
# The X server the session is shown on: where the screenshots and the clicks go.
outer() { env DISPLAY="$outer_display" XAUTHORITY= "$@"; }

# The session's own home, data and the made-up battery.
session_env() {
  printf '%s\n' "HOME=$dir/home" "XDG_CONFIG_HOME=$dir/home/.config" \
    "XDG_DATA_HOME=$dir/home/.local/share" "XDG_CACHE_HOME=$dir/home/.cache" \
    "XDG_RUNTIME_DIR=$dir/runtime" "DBUS_SYSTEM_BUS_ADDRESS=unix:path=$dir/system-bus" \
    "WATTLET_POWER_SUPPLY_DIR=$work/battery"
}

# dbus DESTINATION PATH METHOD ARGUMENT…: a call on the session bus, with its reply.
dbus() { run dbus-send --session --print-reply --dest="$1" "${@:2}"; }
watcher_property() {
  dbus org.kde.StatusNotifierWatcher /StatusNotifierWatcher org.freedesktop.DBus.Properties.Get \
    string:org.kde.StatusNotifierWatcher string:"$1"
}
# A host (the panel's tray) has told the watcher it shows items.
host_up() { watcher_property IsStatusNotifierHostRegistered | grep true >/dev/null; }
name_owned() {
  dbus org.freedesktop.DBus / org.freedesktop.DBus.NameHasOwner string:"$1" | grep true >/dev/null
}
notification_server() { name_owned org.freedesktop.Notifications; }
watcher_up() { name_owned org.kde.StatusNotifierWatcher; }
# The item's bus name; whether the host lists it, and whether it lists any item (there is only
# ever ours).
item_service() { echo "org.kde.StatusNotifierItem-$(cat "$dir/wattlet.pid")-1"; }
item_listed() { watcher_property RegisteredStatusNotifierItems | grep "$1" >/dev/null; }
no_item_listed() { ! item_listed StatusNotifierItem-; }

# start_wattlet on|off [NAME=VALUE…]: with the percentage in the bar or without, the session's
# environment changed by the assignments.
start_wattlet() {
  local percent=$1
  shift
  mkdir -p "$dir/home/.config/Wattlet"
  rm -f "$dir/home/.config/Wattlet/Wattlet.conf"
  [ "$percent" = off ] && printf '[General]\nshowPercent=false\n' >"$dir/home/.config/Wattlet/Wattlet.conf"
  [ ${#as_user[@]} -gt 0 ] && chown -R "$user" "$dir/home"
  spawn env "$@" sh -c 'echo $$ >"$0/wattlet.pid"; exec "$1" >>"$0/wattlet.log" 2>&1' "$dir" "$wattlet"
  wait_for 5 test -s "$dir/wattlet.pid"
  if [ "$tray" = sni ]; then
    wait_for 15 item_listed "$(item_service)" || { say "  the item did not register"; return 1; }
  fi
  sleep 2
}

stop_wattlet() {
  kill "$(cat "$dir/wattlet.pid")" 2>/dev/null
  wait_for 10 sh -c "! kill -0 $(cat "$dir/wattlet.pid")"
  rm -f "$dir/wattlet.pid"
  [ "$tray" = sni ] && wait_for 10 no_item_listed
  sleep 1
}

# Where the panel is, "x y w h", from the window system; nothing while it is closed. On X11 the
# program's windows are found by class; the fallback tray icon (small) and the click shield
# (the whole screen) are windows of the program too.
panel_box() {
  if [ "$platform" = wayland ]; then
    run swaymsg -t get_tree | jq -r --arg id "$app_id" '.. | objects | select(.app_id? == $id)
      | select(.visible) | "\(.rect.x) \(.rect.y) \(.rect.width) \(.rect.height)"' | sed -n 1p
    return
  fi
  local id
  for id in $(run xwininfo -root -tree | grep -F "\"$app_id\")" | awk '{print $1}'); do
    run xwininfo -id "$id" | awk -v screen=$width '/Absolute upper-left X/ {x=$NF}
      /Absolute upper-left Y/ {y=$NF} /Width:/ {w=$NF} /Height:/ {h=$NF} /IsViewable/ {v=1}
      END {if (v && w > 100 && w < screen) print x, y, w, h}' | grep . && return
  done
}
panel_open() { [ -n "$(panel_box)" ]; }
panel_closed() { [ -z "$(panel_box)" ]; }

# check NAME ok|fail DETAIL: one cell of the host's row; a failure fails the run.
check() {
  if [ "$2" = ok ]; then row+=("✔ $3"); else row+=("✘ $3") && failed=1; fi
  say "  $1: $2 ($3)"
}
# verdict NAME OK_DETAIL FAIL_DETAIL COMMAND…: the check passes when the command succeeds.
verdict() { if "${@:4}"; then check "$1" ok "$2"; else check "$1" fail "$3"; fi; }
# reopen_closes NAME ACTION…: the panel, opened again, is closed by the action for good (a click
# on the icon must not open it anew).
reopen_closes() {
  sleep 1
  open_panel || { check "$1" fail "did not open again" && return; }
  "${@:2}"
  sleep 2
  verdict "$1" closed "still open" panel_closed
}

# diff_box A B: the box "x y w h" where two pictures differ, the bar's clock ($clock, a box)
# aside; empty when they do not.
diff_box() { "$shot" diff "$dir/$1.png" "$dir/$2.png" "${clock[@]}" | grep -v none; }
# Until the screen stops changing (a desktop fading its wallpaper in), at most 30 s.
settle() {
  local i
  for i in $(seq 15); do
    grab "$dir/still-a.png" && sleep 1 && grab "$dir/still-b.png"
    [ -z "$(diff_box still-a still-b)" ] && return
  done
}

# open_panel: clicks the icon until the panel shows (a host may still be settling).
open_panel() { click_icon && wait_for 10 panel_open && sleep 0.5; }

# inside_bar X Y
inside_bar() {
  [ "$1" -ge "${bar[0]}" ] && [ "$1" -lt $((bar[0] + bar[2])) ] &&
    [ "$2" -ge "${bar[1]}" ] && [ "$2" -lt $((bar[1] + bar[3])) ]
}

# The checks, the same for every host once it runs. Needs: bar (x y w h), grab FILE,
# click X Y BUTTON, click_icon, key_escape, close_menu and click_outside.
check_host() {
  local icon panel menu label x y w h w_off i shown closed
  row=()
  grab "$dir/base.png"
  start_wattlet off || { check icon fail "not registered"; return; }
  grab "$dir/off.png"
  stop_wattlet
  start_wattlet on || { check icon fail "not registered"; return; }
  grab "$dir/on.png"

  icon=$(diff_box base on)
  [ -n "$icon" ] || { check icon fail "nothing drawn" && return; }
  read -r x y w h <<<"$icon"
  cx=$((x + w / 2))
  cy=$((y + h / 2))
  verdict icon "${w}×${h} px at $cx,$cy" "drawn outside the bar at $cx,$cy" inside_bar "$cx" "$cy"

  label=""
  [ "$tray" = sni ] && label=$(dbus "$(item_service)" /StatusNotifierItem \
    org.freedesktop.DBus.Properties.Get string:org.kde.StatusNotifierItem string:XAyatanaLabel |
    sed -n 's/.*string "\(.*\)"/\1/p')
  # A label widens the item, a percentage in the icon changes it. A host that loses the label at
  # start (GNOME's extension, told of it during its first read) shows the icon alone: several
  # starts catch that race.
  read -r x y w_off h <<<"$(diff_box base off)"
  shown=0
  for ((i = 1; i <= starts; i++)); do
    ((i == 1)) || { stop_wattlet && start_wattlet on && grab "$dir/on.png"; }
    read -r x y w h <<<"$(diff_box base on) 0 0 0 0"
    if [ -n "$label" ]; then [ "$w" -gt $((w_off + 8)) ]; else [ -n "$(diff_box off on)" ]; fi &&
      shown=$((shown + 1))
  done
  verdict percent "${label:+label \"$label\" }shown in $shown of $starts starts" \
    "${label:+label \"$label\" }shown in $shown of $starts starts" test "$shown" -eq "$starts"

  open_panel
  panel=$(panel_box)
  grab "$dir/panel.png"
  if [ -z "$panel" ]; then
    check placement fail "no panel after a click"
    say "    screen changed: $(diff_box on panel); log: $(tail -n5 "$dir/wattlet.log")"
  else
    placement_verdict "$panel"
    keep_shot "$panel"
    # A race shows in one of several tries.
    closed=0
    for ((i = 1; i <= starts; i++)); do
      ((i == 1)) || open_panel
      click_outside
      wait_for 3 panel_closed && closed=$((closed + 1))
      sleep 1
    done
    verdict outside "closed $closed of $starts times" "closed $closed of $starts times" \
      test "$closed" -eq "$starts"
    reopen_closes escape key_escape
    reopen_closes again click_icon
  fi

  sleep 1
  panel_closed || click_outside
  grab "$dir/before-menu.png"
  click "$cx" "$cy" 3
  sleep 2
  grab "$dir/menu.png"
  menu=$(diff_box before-menu menu)
  # The menu reaches out of the bar; hovering the icon alone changes only the bar.
  read -r x y w h <<<"${menu:-0 0 0 0}"
  if [ -n "$menu" ] && { [ "$y" -lt $((bar[1] - 10)) ] || [ $((y + h)) -gt $((bar[1] + bar[3] + 10)) ]; }; then
    check menu ok "${w}×${h} px"
  else
    check menu fail "nothing opened"
  fi
  close_menu
  sleep 0.5
  check_copy
  stop_wattlet
  check_click
}

# The notification server's "default" action, invoked as a click on the notification does.
check_click() {
  local token="" mock=(run gdbus call --session --dest org.freedesktop.Notifications
    --object-path /org/freedesktop/Notifications --method org.freedesktop.DBus.Mock.EmitSignal
    org.freedesktop.Notifications)
  { /usr/bin/python3 -c 'import dbusmock' && command -v gdbus; } >/dev/null 2>&1 ||
    { row+=("– no python3-dbusmock") && return; }
  notification_server && { row+=("– the desktop's own server") && return; }
  spawn /usr/bin/python3 -m dbusmock --template notification_daemon \
    -p '{"capabilities": "actions body"}' -l "$dir/notifications.log"
  wait_for 10 notification_server || { check click fail "no notification server" && return; }
  start_wattlet on WATTLET_POWER_SUPPLY_DIR="$work/hot-battery" WAYLAND_DEBUG=client
  wait_for 10 grep -q '"default"' "$dir/notifications.log" ||
    { check click fail "no notification with the default action" && stop_wattlet && return; }
  if [ "$platform" = wayland ]; then
    token=$(run "$token_tool")
    "${mock[@]}" ActivationToken us "[<uint32 1>, <'$token'>]" >/dev/null
  fi
  "${mock[@]}" ActionInvoked us "[<uint32 1>, <'default'>]" >/dev/null
  if ! wait_for 5 panel_open; then
    check click fail "no panel"
  elif [ -n "$token" ] && ! grep -F "activate(\"$token\"" "$dir/wattlet.log" >/dev/null; then
    check click fail "the token was not used"
  else
    check click ok "panel open${token:+, token used}"
  fi
  stop_wattlet
}

# "Copy summary" as a host activates it: a dbusmenu click event on the item (the fallback
# tray's menu is the program's own: its shortcut, Ctrl+C, while it is open).
check_copy() {
  local id text
  if [ "$tray" = sni ]; then
    id=$(dbus "$(item_service)" /MenuBar com.canonical.dbusmenu.GetLayout int32:0 int32:-1 \
      array:string: | awk '/int32/ {id = $2} !found && index($0, "\"Copy summary\"") {print id; found = 1}')
    [ -n "$id" ] || { check copy fail "no such item" && return; }
    dbus "$(item_service)" /MenuBar com.canonical.dbusmenu.Event int32:"$id" string:clicked \
      variant:int32:0 uint32:0 >/dev/null
  else
    click "$cx" "$cy" 3
    sleep 1
    outer xdotool key ctrl+c
  fi
  sleep 1
  text=$(clipboard 2>/dev/null | sed -n 1p)
  if [ "${text#*85}" != "$text" ]; then check copy ok "\"$text\""; else check copy fail "clipboard: \"$text\""; fi
}

# placement_verdict "x y w h": off the bar, beside it (within 40 px) and reaching the icon's
# column (within 40 px).
placement_verdict() {
  local x y w h by=${bar[1]} bh=${bar[3]}
  read -r x y w h <<<"$1"
  if [ $((y + h)) -gt "$by" ] && [ "$y" -lt $((by + bh)) ]; then
    check placement fail "panel at $x,$y over the bar"
  elif [ $((y - by - bh)) -gt 40 ] || [ $((by - y - h)) -gt 40 ] ||
    [ "$cx" -lt $((x - 40)) ] || [ "$cx" -gt $((x + w + 40)) ]; then
    check placement fail "panel at $x,$y, far from the icon at $cx,$cy"
  else
    check placement ok "panel at $x,$y, ${w}×${h}"
  fi
}

# keep_shot "x y w h": the bar and the open panel, for the README.
keep_shot() {
  [ -n "$shots_dir" ] || return 0
  local x y w h left top right bottom
  read -r x y w h <<<"$1"
  left=$((x - 24 < cx - 60 ? x - 24 : cx - 60))
  right=$((x + w + 24 > cx + 60 ? x + w + 24 : cx + 60))
  top=$((y - 24 < bar[1] ? y - 24 : bar[1]))
  bottom=$((y + h + 24 > bar[1] + bar[3] ? y + h + 24 : bar[1] + bar[3]))
  left=$((left < 0 ? 0 : left)) top=$((top < 0 ? 0 : top))
  "$shot" crop "$dir/panel.png" $left $top $((right - left)) $((bottom - top)) "$shots_dir/$host.png"
}

# --- hosts on an X server (Xvfb): X11 panels, and the nested Wayland sessions ---------------------

# start_x11 [WINDOW_MANAGER]: Xvfb and a session bus (whose services see the session's home).
start_x11() {
  local n=40
  while [ -e /tmp/.X11-unix/X$n ] || [ -e /tmp/.X$n-lock ]; do n=$((n + 1)); done
  Xvfb :$n -screen 0 ${width}x${height}x24 -nolisten tcp >"$dir/xvfb.log" 2>&1 &
  pids+=($!)
  wait_for 10 test -e /tmp/.X11-unix/X$n || return 1
  outer_display=:$n
  mkdir -p "$dir/home" "$dir/runtime"
  chmod 700 "$dir/runtime"
  { echo "DISPLAY=:$n" && session_env; } >"$dir/env"
  spawn dbus-daemon --session --nofork --print-address=3 3>"$dir/bus" >"$dir/bus.log" 2>&1
  bus_pid=$!
  wait_for 5 test -s "$dir/bus" || return 1
  echo "DBUS_SESSION_BUS_ADDRESS=$(head -n1 "$dir/bus")" >>"$dir/env"
  # A window manager: the work area then leaves the bars out, as on a desktop.
  [ -z "${1:-}" ] || { spawn "$1" >"$dir/wm.log" 2>&1 && sleep 1; }
}

# How the checks see and touch the screen; sway and GNOME replace some of these.
x11_input() {
  grab() { outer env QT_QPA_PLATFORM=xcb "$shot" grab "$1" 2>/dev/null; }
  click() { outer xdotool mousemove "$1" "$2" click "$3"; sleep 0.3; outer xdotool mousemove 640 500; }
  click_icon() { click "$cx" "$cy" 1; }
  key_escape() { outer xdotool key Escape; }
  close_menu() { key_escape; }
  click_outside() { click 640 400 1; }
  clipboard() { run xclip -selection clipboard -o; }
}

# x11_panel CONFIG DESTINATION PROGRAM: a StatusNotifierItem host on Xvfb with its configuration.
x11_panel() {
  start_x11 openbox || return 1
  mkdir -p "$(dirname "$dir/home/.config/$2")"
  cp "$here/$1" "$dir/home/.config/$2"
  spawn "$3" >"$dir/panel.log" 2>&1
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
  start_x11 openbox || return 1
  # An XEmbed tray and no StatusNotifierWatcher: the QSystemTrayIcon fallback.
  spawn trayer --edge top --align right --widthtype request --height 30 --SetDockType true \
    --SetPartialStrut true >"$dir/panel.log" 2>&1
  tray=xembed
  bar=(0 0 "$width" 30)
  sleep 3
  check_host
}

# A system bus of the session's own, which lets everyone do anything: the shells ask logind.
start_system_bus() {
  sed "s|SOCKET|$dir/system-bus|" >"$dir/system.conf" <<'EOF'
<busconfig><type>system</type><listen>unix:path=SOCKET</listen><auth>EXTERNAL</auth>
<policy context="default"><allow user="*"/><allow own="*"/><allow send_destination="*"/>
<allow receive_sender="*"/></policy></busconfig>
EOF
  spawn dbus-daemon --config-file="$dir/system.conf" --nofork >"$dir/system-bus.log" 2>&1
  wait_for 5 test -S "$dir/system-bus"
}

# Once the compositor offers XWayland at :N, the program and the checks go there.
use_xwayland() { sed -i "s/^DISPLAY=.*/DISPLAY=$1/" "$dir/env"; }

# GNOME Shell with its AppIndicator extension on Xvfb: nested on Wayland, where the program runs
# through XWayland as it does there, or as the X11 session's window manager. Banners off: they
# come and go between screenshots.
host_gnome() {
  start_x11 && start_system_bus || return 1
  echo "XDG_CURRENT_DESKTOP=GNOME" >>"$dir/env"
  run gsettings set org.gnome.shell enabled-extensions "['ubuntu-appindicators@ubuntu.com']"
  run gsettings set org.gnome.desktop.notifications show-banners false
  if [ "$session" = x11 ]; then
    spawn env XDG_SESSION_TYPE=x11 gnome-shell --x11 --replace >"$dir/shell.log" 2>&1
  else
    spawn env MUTTER_DEBUG_DUMMY_MODE_SPECS=${width}x${height} XDG_SESSION_TYPE=wayland \
      gnome-shell --nested --wayland >"$dir/shell.log" 2>&1
    wait_for 30 grep -q "Using public X11 display" "$dir/shell.log" || return 1
    use_xwayland "$(sed -n 's/.*Using public X11 display \(:[0-9]*\),.*/\1/p' "$dir/shell.log")"
    echo "WAYLAND_DISPLAY=wayland-0" >>"$dir/env"
  fi
  wait_for 30 watcher_up || return 1
  [ "$session" = x11 ] || echo "XAUTHORITY=$(ls "$dir"/runtime/.mutter-Xwaylandauth.*)" >>"$dir/env"
  bar=(0 0 "$width" 32)
  clock=(560 0 160 32)
  # The shell opens the overview at start; the extension opens the menu on one click and
  # activates the item on two.
  sleep 3
  key_escape
  settle
  click_icon() { outer xdotool mousemove "$cx" "$cy" click --repeat 2 --delay 80 1; }
  starts=5
  check_host
}

# Plasma with kded (the watcher) and plasmashell with its default bottom panel (floating from
# Plasma 6 on, 8 px above the edge), under KWin: nested on Wayland with XWayland, where the
# program runs through XWayland as it does there, or as the X11 session's window manager.
host_plasma() {
  local version
  start_x11 && start_system_bus || return 1
  version=5
  command -v kded6 >/dev/null && version=6
  printf '%s\n' "XDG_CURRENT_DESKTOP=KDE" "KDE_FULL_SESSION=true" "KDE_SESSION_VERSION=$version" \
    "XDG_SESSION_TYPE=$session" >>"$dir/env"
  if [ "$session" = x11 ]; then
    spawn kwin_x11 --replace >"$dir/kwin.log" 2>&1
  else
    # A copy without the file capability a container may not grant.
    cp "$(command -v kwin_wayland)" "$dir/kwin_wayland"
    # KWin names no display for its XWayland: it is the socket that appears.
    before=$(ls /tmp/.X11-unix)
    new_display() { comm -13 <(echo "$before") <(ls /tmp/.X11-unix) | sed -n 's/^X/:/p' | sed -n 1p; }
    xwayland_up() { [ -n "$(new_display)" ]; }
    spawn "$dir/kwin_wayland" --x11-display "$outer_display" --width $width --height $height \
      --xwayland --no-lockscreen >"$dir/kwin.log" 2>&1
    wait_for 40 test -S "$dir/runtime/wayland-0" && wait_for 20 xwayland_up || return 1
    echo "WAYLAND_DISPLAY=wayland-0" >>"$dir/env"
    use_xwayland "$(new_display)"
  fi
  spawn env QT_QPA_PLATFORM="${session/x11/xcb}" "kded$version" >"$dir/kded.log" 2>&1
  spawn env QT_QPA_PLATFORM="${session/x11/xcb}" plasmashell >"$dir/panel.log" 2>&1
  wait_for 60 host_up || return 1
  local band=$((version >= 6 ? 52 : 44))
  bar=(0 $((height - band)) "$width" "$band")
  clock=(1120 $((height - band)) 160 "$band")
  settle
  check_host
}

# --- sway + waybar --------------------------------------------------------------------------------

host_sway() {
  if [ "$(id -u)" = 0 ]; then
    id "$user" >/dev/null 2>&1 || useradd --system --no-create-home --shell /usr/sbin/nologin "$user"
  fi
  mkdir -p "$dir/home" "$dir/runtime"
  chmod 700 "$dir/runtime"
  cat >"$dir/sway.conf" <<EOF
output HEADLESS-1 resolution ${width}x${height} scale 1
xwayland disable
exec env >"$dir/sway-env"
exec waybar -c "$here/waybar.json" >"$dir/waybar.log" 2>&1
# The README's rule: the panel at the pointer, below a 30 px bar.
for_window [app_id="$app_id"] floating enable, move position cursor, move down 34 px, focus
EOF
  [ "$(id -u)" = 0 ] && chown -R "$user" "$dir" && as_user=(runuser -u "$user" --)
  "${as_user[@]}" env -i PATH="$PATH" HOME="$dir/home" XDG_RUNTIME_DIR="$dir/runtime" \
    WLR_BACKENDS=headless WLR_LIBINPUT_NO_DEVICES=1 WLR_RENDERER=pixman \
    dbus-run-session -- sh -c 'echo $$ >"$0/sway.pid"; exec sway -c "$0/sway.conf"' "$dir" \
    >"$dir/sway.log" 2>&1 &
  pids+=($!)
  wait_for 15 test -s "$dir/sway-env" || { say "  sway did not start"; return 1; }
  sleep 0.5
  { grep -E '^(WAYLAND_DISPLAY|DBUS_SESSION_BUS_ADDRESS|SWAYSOCK|XDG_RUNTIME_DIR|PATH)=' \
    "$dir/sway-env" && session_env | grep -v XDG_RUNTIME_DIR; } >"$dir/env"
  platform=wayland
  bar=(0 0 "$width" 30)
  # The pointer stays where it clicked until the next picture: the window rule puts the panel
  # where the pointer is when it opens.
  grab() { run swaymsg -q seat seat0 cursor set $((width - 1)) $((height - 1)) && run grim "$1"; }
  click() {
    run swaymsg -q seat seat0 cursor set "$1" "$2" && run swaymsg -q seat seat0 cursor press "button$3"
    run swaymsg -q seat seat0 cursor release "button$3"
  }
  key_escape() { run wtype -k Escape; }
  clipboard() { run wl-paste -n; }
  # The menu is waybar's: a click elsewhere closes it.
  close_menu() { click 10 $((height - 10)) 1; }
  # Another window fills the workspace below the bar; a click there takes the focus.
  click_outside() { click 200 400 1; }
  spawn "$pointer" >"$dir/pointer.log" 2>&1
  wait_for 5 grep -q ready "$dir/pointer.log" || { say "  no virtual pointer"; return 1; }
  wait_for 20 watcher_up || { say "  waybar has no tray"; return 1; }
  spawn env QT_QPA_PLATFORM=wayland "$shot" window >"$dir/window.log" 2>&1
  sleep 2
  check_host
  run swaymsg -q exit 2>/dev/null
  return 0
}

# --- main -----------------------------------------------------------------------------------------

host_programs() {
  local x11="Xvfb xdotool xwininfo xclip"
  case $1 in
    xfce) echo "xfce4-panel openbox $x11" ;;
    lxqt) echo "lxqt-panel openbox $x11" ;;
    fallback) echo "trayer openbox $x11" ;;
    sway) echo "sway waybar grim swaymsg jq runuser wl-paste wtype $pointer $token_tool" ;;
    gnome) echo "gnome-shell gsettings Xwayland $x11" ;;
    gnome-x11) echo "gnome-shell gsettings $x11" ;;
    plasma) echo "kwin_wayland plasmashell Xwayland $x11" ;;
    plasma-x11) echo "kwin_x11 plasmashell $x11" ;;
  esac
}

[ ${#hosts[@]} -eq 0 ] && hosts=(xfce lxqt sway fallback gnome gnome-x11 plasma plasma-x11)
for host in "${hosts[@]}"; do
  missing=()
  for program in $(host_programs "$host") dbus-daemon dbus-send; do
    command -v "$program" >/dev/null 2>&1 || missing+=("$program")
  done
  if [ ${#missing[@]} -gt 0 ]; then
    say "$host: skipped, missing ${missing[*]}"
    continue
  fi
  say "$host:"
  dir=$work/$host
  mkdir -p "$dir"
  as_user=() clock=() row=() platform=xcb tray=sni starts=1
  x11_input
  start=$SECONDS
  session=wayland
  [ "${host%-x11}" = "$host" ] || session=x11
  if ! "host_${host%-x11}"; then
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
  pids=() bus_pid=
done

say ""
say "| host | icon | percent | placement | outside click | Escape | again | menu | copy | click | time |"
say "|---|---|---|---|---|---|---|---|---|---|---|"
for line in "${table[@]}"; do say "$line"; done
exit $failed
