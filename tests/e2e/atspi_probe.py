"""Reads one window of the running program through the desktop's accessibility bus (AT-SPI), as
a screen reader does, and reports what a player who cannot see the screen would miss.

    atspi_probe.py PID TITLE [--expect NAME]... [--tab] [--chart NAME]

PID is the program's process, TITLE the window's exact title. It lists every control that takes
the focus (focusable) and is on screen (showing) without a name, and every NAME expected that
no control of the window bears. With --tab it presses Tab, through xdotool, round the window
and lists the controls the focus never reached. With --chart it gives the focus to the control
named NAME, presses Home and Right and checks that its description names number 2 with its
figures and that the change was announced once. Exits 1 on any finding.

Run it with Debian's own /usr/bin/python3, which has pyatspi (python3-pyatspi).
"""

import subprocess
import sys
import time

import pyatspi
from gi.repository import GLib

# The items of tables, lists and drop-down lists are their contents, read through the table's
# own interface and named by their text; the walk stops at these containers.
CONTAINERS = {pyatspi.ROLE_TABLE, pyatspi.ROLE_TREE_TABLE, pyatspi.ROLE_TREE, pyatspi.ROLE_LIST,
              pyatspi.ROLE_COMBO_BOX, pyatspi.ROLE_MENU}


def find_window(pid, title, seconds=10):
    deadline = time.time() + seconds
    while time.time() < deadline:
        desktop = pyatspi.Registry.getDesktop(0)
        for app in desktop:
            try:
                if app is None or app.get_process_id() != pid:
                    continue
                for window in app:
                    if window is not None and window.name == title:
                        return window
            except GLib.Error:
                continue
        time.sleep(0.2)
    return None


class Control:
    def __init__(self, accessible, path, where):
        self.accessible = accessible
        self.path = path
        self.where = where
        state = accessible.getState()
        self.role = accessible.getRole()
        self.name = accessible.name or ''
        self.focusable = state.contains(pyatspi.STATE_FOCUSABLE)
        self.showing = state.contains(pyatspi.STATE_SHOWING)
        self.enabled = state.contains(pyatspi.STATE_ENABLED)
        self.focused = state.contains(pyatspi.STATE_FOCUSED)

    def describe(self):
        return '%s "%s" at %s' % (self.accessible.getRoleName(), self.name, self.where)


def walk(window):
    """Every accessible of the window, each with its path of child indices from the window and
    where it lies in words (its role and the named ancestors)."""
    found = []

    def visit(accessible, path, where):
        control = Control(accessible, path, where)
        found.append(control)
        if control.role in CONTAINERS:
            return
        label = accessible.getRoleName() + (' "%s"' % control.name if control.name else '')
        for i in range(accessible.childCount):
            child = accessible.getChildAtIndex(i)
            if child is not None:
                visit(child, path + (i,), where + ' > ' + label if where else label)

    visit(window, (), '')
    return found


def takes_focus(control):
    return control.focusable and control.showing and control.path != ()


def check_names(window, expected):
    controls = walk(window)
    problems = []
    focusable = [c for c in controls if takes_focus(c)]
    if not focusable:
        problems.append('no control of the window takes the focus: the bus shows nothing')
    for control in focusable:
        if not control.name.strip():
            problems.append('focusable control without a name: ' + control.describe())
    names = {c.name for c in controls}
    for name in expected:
        if name not in names:
            problems.append('no control is named "%s"' % name)
    print('%d focusable controls, %d without a name'
          % (len(focusable), sum(1 for c in focusable if not c.name.strip())))
    return problems


def focused_paths(window):
    """The controls that say they have the focus: the one that has it, and a box that hands its
    focus to a field inside it."""
    return {c.path for c in walk(window) if c.focused and c.path != ()}


