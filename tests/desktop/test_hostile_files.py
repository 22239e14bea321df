"""Files a user did not make, met by the real program: whatever stands in its data folder
(FIFOs, links to endless devices, a record the size of a film) never stops the window from coming
up and taking the first word typed, and a message with 40,000 faces the system lacks opens in
reasonable time and is saved with every face's name."""
import json
import os
import re
import time

import desktop
from desktop import box_text, message_text, window

MEMORY_LIMIT_KB = 500 * 1024


def peak_memory_kb(pid):
    with open("/proc/%d/status" % pid) as f:
        for line in f:
            if line.startswith("VmHWM:"):
                return int(line.split()[1])
    raise AssertionError("no VmHWM for process %d" % pid)


def data_folder(home):
    return os.path.join(home, ".local", "share", "Parlino")


def recovery_folder(home):
    return os.path.join(data_folder(home), "Recovery")


COPY = b"{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Arial;}}\\pard\\f0\\fs24 Saved words\\par\r\n}\r\n"


def record(words_size):
    # The record as the program writes it, with first words of `words_size` characters.
    head = json.dumps({"file": "", "time": "2026-01-02T03:04:05.000Z", "version": "1"})
    return (head[:-1] + ', "words": "' + "A" * words_size + '"}').encode()


def plant_words_fifo(home):
    os.makedirs(data_folder(home))
    os.mkfifo(os.path.join(data_folder(home), "words.txt"))
    return os.path.join(data_folder(home), "words.txt")


def plant_words_link(home):
    os.makedirs(data_folder(home))
    os.symlink("/dev/zero", os.path.join(data_folder(home), "words.txt"))
    return os.path.join(data_folder(home), "words.txt")


def plant_copy_fifo(home):
    os.makedirs(recovery_folder(home))
    path = os.path.join(recovery_folder(home), "1-1.plp")
    os.mkfifo(path)
    with open(os.path.join(recovery_folder(home), "1-1.info"), "wb") as f:
        f.write(record(10))
    return path


def plant_copy_link(home):
    os.makedirs(recovery_folder(home))
    path = os.path.join(recovery_folder(home), "1-1.plp")
    os.symlink("/dev/zero", path)
    return path


def plant_copy_with_record(words_size):
    def plant(home):
        os.makedirs(recovery_folder(home))
        with open(os.path.join(recovery_folder(home), "1-1.plp"), "wb") as f:
            f.write(COPY)
        with open(os.path.join(recovery_folder(home), "1-1.info"), "wb") as f:
            f.write(record(words_size))
        return None
    return plant


# What is planted; the words the message box names it by (None: no box); whether the copy is
# offered back (and restored).
ROWS = [
    ("FIFO as the list of added words", plant_words_fifo, "list of added words", False),
    ("link to /dev/zero as the list of added words", plant_words_link, "list of added words",
     False),
    ("FIFO as a recovery copy", plant_copy_fifo, "recovery copy cannot be read", False),
    ("link to /dev/zero as a recovery copy", plant_copy_link, "recovery copy cannot be read",
     False),
    ("50 MB of first words in a copy's record", plant_copy_with_record(50 * 1024 * 1024), None,
     True),
    ("60 KB of first words in a copy's record", plant_copy_with_record(60 * 1024), None, True),
]


def font_table_and_body(rtf):
    """The faces of the font table by number, and what follows the table."""
    start = rtf.index("{\\fonttbl")
    depth = 0
    for end in range(start, len(rtf)):
        if rtf[end] == "{":
            depth += 1
        elif rtf[end] == "}":
            depth -= 1
            if depth == 0:
                break
    faces = {}
    for entry in re.finditer(r"\{\\f(\d+)[^ ;{}]*\s?([^;{}]*);\}", rtf[start:end + 1]):
        faces[int(entry.group(1))] = entry.group(2).strip()
    return faces, rtf[end + 1:]


