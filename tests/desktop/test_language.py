"""The window in the desktop's language: with LANG=de_DE.UTF-8 (no such locale need be
generated) menus, message boxes and dialogs speak German, and every text is shown whole."""
import desktop
from desktop import find, walk, window


def clipped(top):
    """The texts of `top` that are cut off, by their own width or by a control over them."""
    found = []
    for parent in walk(top):
        siblings = [c for c in parent.get("children", []) if c["visible"]]
        for c in siblings:
            if not c["text"] or c["class"] not in ("QLabel", "QCheckBox", "QRadioButton",
                                                   "QPushButton"):
                continue
            need = c["textWidth"] if c["class"] == "QPushButton" else c["hint"]
            x, y, w, h = c["rect"]
            if not c.get("wordWrap") and w < need:
                found.append("%r is %d wide, needs %d" % (c["text"], w, need))
            for o in siblings:
                ox, oy, ow, oh = o["rect"]
                if o is not c and ox < x + w and x < ox + ow and oy < y + h and y < oy + oh \
                        and o["class"] not in ("QWidget", "QFrame", "QGroupBox"):
                    found.append("%r is covered by %s %r" % (c["text"], o["class"], o["text"]))
    return found


def message_box(dump):
    """The program's message box (its caption is the program's short name), or None."""
    return next((w for w in dump["windows"] if w["title"] == "Parl"), None)


class Language(desktop.DesktopTestCase):
    def test_german_desktop_shows_german_menus_and_whole_dialogs(self):
        # A changed message asks in German before New replaces it; Cancel keeps it.
        app = self.start(language="de_DE.UTF-8")
        dump = app.wait_dump("the main window active", lambda d: window(d, "Parlino")["active"])
        self.assertIn("Unbenannt", window(dump, "Parlino")["title"])
        app.type("x")
        app.key("ctrl+n")
        dump = app.wait_dump("the question", lambda d: message_box(d) is not None)
        texts = [n["text"].replace("&", "") for n in walk(message_box(dump))]
        self.assertIn("Änderungen an Unbenannt speichern?", texts)
        self.assertIn("Abbrechen", texts)
        app.key("Escape")
        dump = app.wait_dump("the question answered", lambda d: message_box(d) is None)
        self.assertEqual(find(window(dump, "Parlino"), "CParlView")["text"], "x")
        bar = find(window(dump, "Parlino"), "QMenuBar")
        self.assertEqual(bar["menus"], ["&Datei", "&Bearbeiten", "&Skript", "&Ansicht", "&Hilfe"])

        rows = [  # keys that open the dialog, its title, a text it shows
            (("ctrl+h",), "Ersetzen", "Groß-/Kleinschreibung beachten"),
            (("alt+b", "o"), "Erweiterte Optionen", "In Browsern ohne Figurensteuerung abspielen"),
        ]
        for keys, title, text in rows:
            for key in keys:
                app.key(key)
            app.wait_window(title)
            dump = app.wait_dump(title, lambda d: window(d, title) is not None)
            dialog = window(dump, title)
            self.assertIn(text, [n["text"].replace("&", "") for n in walk(dialog)], title)
            self.assertEqual(clipped(dialog), [], title)
            app.key("Escape")
            app.wait_dump(title + " closed", lambda d: window(d, title) is None)

    def test_english_elsewhere(self):
        app = self.start()
        bar = find(window(app.dump(), "Parlino"), "QMenuBar")
        self.assertEqual(bar["menus"], ["&File", "&Edit", "&Script", "&View", "&Help"])


if __name__ == "__main__":
    desktop.main()
