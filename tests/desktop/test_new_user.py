"""What a user typed survives every answer to "Save changes?", and the keyboard goes where the
user expects after the script bar's lists."""
import os

import desktop
from desktop import find, walk, window


def message_text(dump):
    view = find(window(dump, "Parlino"), "CParlView")
    return view["text"] if view else None


def box_text(dump):
    """The text of the program's message box ("Parl"), or None while none is up."""
    for w in dump["windows"]:
        if w["title"] == "Parl":
            return "\n".join(n["text"] for n in walk(w) if n["class"] == "QLabel" and n["text"])
    return None


def file_name_field(dump):
    dialog = window(dump, "Save as an email or a project")
    field = dialog and find(dialog, "QLineEdit", "fileNameEdit")
    return field["text"] if field else None


class Keeping(desktop.DesktopTestCase):
    def test_exit_after_an_email_save_keeps_the_message_in_a_project(self):
        app = self.start(characters=())
        app.wait_dump("the main window active", lambda d: window(d, "Parlino")["active"])
        app.type("Keep these words")
        app.wait_dump("the typed text", lambda d: message_text(d) == "Keep these words")
        page = os.path.join(app.home, "note.htm")
        project = os.path.join(app.home, "note.plp")

        app.key("ctrl+s")
        app.wait_window("Save as an email or a project")
        app.type(page)
        app.key("Return")
        desktop.wait_for("the page", lambda: os.path.exists(page))
        app.wait_dump("the save dialog closed",
                      lambda d: window(d, "Save as an email or a project") is None)

        # Exit: "Save changes?" Yes proposes the page's name as a project.
        app.key("alt+f")
        app.key("x")
        app.wait_dump("the question", lambda d: "Save changes" in (box_text(d) or ""))
        app.key("alt+y")
        dump = app.wait_dump("the save dialog", lambda d: file_name_field(d) is not None)
        self.assertEqual(file_name_field(dump), "note.plp")

        # The user saves the page again instead: "Replace?" Yes writes it, and since no
        # project holds the message the question comes back; Cancel keeps the window.
        app.key("ctrl+a")
        app.type("note.htm")
        app.key("Return")
        app.wait_dump("the replace question", lambda d: "replace" in (box_text(d) or ""))
        app.key("alt+y")
        app.wait_dump("the question again", lambda d: "Save changes" in (box_text(d) or ""))
        app.key("Escape")
        dump = app.wait_dump("the window back", lambda d: box_text(d) is None and
                             window(d, "Parlino") is not None)
        self.assertEqual(message_text(dump), "Keep these words")
        self.assertIsNone(app.proc.poll())
        self.assertFalse(os.path.exists(project))

        # Exit again and take the proposed project: the message is in it and the program ends.
        app.key("alt+f")
        app.key("x")
        app.wait_dump("the question", lambda d: "Save changes" in (box_text(d) or ""))
        app.key("alt+y")
        app.wait_dump("the save dialog", lambda d: file_name_field(d) == "note.plp")
        app.key("Return")
        desktop.wait_for("the program to end", lambda: app.proc.poll() is not None)
        with open(project, "rb") as f:
            self.assertIn(b"Keep these words", f.read())


if __name__ == "__main__":
    desktop.main()