class HostileFiles(desktop.DesktopTestCase):
    def test_files_planted_in_the_data_folder_never_stop_the_start(self):
        for what, plant, box_words, offered in ROWS:
            with self.subTest(what):
                planted = {}
                began = time.monotonic()
                app = self.start(characters=(), first_window="Parl|Recover Messages",
                                 setup=lambda home, env: planted.update(path=plant(home)))
                # Answer what comes before the window: the box naming what was set aside, the
                # offer of a copy (restored).
                seen = {"box": None, "offer": False}

                def window_up(d):
                    # Each is answered once: the dump after the key shows it gone.
                    text = box_text(d)
                    if text is not None and seen["box"] is None:
                        seen["box"] = text
                        app.key("Return")
                        return False
                    if window(d, "Recover Messages") is not None and not seen["offer"]:
                        seen["offer"] = True
                        app.key("Return")
                        return False
                    main = window(d, "Parlino")
                    return main is not None and main["active"]
                app.wait_dump("the main window", window_up, timeout=20.0)
                up = time.monotonic() - began
                app.type("Hello")
                dump = app.wait_dump("the typed word in the message",
                                     lambda d: "Hello" in (message_text(d) or ""))
                peak = peak_memory_kb(app.proc.pid)
                print("%s: window up in %.1f s, peak memory %d MB" % (what, up, peak // 1024))
                self.assertLess(peak, MEMORY_LIMIT_KB)

                if box_words is None:
                    self.assertIsNone(seen["box"])
                else:
                    self.assertIn(box_words, seen["box"] or "")
                    # Set aside into "Damaged", as the box says, and nothing left at its name.
                    self.assertIn(os.path.join(os.path.dirname(planted["path"]), "Damaged"),
                                  seen["box"])
                    self.assertFalse(os.path.lexists(planted["path"]))
                self.assertEqual(seen["offer"], offered)
                if offered:
                    self.assertIn("Saved words", message_text(dump))
                self.assertIsNone(app.proc.poll())
                app.close()  # the next row starts on a desktop of its own

    def test_forty_thousand_missing_faces_open_and_save_with_every_name(self):
        fonts = 40000
        parts = ["{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl"]
        parts += ["{\\f%d\\fnil\\fcharset0 Missing Face %d;}" % (i, i) for i in range(fonts)]
        parts.append("}\r\n\\pard\\fs24 ")
        for i in range(fonts):
            parts.append("\\f%d word%d " % (i, i))
            if i % 8 == 7:
                parts.append("\\par\r\n")
        parts.append("\\par\r\n}\r\n")
        rtf = "".join(parts).encode("ascii")

        name = "faces40000"
        files = {}

        def setup(home, env):
            files["source"] = os.path.join(home, name + ".rtf")
            with open(files["source"], "wb") as f:
                f.write(rtf)
        began = time.monotonic()
        app = self.start(name + ".rtf", characters=(), first_window=name,
                         setup=setup)
        titled = time.monotonic() - began
        app.wait_dump("the window active", lambda d: (window(d, name) or {}).get("active"),
                      timeout=30.0)
        app.type("Hi")
        dump = app.wait_dump("the typed word in the message",
                             lambda d: (message_text(d) or "").startswith("Hi"), timeout=30.0)
        typing = time.monotonic() - began
        peak = peak_memory_kb(app.proc.pid)
        print("%d faces, %d bytes: title after %.1f s, typing after %.1f s, peak memory %d MB" %
              (fonts, len(rtf), titled, typing, peak // 1024))
        self.assertIn("word%d" % (fonts - 1), message_text(dump))
        self.assertLess(typing, 20.0)
        self.assertLess(peak, MEMORY_LIMIT_KB)

        # File > Save As, as a project of another name.
        app.key("alt+f")
        app.key("a")
        app.wait_window("Save as an email or a project")
        target = os.path.join(app.home, "saved.plp")
        app.key("ctrl+a")
        app.type(target)
        app.key("Return")

        def whole():
            with open(target, "rb") as f:
                return f.read().rstrip().endswith(b"}")
        desktop.wait_for("the saved project", lambda: os.path.exists(target) and whole(),
                         timeout=30.0)
        app.wait_dump("the project's name in the title", lambda d: window(d, "saved") is not None,
                      timeout=30.0)
        with open(target, "rb") as f:
            saved = f.read().decode("latin-1")

        faces, body = font_table_and_body(saved)
        named = {face for face in faces.values() if face.startswith("Missing Face ")}
        self.assertEqual(named, {"Missing Face %d" % i for i in range(fonts)})
        # Each word still shows in its own face.
        current, words, wrong = None, 0, []
        for token in re.finditer(r"\\f(\d+)|word(\d+)", body):
            if token.group(1) is not None:
                current = int(token.group(1))
                continue
            words += 1
            if faces.get(current) != "Missing Face " + token.group(2):
                wrong.append("word%s in %r" % (token.group(2), faces.get(current)))
        self.assertEqual(words, fonts)
        self.assertEqual(wrong[:5], [])


if __name__ == "__main__":
    desktop.main()
