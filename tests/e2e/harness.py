"""The world of one end-to-end test: an X server of its own (one monitor, two, or one
whose mode Windows changes) with openbox, a copy of the run's Wine prefix, a program
folder holding plumbmark.exe, and the steps a user takes, each polled until the
program has visibly reacted.
Input goes through xdotool, window states come from xprop (EWMH), pixels from
ImageMagick's import, and texts of Win32 windows from the probe (probe/)."""

import os
import re
import select
import shutil
import subprocess
import tempfile
import threading
import time
import unittest
from pathlib import Path

WIDTH, HEIGHT = 1024, 768
WORK = Path(os.environ["PLUMBMARK_E2E_WORK"])
EXE = Path(os.environ["PLUMBMARK_EXE"])
# The same program built to use none of the functions newer than Windows 7, and built
# by clang: the scenarios that touch pixels and dialogs run on them too.
FALLBACKS_EXE, CLANG_EXE = (Path(os.environ.get(n, "")) for n in ("PLUMBMARK_FALLBACKS_EXE",
                                                                  "PLUMBMARK_CLANG_EXE"))
PROBE = Path(os.environ["PLUMBMARK_E2E_PROBE"])
ARTIFACTS = Path(os.environ["PLUMBMARK_E2E_ARTIFACTS"])
REACTION, START = 15, 60  # seconds the program may take to react, and to start
LIVE = set()  # sessions not yet closed; the runner ends them on an interrupt

SAVED = ("保存完了", "線のスタイルを保存しました。")
SECOND_COPY = ("エラー", "既に同じ処理が実行されています。二重起動は禁止されています。")
SAVE_FAILED = ("エラー", "線のスタイルを保存できませんでした。")

# The X servers of a session's screen, each told its display's fd and given
# "-nolisten tcp -br -noreset": one monitor; two side by side, 1024x768 and 800x600
# at (1024,0) (Xephyr in an Xvfb); one with modes Wine changes (Xorg's dummy driver).
SCREENS = {"one monitor": ["Xvfb", "-screen", "0", f"{WIDTH}x{HEIGHT}x24"],
           "outer": ["Xvfb", "-screen", "0", "2048x1024x24"],
           "two monitors": ["Xephyr", "+xinerama", "-extension", "RANDR",
                            "-screen", "1024x768", "-screen", "800x600"],
           "modes": ["Xorg", "-config", "{dir}/xorg.conf", "-logfile", "{dir}/xorg.log"]}
DUMMY_CONF = """Section "ServerFlags" Option "AutoAddDevices" "false"
 Option "AutoEnableDevices" "false" EndSection
Section "Device" Identifier "d" Driver "dummy" VideoRam 64000 EndSection
Section "Monitor" Identifier "m" HorizSync 5-1000 VertRefresh 5-200
 Modeline "1024x768" 65 1024 1048 1184 1344 768 771 777 806
 Modeline "1280x800" 83.5 1280 1352 1480 1680 800 803 809 831 EndSection
Section "Screen" Identifier "s" Device "d" Monitor "m" DefaultDepth 24 SubSection "Display"
 Depth 24 Virtual 1280 800 Modes "1024x768" "1280x800" EndSubSection EndSection"""


def rgb(bgr):
    """The screen colour of a Windows colour value 0x00BBGGRR."""
    return (bgr & 0xFF) << 16 | bgr & 0xFF00 | bgr >> 16 & 0xFF


BLUE = rgb(16711680)


def settings(size=5, color=16711680, vertical=0, interval=100, horizon=0):
    """The bytes a save writes into a new file."""
    return (f"[Plumbmark]\r\nSize={size}\r\nColor={color}\r\nVertical={vertical}\r\n"
            f"Interval={interval}\r\nHorizon={horizon}\r\n").encode()


def poll(condition, deadline=REACTION, step=0.05):
    """Calls condition until it returns something true or the deadline passes."""
    end = time.monotonic() + deadline
    while not (value := condition()) and time.monotonic() < end:
        time.sleep(step)
    return value


