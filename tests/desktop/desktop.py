"""Runs the real program on a virtual X display with a window manager, for the desktop tests.

`Desktop` starts Xvfb on a free display (it picks the number itself) and openbox, and stops both
when closed. `Session` starts parlino on it with a home folder of its own (so settings and
character folders start empty), drives it with xdotool, and asks it for a picture of its windows
(`dump`): with PARL_WIDGET_DUMP set, F12 makes the program write every visible window and its
widgets as JSON. Every wait polls for what it waits for, up to a time limit; nothing sleeps a
fixed time. A machine without Xvfb, openbox or xdotool skips the tests with the reason, unless CI
is set, where that is a failure.
"""
import json
import os
import shutil
import signal
import subprocess
import sys
import tempfile
import time
import unittest

PARLINO = None  # set by main() from the command line
TOOLS = ("Xvfb", "openbox", "xdotool", "xprop")


def missing_tool():
    for tool in TOOLS:
        if not shutil.which(tool):
            return tool
    return None


def wait_for(what, probe, timeout=15.0, interval=0.05):
    """Calls `probe` until it returns something true; returns that, or fails naming `what`."""
    deadline = time.monotonic() + timeout
    while True:
        value = probe()
        if value:
            return value
        if time.monotonic() > deadline:
            raise AssertionError("timed out waiting for " + what)
        time.sleep(interval)


class Desktop:
    """Xvfb and openbox on a display of their own.

    The server runs with -noreset: an X server resets when its last client leaves, so a probe
    that came and went before openbox connected made openbox fail to open the display.
    """

    def __init__(self):
        self.procs = []
        read_fd, write_fd = os.pipe()
        xvfb = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write_fd), "-screen", "0", "1280x1024x24", "-nolisten",
             "tcp", "-noreset"],
            pass_fds=(write_fd,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.procs.append(xvfb)
        os.close(write_fd)
        number = b""
        try:
            with os.fdopen(read_fd, "rb") as pipe:
                while not number.endswith(b"\n"):
                    chunk = pipe.read(1)
                    if not chunk:
                        break
                    number += chunk
            if not number.strip():
                raise AssertionError("Xvfb did not start")
            self.display = ":" + number.decode().strip()
            self.env = dict(os.environ, DISPLAY=self.display)
            self.env.pop("QT_QPA_PLATFORM", None)
            self.env.pop("WAYLAND_DISPLAY", None)
            log = tempfile.TemporaryFile()
            openbox = subprocess.Popen(["openbox"], env=self.env, stdout=log, stderr=log)
            self.procs.append(openbox)
            try:
                wait_for("openbox", lambda: openbox.poll() is not None or self._wm_running())
            finally:
                log.seek(0)
                said = log.read().decode(errors="replace").strip()
                log.close()
            if openbox.returncode is not None:
                raise AssertionError("openbox exited: " + said)
        except BaseException:
            self.close()
            raise

    def _wm_running(self):
        done = subprocess.run(["xprop", "-root", "_NET_SUPPORTING_WM_CHECK"], env=self.env,
                              capture_output=True, text=True)
        return done.returncode == 0 and "window id" in done.stdout

    def close(self):
        for proc in reversed(self.procs):
            if proc.poll() is None:
                proc.terminate()
                try:
                    proc.wait(5)
                except subprocess.TimeoutExpired:
                    proc.kill()
                    proc.wait()
        self.procs = []


class Session:
    """One run of parlino on `desktop`; closed by `close`, which kills it if it still runs."""

    def __init__(self, desktop, *args, characters=(), env=None, setup=None, language="C.UTF-8"):
        self.desktop = desktop
        self.home = tempfile.mkdtemp(prefix="parl-desktop-")
        self.dump_path = os.path.join(self.home, "widgets.json")
        self.env = dict(desktop.env, **(env or {}), HOME=self.home,
                        PARL_WIDGET_DUMP=self.dump_path,
                        XDG_CONFIG_HOME=os.path.join(self.home, ".config"),
                        XDG_DATA_HOME=os.path.join(self.home, ".local", "share"),
                        XDG_CACHE_HOME=os.path.join(self.home, ".cache"))
        # The window speaks the desktop's language: English unless a test asks for another.
        for name in ("LC_ALL", "LC_MESSAGES", "LANGUAGE"):
            self.env.pop(name, None)
        self.env["LANG"] = language
        self.env.update(env or {})  # what the test sets itself comes last
        if characters:
            folder = os.path.join(self.home, ".local", "share", "Parlino", "Characters")
            os.makedirs(folder)
            for name in characters:
                open(os.path.join(folder, name + ".acs"), "wb").close()
        if setup:
            setup(self.home, self.env)  # files and settings the test needs before the start
        self.proc = subprocess.Popen([PARLINO, *args], env=self.env, cwd=self.home,
                                     stdout=subprocess.DEVNULL, stderr=subprocess.PIPE)

    def close(self):
        if self.proc.poll() is None:
            self.proc.kill()
        self.proc.wait()
        self.proc.stderr.close()
        shutil.rmtree(self.home, ignore_errors=True)

    def xdo(self, *args):
        subprocess.run(["xdotool", *args], env=self.env, check=True, capture_output=True)

    def key(self, *keys):
        self.xdo("key", "--clearmodifiers", *keys)

    def type(self, text):
        self.xdo("type", "--delay", "15", text)

    def click(self, x, y):
        self.xdo("mousemove", "--sync", str(x), str(y), "click", "1")

    def find_window(self, title):
        done = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", title],
                              env=self.env, capture_output=True, text=True)
        ids = done.stdout.split()
        return ids[0] if ids else None

    def wait_window(self, title, timeout=15.0):
        if self.proc.poll() is not None:
            raise AssertionError("parlino ended: " + self.proc.stderr.read().decode())
        return wait_for("a window titled " + title,
                        lambda: self.proc.poll() is None and self.find_window(title), timeout)

    def dump(self, timeout=15.0):
        """The program's windows as it sees them after every key sent so far. F12 goes to the
        window that has the keyboard; while a window is still coming up it may reach none, so
        it is sent again until the program answers."""
        def read():
            try:
                with open(self.dump_path) as f:
                    return json.load(f)
            except (OSError, ValueError):
                return None

        deadline = time.monotonic() + timeout
        while True:
            if os.path.exists(self.dump_path):
                os.remove(self.dump_path)
            self.key("F12")
            try:
                return wait_for("the widget dump", read, timeout=1.0)
            except AssertionError:
                if time.monotonic() > deadline or self.proc.poll() is not None:
                    raise

    def wait_dump(self, what, test, timeout=10.0):
        """Dumps until `test(dump)` is true (the program handles keys in its own time)."""
        last = {}

        def probe():
            last["dump"] = self.dump()
            return test(last["dump"])
        try:
            wait_for(what, probe, timeout, interval=0.1)
        except AssertionError:
            dump = last.get("dump") or {}
            text = message_text(dump) if "windows" in dump else None
            raise AssertionError("timed out waiting for %s; last dump: focus %s %r, message %r" %
                                 (what, dump.get("focusClass"), dump.get("focusName"),
                                  text if text is None or len(text) < 200 else text[:200] + "..."))
        return last["dump"]