def check_tab(window):
    """Tab round the window: every focusable, enabled control on screen is reached, or is an
    option of a group of which one option is reached (Tab stops at the chosen option; the
    arrows move between them)."""
    controls = [c for c in walk(window) if takes_focus(c) and c.enabled]
    reached = set()
    focused = focused_paths(window)
    for _ in range(len(controls) + 2):
        subprocess.run(['xdotool', 'key', 'Tab'], check=True)
        # The focus moves when the program has taken the key: a slow program gets its time.
        deadline = time.time() + 3
        before, focused = focused, focused_paths(window)
        while focused == before and time.time() < deadline:
            time.sleep(0.05)
            focused = focused_paths(window)
        reached |= focused

    def is_reached(control):
        if control.path in reached:
            return True
        if control.role == pyatspi.ROLE_RADIO_BUTTON:
            parent = control.path[:-1]
            return any(c.role == pyatspi.ROLE_RADIO_BUTTON and c.path[:-1] == parent
                       and c.path in reached for c in controls)
        return False

    print('Tab reached %d of %d controls' % (sum(1 for c in controls if is_reached(c)),
                                              len(controls)))
    return ['Tab never reaches ' + c.describe() for c in controls if not is_reached(c)]


def check_chart(window, name):
    """The focus on the chart; Home and Right point at number 2: its description names it with
    its figures, and the change is announced once."""
    chart = next((c for c in walk(window) if c.name == name), None)
    if chart is None:
        return ['no chart named "%s"' % name]
    heard = []
    pressed = []

    def hear(event):
        if event.source == chart.accessible or event.source.name == name:
            heard.append((bool(pressed), event.source.description))

    def press():
        pressed.append(chart.accessible.description)
        subprocess.run(['xdotool', 'key', 'Home', 'Right'], check=True)

    def described(prefix):
        return (chart.accessible.description or '').startswith(prefix)

    # Each step waits for the program as long as it needs, up to a limit: the program told of
    # the listener and the focus's description, the keys, then half a second more for a second
    # announcement of the same change.
    start = time.time()
    moved = []

    def step():
        now = time.time() - start
        if not pressed:
            if (now > 0.5 and described('Numero ')) or now > 5:
                press()
        elif not moved:
            if described('Numero 2: ') or now > 10:
                moved.append(now)
        elif now - moved[0] > 0.5:
            pyatspi.Registry.stop()
            return False
        return True

    kind = 'object:property-change:accessible-description'
    pyatspi.Registry.registerEventListener(hear, kind)
    chart.accessible.queryComponent().grabFocus()
    GLib.timeout_add(100, step)
    pyatspi.Registry.start()
    pyatspi.Registry.deregisterEventListener(hear, kind)

    after = chart.accessible.description
    after_press = [text for later, text in heard if later]
    problems = []
    if not pressed or not pressed[0].startswith('Numero 1: frequenza '):
        problems.append('with the focus on the chart its description is "%s", not number 1 '
                        'with its figures' % (pressed[0] if pressed else ''))
    if not after.startswith('Numero 2: frequenza '):
        problems.append('after Home and Right the chart\'s description is "%s", not number 2 '
                        'with its figures' % after)
    if len(after_press) != 1 or not after_press[0].startswith('Numero 2: '):
        problems.append('Home and Right should announce one change of description, to number 2; '
                        'heard: %s' % after_press)
    return problems


def main():
    pid, title = int(sys.argv[1]), sys.argv[2]
    expected, tab, chart = [], False, None
    args = sys.argv[3:]
    while args:
        option = args.pop(0)
        if option == '--expect':
            expected.append(args.pop(0))
        elif option == '--tab':
            tab = True
        elif option == '--chart':
            chart = args.pop(0)
        else:
            sys.exit('unknown option ' + option)
    window = find_window(pid, title)
    if window is None:
        print('the window "%s" is not on the accessibility bus' % title, file=sys.stderr)
        sys.exit(1)
    problems = check_names(window, expected)
    if tab:
        problems += check_tab(window)
    if chart:
        problems += check_chart(window, chart)
    for problem in problems:
        print(problem, file=sys.stderr)
    sys.exit(1 if problems else 0)


if __name__ == '__main__':
    main()