def run(argv, env=None, timeout=60):
    return subprocess.run([str(a) for a in argv], env=env, timeout=timeout, capture_output=True)


def wine_env(prefix, display=None):
    env = {k: v for k, v in os.environ.items() if k not in ("DISPLAY", "WINEARCH")}
    env.update(WINEPREFIX=str(prefix), WINEDEBUG="-all", HOME=str(WORK / "home"),
               WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d")  # no installers
    return {**env, "DISPLAY": display} if display else env


_making = threading.RLock()


def prefix_template(dpi):
    """The run's prefix at a DPI, made on first use: wineboot once, then a copy at 144."""
    with _making:
        prefix, made = WORK / f"prefix-{dpi}", WORK / f"making-{dpi}"
        if not prefix.exists():
            if made.exists():
                raise RuntimeError(f"making the {dpi}-DPI prefix failed earlier in this run")
            if dpi == 96:
                run(["wineboot", "-i"], wine_env(made), timeout=300).check_returncode()
            else:
                shutil.copytree(prefix_template(96), made, symlinks=True)
                run(["wine", "reg", "add", r"HKCU\Control Panel\Desktop", "/v", "LogPixels",
                     "/t", "REG_DWORD", "/d", dpi, "/f"], wine_env(made)).check_returncode()
            run(["wineserver", "-w"], wine_env(made), timeout=120)
            made.rename(prefix)
        return prefix


def copy_prefix(source, target):
    """A private copy of a prefix; binaries are hard links, since nothing writes them."""
    def place(src, dst):
        binary = re.search(r"\.(dll|exe|drv|sys|nls|ttf|fon|ds|msstyles)$", src, re.I)
        (os.link if binary else shutil.copy2)(src, dst)
    shutil.copytree(source, target, symlinks=True, copy_function=place)


class Session:
    """One test's X server, window manager, Wine prefix and program folder; the program's
    line windows are self.lines (vertical, horizontal) once start() has seen them."""

    def __init__(self, test, window_manager=True, dpi=96, folder="app", display=True,
                 screen="one monitor", colors=None, exe=EXE):
        self.test, self.processes, self.programs, self.shot = test, [], [], b""
        self.dir = Path(tempfile.mkdtemp(dir=WORK / "tests"))
        LIVE.add(self)
        test.addCleanup(self.close)
        self.display = self._start_x(screen) if display else None
        self.managed = display and window_manager
        if self.managed:
            home = str(self.dir / "home")  # no user configuration leaks in
            self.processes.append(subprocess.Popen(
                ["openbox"], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                env={**self.xenv(), "HOME": home, "XDG_CONFIG_HOME": home}))
            test.assertTrue(poll(lambda: "# 0x" in self.xprop("-root", "_NET_SUPPORTING_WM_CHECK")),
                            "openbox did not start")
        self.prefix = self.dir / "prefix"
        copy_prefix(prefix_template(dpi), self.prefix)
        for name, value in (colors or {}).items():  # system colours, "R G B"
            run(["wine", "reg", "add", r"HKCU\Control Panel\Colors", "/v", name, "/d", value,
                 "/f"], wine_env(self.prefix)).check_returncode()
        if colors:  # Wine reads them when its server starts
            run(["wineserver", "-w"], wine_env(self.prefix))
        self.folder = self.dir / folder
        self.folder.mkdir(parents=True)
        shutil.copy(exe, self.folder / "plumbmark.exe")
        self.ini = self.folder / "Plumbmark.ini"

    def _start_x(self, screen):
        """Starts the screen's X server on a free display, which it reports once it takes
        connections; Xephyr shows its monitors in an Xvfb of their own."""
        if screen == "modes":
            (self.dir / "xorg.conf").write_text(DUMMY_CONF)
        outer = {"DISPLAY": self._start_x("outer")} if screen == "two monitors" else {}
        server, *args = (arg.format(dir=self.dir) for arg in SCREENS[screen])
        read, write = os.pipe()
        self.processes.append(subprocess.Popen(
            [server, "-displayfd", str(write), *args, "-nolisten", "tcp", "-br", "-noreset"],
            pass_fds=(write,), stderr=subprocess.DEVNULL, env={**os.environ, **outer}))
        os.close(write)
        number = b""
        while not number.endswith(b"\n") and select.select([read], [], [], 20)[0]:
            if not (chunk := os.read(read, 16)):
                break
            number += chunk
        os.close(read)
        self.test.assertTrue(number.endswith(b"\n"), f"{screen}: no display reported")
        return ":" + number.decode().strip()

    def close(self):
        """Ends every process of the session by its id, Wine's through wineserver -k."""
        LIVE.discard(self)
        for process in self.programs:
            process.kill()
            process.wait()
        run(["wineserver", "-k"], wine_env(self.prefix), timeout=30)
        for process in reversed(self.processes):
            process.terminate()
            try:
                process.wait(10)
            except subprocess.TimeoutExpired:
                process.kill()
        self.processes = self.programs = []

    # --- the program, and what Win32 says about its windows

    def launch(self):
        """Starts a copy of the program from its folder, as a double click would."""
        with open(self.dir / f"program-{len(self.programs)}.log", "wb") as log:
            self.programs.append(subprocess.Popen(
                ["wine", self.folder / "plumbmark.exe"], stdout=log, stderr=log, cwd=self.folder,
                env=wine_env(self.prefix, self.display)))
        return self.programs[-1]

    def probe(self, *args):
        out = run(["wine", PROBE, *args], wine_env(self.prefix, self.display)).stdout
        lines = out.decode().splitlines()
        self.test.assertEqual(lines[-1:], ["end"], f"the probe did not finish: {out!r}")
        return Report(lines)

    def other_window(self, title, rect, *options):
        """Another program's white topmost window (the probe's) at (x, y, width, height),
        with the keyboard, and the probe's options (a hot key it holds, "nocursor"); the X
        window id once the window manager has it."""
        self.programs.append(subprocess.Popen(
            ["wine", PROBE, "window", title, *map(str, rect + options)], stdout=subprocess.DEVNULL,
            stderr=subprocess.DEVNULL, env=wine_env(self.prefix, self.display)))
        return self.window(title, None) if self.managed else None

    def foreground(self, title):
        """Waits until Win32 sends keys to the window with this title. NOTE: Wine moves the
        keyboard between windows of one program without the window manager noticing."""
        seen = []
        poll(lambda: seen.append(self.probe().values["focus"]) or seen[-1] == title)
        self.test.assertEqual(seen[-1], title, "the window with the keyboard")

    # --- the X server

    def xenv(self):
        return {**os.environ, "DISPLAY": self.display, "LC_ALL": "C.UTF-8"}

    def xprop(self, *args):
        return run(["xprop", "-notype", *args], self.xenv()).stdout.decode()

    def xdotool(self, *args):
        run(["xdotool", *args], self.xenv()).check_returncode()

    def key(self, *names):
        """Presses and releases keys one after the other; letters as their lower-case key.
        NOTE: xdotool sends Shift_R with Shift_L held, so only left modifiers are used."""
        self.xdotool("key", *names)

    def windows(self, pid=None):
        """The managed windows (of one process) as {id: (title, states)}."""
        found = {}
        for window in re.findall(r"0x[0-9a-f]+", self.xprop("-root", "_NET_CLIENT_LIST")):
            text = self.xprop("-id", window, "_NET_WM_NAME", "_NET_WM_STATE", "_NET_WM_PID")
            title = re.search(r'_NET_WM_NAME = "(.*)"', text)
            if pid is None or f"_NET_WM_PID = {pid}\n" in text:
                found[int(window, 16)] = (title[1] if title else "",
                                          set(re.findall(r"_NET_WM_STATE_\w+", text)))
        return found

    def window(self, title, pid, present=True, deadline=REACTION):
        """Waits for a window of the process with the title (or for it to go)."""
        def titled():
            return [w for w, (t, _) in self.windows(pid).items() if t == title]
        found = poll(lambda: titled() if present else not titled(), deadline)
        self.test.assertTrue(found, f'window "{title}" {"never came" if present else "stayed"}')
        return found[0] if present else None

    def active(self):
        match = re.search(r"# (0x[0-9a-f]+)", self.xprop("-root", "_NET_ACTIVE_WINDOW"))
        return int(match[1], 16) if match else None

    def activate(self, window):
        """Gives a window the keyboard through the window manager, as a taskbar click does."""
        self.xdotool("windowactivate", window)
        self.test.assertTrue(poll(lambda: self.active() == window), "the window stayed inactive")

    def crop(self, rect):
        """The pixels of a screen rectangle (left, top, right, bottom) in the last screenshot."""
        left, top, right, bottom = rect
        return b"".join(self.shot[3 * (y * WIDTH + left):3 * (y * WIDTH + right)]
                        for y in range(top, bottom))

    def settled(self, rects):
        """The pixels of screen rectangles once two screenshots in a row agree on them."""
        last = None
        def same():
            nonlocal last
            previous, last = last, [self.crop(rect) for rect in (self.screenshot(), *rects)[1:]]
            return previous == last
        self.test.assertTrue(poll(same), "the screen kept changing")
        return last

    def pixel(self, x, y):
        """A pixel of the last screenshot as 0xRRGGBB."""
        return int.from_bytes(self.shot[3 * (y * WIDTH + x):][:3], "big")

    def screenshot(self):
        self.shot = run(["import", "-window", "root", "-depth", "8", "rgb:-"], self.xenv()).stdout
        return self.shot

    def wait_for_look(self, look, covered=(), deadline=REACTION):
        """Polls the screen until it shows the look pixel for pixel outside covered areas."""
        def shown():
            return look.picture(self.screenshot(), covered) == self.shot
        if not poll(shown, deadline):
            folder = ARTIFACTS / self.test.id()
            folder.mkdir(parents=True, exist_ok=True)
            (folder / "screen.ppm").write_bytes(b"P6 %d %d 255\n" % look.size + self.shot)
            self.test.fail(f"the screen does not show {look}: {look.mismatch(self.shot, covered)}")

    def move(self, look, x, y, covered=()):
        look.x, look.y = x, y
        self.xdotool("mousemove", x, y)
        self.wait_for_look(look, covered)

    def press(self, key, look, covered=()):
        self.key(key)
        self.wait_for_look(look, covered)

    def click(self, look, x, y, covered=()):
        """Clicks once the lines have followed the pointer, so that no line lies under it."""
        self.move(look, x, y, covered)
        self.xdotool("click", 1)

    # --- the steps a user takes

    def start(self, look):
        """Starts the program with the pointer at the look's point and waits for the look
        and, with a window manager, for the vertical line to have the keyboard."""
        self.xdotool("mousemove", look.x, look.y)
        program = self.launch()
        self.wait_for_look(look, deadline=START)
        if self.managed:
            self.lines = (self.window("Plumbmark", program.pid), self.window("Form1", program.pid))
            self.test.assertTrue(poll(lambda: self.active() == self.lines[0]),
                                 "the vertical line never got the keyboard")
        return program

    def answer(self, program, title):
        """Waits for a message box, then closes it with Enter."""
        box = self.window(title, program.pid)
        self.test.assertTrue(poll(lambda: self.active() == box), "the box never got the keyboard")
        self.key("Return")
        self.window(title, program.pid, present=False)

    def open_dialog(self, program, key, title):
        """Opens a dialog with its key; returns its window once it has the keyboard."""
        self.key(key)
        dialog = self.window(title, program.pid)
        self.foreground(title)
        return dialog

    def assert_file(self, expected):
        actual = self.ini.read_bytes() if self.ini.is_file() else None
        self.test.assertEqual(actual, expected, "the settings file")


class Look:
    """What the crosshair must look like on a desktop of size pixels whose outside areas lie
    on no monitor: lines one pixel right of and below the pointer."""

    def __init__(self, x, y, color=BLUE, vertical=5, horizontal=5, size=(WIDTH, HEIGHT),
                 outside=()):
        self.x, self.y, self.color, self.size, self.outside = x, y, color, size, outside
        self.vertical, self.horizontal = vertical, horizontal

    def __repr__(self):
        return (f"#{self.color:06X} lines at pointer ({self.x},{self.y}), vertical "
                f"{self.vertical} px, horizontal {self.horizontal} px")

    def picture(self, shot, covered=()):
        """The expected screen as RGB bytes on black; covered areas (under the lines) and
        outside ones are taken from the shot."""
        (width, height), color = self.size, self.color.to_bytes(3, "big")
        row = 3 * width
        image = bytearray(row * height)

        def take(areas):
            for left, top, right, bottom in areas:
                for at in range(top * row + 3 * left, bottom * row, row):
                    image[at:at + 3 * (right - left)] = shot[at:at + 3 * (right - left)]
        take(covered)
        first, last = self.x + 1, min(self.x + self.vertical, width - 1)
        for y in range(height if last >= first else 0):
            image[y * row + 3 * first:y * row + 3 * last + 3] = color * (last - first + 1)
        for y in range(self.y + 1, min(self.y + self.horizontal, height - 1) + 1):
            image[y * row:(y + 1) * row] = color * width
        take(self.outside)
        return bytes(image)

    def mismatch(self, shot, covered=()):
        """How many pixels differ, and the first five."""
        want = self.picture(shot, covered) if len(shot) == 3 * self.size[0] * self.size[1] else b""
        wrong = [i // 3 for i in range(0, len(want), 3) if shot[i:i + 3] != want[i:i + 3]]
        return f"{len(wrong)} of {len(want) // 3} pixels differ: " + ", ".join(
            f"{divmod(i, self.size[0])[::-1]} #{shot[3 * i:3 * i + 3].hex()}" for i in wrong[:5])


class Report:
    """The probe's report: top-level windows with their controls, and other values by name
    (the foreground's title as "focus", the DPI, what a command reports)."""

    def __init__(self, lines):
        self.windows, self.values = [], {}
        for line in lines[:-1]:
            kind, *fields = (re.sub(r"\\(.)", lambda m: {"t": "\t", "n": "\n", "r": "\r"}
                                    .get(m[1], m[1]), f) for f in line.split("\t"))
            if kind == "window":
                self.windows.append(Window(*fields))
            elif kind == "child":
                self.windows[-1].controls.append(Control(*fields))
            else:
                self.values[kind] = fields[0]

    def find(self, title):
        return next((w for w in self.windows if w.title == title), None)


class Window:
    def __init__(self, klass, title, outer, client, state):
        self.klass, self.title, self.controls = klass, title, []
        self.state = set(state.split())  # normal, minimized or maximized; topmost, owned
        self.outer, self.client = tuple(map(int, outer.split())), tuple(map(int, client.split()))

    def controls_of(self, klass):
        return [c for c in self.controls if c.klass == klass]

    def text(self):
        """The static texts joined by newlines: a message box's message."""
        return "\n".join(c.text for c in self.controls_of("Static") if c.text)


class Control:
    def __init__(self, klass, text, rect, selected=None, *items):
        self.klass, self.text, self.items = klass, text, list(items)
        self.rect = tuple(map(int, rect.split()))
        self.selected = None if selected is None else int(selected)

    def centre(self):
        left, top, right, bottom = self.rect
        return (left + right) // 2, (top + bottom) // 2


class PlumbmarkTest(unittest.TestCase):
    """A scenario: session() gives it an X server, a Wine prefix and a program folder
    holding the exe the scenario's class names."""

    maxDiff = None
    exe = EXE

    def session(self, **options):
        return Session(self, **{"exe": self.exe, **options})

    def started(self, look, ini=None, **options):
        """A session with its settings file when one is given, and the program started
        with the pointer at the look's point: the session and the program."""
        s = self.session(**options)
        if ini is not None:
            s.ini.write_bytes(ini)
        return s, s.start(look)