def walk(node):
    yield node
    for child in node.get("children", []):
        yield from walk(child)


def window(dump, title):
    for w in dump["windows"]:
        if title in w["title"]:
            return w
    return None


def find(node, cls, name=None):
    for n in walk(node):
        if n["class"] == cls and (name is None or n["name"] == name):
            return n
    return None


def message_text(dump):
    """The text of the message in the main window, or None while it is not shown."""
    view = find(window(dump, "Parlino") or {}, "CParlView")
    return view["text"] if view else None


def box_text(dump):
    """The text of the program's message box ("Parl"), or None while none is up."""
    for w in dump["windows"]:
        if w["title"] == "Parl":
            return "\n".join(n["text"] for n in walk(w) if n["class"] == "QLabel" and n["text"])
    return None


class DesktopTestCase(unittest.TestCase):
    """One display for the file's tests; each test starts the program with `start`."""

    @classmethod
    def setUpClass(cls):
        tool = missing_tool()
        if tool:
            if os.environ.get("CI"):
                raise AssertionError(tool + " is not installed")
            raise unittest.SkipTest(tool + " is not installed")
        cls.desktop = Desktop()

    @classmethod
    def tearDownClass(cls):
        cls.desktop.close()

    def start(self, *args, characters=("genie",), first_window="Parlino", env=None, setup=None,
              language="C.UTF-8"):
        """Starts parlino and waits for its first window (a message box may come first)."""
        session = Session(self.desktop, *args, characters=characters, env=env, setup=setup,
                          language=language)
        self.addCleanup(session.close)
        session.wait_window(first_window)
        return session


def main():
    global PARLINO
    if len(sys.argv) < 2:
        sys.exit("usage: %s PARLINO [unittest options]" % sys.argv[0])
    PARLINO = os.path.abspath(sys.argv.pop(1))
    signal.signal(signal.SIGTERM, lambda *_: sys.exit(1))  # cleanups run on a CTest timeout
    unittest.main(verbosity=2)
