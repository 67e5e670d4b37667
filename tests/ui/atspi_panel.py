#!/usr/bin/env python3
"""The panel as a screen reader reads it: the program on Xvfb with Qt's AT-SPI bridge on, the tree
read through pyatspi, Tab walked through every page. Usage: atspi_panel.py WATTLET."""
import importlib.util, os, shutil, subprocess, sys, tempfile, time

if not (shutil.which('Xvfb') and shutil.which('xdpyinfo') and shutil.which('dbus-daemon')
        and importlib.util.find_spec('pyatspi')):
    sys.exit(77)

program = sys.argv[1]
home = tempfile.mkdtemp()
# A number of its own: another X server (in another root, on the shared abstract socket) may
# answer on one this root's /tmp shows free.
for display in range(100 + os.getpid() % 800, 1000):
    ready = os.pipe()
    xvfb = subprocess.Popen(['Xvfb', f':{display}', '-displayfd', str(ready[1]), '-screen', '0',
                             '1283x907x24', '-nolisten', 'tcp', '-noreset'],
                            pass_fds=[ready[1]], stderr=subprocess.DEVNULL)
    os.close(ready[1])
    # Ours, not one that takes a cookie of this user's: no cookie, and its own odd size.
    if os.read(ready[0], 16) and b'1283x907 pixels' in subprocess.run(
            ['xdpyinfo', '-display', f':{display}'], capture_output=True,
            env=dict(os.environ, XAUTHORITY=home + '/none')).stdout:
        break
    xvfb.kill()
os.environ.update(DISPLAY=f':{display}', HOME=home, XAUTHORITY=home + '/none',
                  XDG_CONFIG_HOME=home + '/config', XDG_DATA_HOME=home + '/data',
                  XDG_RUNTIME_DIR=home, XDG_CURRENT_DESKTOP='', QT_QPA_PLATFORM='xcb',
                  QT_LINUX_ACCESSIBILITY_ALWAYS_ON='1', LANGUAGE='en', LC_ALL='C.UTF-8')
# libxkbcommon-x11 strndup()s unterminated X replies, which strict string checks misread.
if 'ASAN_OPTIONS' in os.environ:
    os.environ['ASAN_OPTIONS'] += ':strict_string_checks=0'
bus = subprocess.run(['dbus-daemon', '--session', '--fork', '--print-address=1', '--print-pid=1'],
                     capture_output=True, text=True, check=True).stdout.split()
os.environ['DBUS_SESSION_BUS_ADDRESS'] = bus[0]
import pyatspi  # noqa: E402  (it connects to the bus named above)

app = subprocess.Popen([program, '--demo=charging'])
failures = []


def check(ok, what):
    if not ok:
        failures.append(what)
        print('FAIL:', what)


def nodes(acc):
    yield acc
    for i in range(acc.childCount):
        child = acc.getChildAtIndex(i)
        if child is not None:
            yield from nodes(child)


def say(acc):
    states = acc.getState()
    # at-spi2 2.46 says "push button", 2.56 "button".
    line = f'{acc.getRoleName().replace("push button", "button")} "{acc.name}"'
    value = acc.queryValue() if 'Value' in pyatspi.utils.listInterfaces(acc) else None
    if value is not None:
        line += f' {value.currentValue:g} [{value.minimumValue:g}..{value.maximumValue:g}]'
    if acc.description:
        line += f' ({acc.description})'
    return line + ''.join(' ' + n for s, n in ((pyatspi.STATE_CHECKED, 'checked'),
                                                (pyatspi.STATE_FOCUSED, 'focused'))
                          if states.contains(s))


def panel():
    for _ in range(300):
        for a in pyatspi.Registry.getDesktop(0):
            for w in (a or []):
                if w is not None and w.name == 'Wattlet' and w.getRoleName() == 'frame':
                    return w
        time.sleep(0.1)
    raise SystemExit('no window named Wattlet; the applications: ' + str(
        [(a.name, [say(w) for w in a if w is not None])
         for a in pyatspi.Registry.getDesktop(0) if a]))


def key(sym):
    """Presses a key and waits (on a loaded machine too) until what has the focus says else."""
    before = [say(a) for a in focused()]
    pyatspi.Registry.generateKeyboardEvent(sym, None, pyatspi.KEY_SYM)
    for _ in range(50):
        time.sleep(0.1)
        if [say(a) for a in focused()] != before:
            return


def focused():
    return [a for a in nodes(panel()) if a.getState().contains(pyatspi.STATE_FOCUSED)]


def is_control(a):
    return (a.getState().contains(pyatspi.STATE_FOCUSABLE) and a.getRoleName() != 'radio button'
            and a.getState().contains(pyatspi.STATE_SHOWING))


def read_page(title):
    """Prints the page, checks every leaf is named or an image, walks Tab until it comes round
    and returns the walk's names."""
    print(f'--- {title}')
    for a in nodes(panel()):
        if a.childCount == 0 or a.getRoleName() in ('push button', 'button', 'panel', 'heading'):
            print('  ', say(a))
        check(a.childCount > 0 or a.name or a.getRoleName() in ('image', 'separator'),
              f'{title}: unnamed leaf ' + say(a))
    controls = {say(a).replace(' focused', '') for a in nodes(panel()) if is_control(a)}
    walk, seen = [], set()
    for _ in range(40):
        key(0xff09)
        now = [say(a).replace(' focused', '') for a in focused()]
        check(now, f'{title}: Tab left the panel')
        if not now or now[0] in seen:
            break
        seen.add(now[0])
        walk.append(' > '.join(now))
    print('   Tab:', ' | '.join(walk))
    check(controls <= seen, f'{title}: Tab never reaches {controls - seen}')
    return walk


def tab_to(name):
    for _ in range(40):
        if any(a.name.lower().startswith(name.lower()) for a in focused()):
            return
        key(0xff09)
    raise SystemExit(f'Tab never reaches {name}')


try:
    first = focused()
    print('first focus:', [say(a) for a in first])
    check(first and first[0].getRoleName() == 'progress bar', 'the ring has the first focus')
    spoken = [say(a) for a in nodes(panel())]
    for heard in ('progress bar "Charge" 48 [0..100] (charging, full in 1 h 14 min)',
                  'label "Power, +', 'button "Health, ', 'label "Cycles, ',
                  'label "Temperature, ', 'label "Charger, ', 'chart "Last 24 h: from ',
                  'radio button "Balanced" checked'):
        check(any(s.startswith(heard) for s in spoken), f'main page: nothing says {heard}')
    radios = [a for a in nodes(panel()) if a.getRoleName() == 'radio button']
    check(len(radios) == 3 and all(a.name for a in radios)
          and [a.name for a in radios if a.getState().contains(pyatspi.STATE_CHECKED)]
          == ['Balanced'], 'power mode: three named choices, Balanced checked')
    read_page('main')
    tab_to('Power mode')
    key(0xff53)  # Right: Performance
    check(any(a.name == 'Performance' and a.getState().contains(pyatspi.STATE_CHECKED)
              for a in nodes(panel())), 'Right arrow chooses the next power mode')
    tab_to('Health, ')
    key(0xff0d)
    read_page('health')
    key(0xff1b)
    for button, pages in (('About', ['about']), ('Settings', ['settings', 'Notifications',
                                                              'Charge limit'])):
        tab_to(button)
        key(0xff0d)
        read_page(pages[0])
        for link in pages[1:]:
            tab_to(link)
            key(0xff0d)
            read_page(link)
            if link == 'Notifications':
                tab_to('Low battery')
                key(0xff52)  # Up: the next step, and the rebuilt page keeps the focus there
                check([say(a) for a in focused()] == ['spin button "Low battery" 25 [11..50] '
                      '(25 %) focused'], 'Up raises the focused stepper')
            key(0xff1b)
        key(0xff1b)
    check(focused()[0].getRoleName() == 'progress bar', 'Escape leads back to the main page')
    pyatspi.Registry.generateKeyboardEvent(0xff1b, None, pyatspi.KEY_SYM)
    time.sleep(1)
    check(not any(w.name == 'Wattlet' for a in pyatspi.Registry.getDesktop(0) for w in (a or [])
                  if w is not None), 'Escape on the main page closes the panel')
finally:
    app.kill()
    xvfb.kill()
    os.kill(int(bus[1]), 15)
sys.exit(1 if failures else 0)
