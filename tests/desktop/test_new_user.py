"""What a new user meets: what was typed survives every answer to "Save changes?", the keyboard
goes back to the message after the script bar's lists, and no dialog cuts its text off."""
import os
import stat
import subprocess
from urllib.parse import unquote

import desktop
from desktop import box_text, find, message_text, walk, window


def file_name_field(dump):
    dialog = window(dump, "Save as an email or a project")
    field = dialog and find(dialog, "QLineEdit", "fileNameEdit")
    return field["text"] if field else None


# Each dialog: the keys that open it from the message, and the part of its title.
DIALOGS = [
    (("alt+e", "a"), "Advanced Options"),
    (("alt+s", "s"), "Enter text to speak"),
    (("alt+e", "h"), "Edit HTML"),
    (("ctrl+f",), "Find"),
    (("ctrl+h",), "Replace"),
    (("alt+e", "o", "p"), "Font"),
    (("alt+h", "a"), "About Parl"),
    (("ctrl+s",), "Save as an email or a project"),
    (("alt+f", "x"), "Parl"),  # "Save changes to Untitled?"
]


def clipped(dialog):
    """The texts of `dialog` shown smaller than they need."""
    return ["%s %r: %s < %s" % (n["class"], n["text"], n["rect"][2:], n["need"])
            for n in walk(dialog)
            if n["visible"] and "need" in n and
            (n["need"][0] > n["rect"][2] or n["need"][1] > n["rect"][3])]


class NewUser(desktop.DesktopTestCase):
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

    def test_escape_from_each_script_bar_list_gives_the_keyboard_back_to_the_message(self):
        app = self.start(characters=("genie", "merlin"))
        dump = app.wait_dump("the main window active", lambda d: window(d, "Parlino")["active"])
        lists = [n for n in walk(window(dump, "Parlino")) if n["class"] == "QComboBox"]
        self.assertEqual(len(lists), 3)
        typed = ""
        for entry in lists:
            # Dropped down, then Escape: the entries close and the next letter (the first
            # letter of another entry of every list) goes into the message.
            x, y = entry["global"]
            app.click(x + entry["rect"][2] // 2, y + entry["rect"][3] // 2)
            app.wait_dump("the list dropped down",
                          lambda d: d["focusClass"] != "CParlView" and len(d["windows"]) > 1)
            app.key("Escape")
            # A user sees the list close before typing on; a key sent while the drop-down
            # still holds the keyboard can go to it.
            app.wait_dump("the list closed", lambda d: len(d["windows"]) == 1)
            app.type("m")
            typed += "m"
            dump = app.wait_dump("the letter in the message",
                                 lambda d: message_text(d) == typed)
            self.assertEqual(find(window(dump, "Parlino"), "QComboBox", entry["name"])["text"],
                             entry["text"])

    def test_no_dialog_cuts_off_a_label_or_button_text_at_either_scale(self):
        for scale in ("1", "2"):
            app = self.start(env={"QT_SCALE_FACTOR": scale})
            app.wait_dump("the main window active", lambda d: window(d, "Parlino")["active"])
            app.type("Hi")
            for keys, title in DIALOGS:
                for key in keys:
                    app.key(key)
                app.wait_window(title)
                pages = 3 if title == "Advanced Options" else 1
                for _ in range(pages):
                    dump = app.wait_dump(title, lambda d: any(
                        w["title"] == title or w["title"].startswith(title + " ")
                        or (title != "Parl" and title in w["title"] and "Parlino" not in w["title"])
                        for w in d["windows"]))
                    for w in dump["windows"]:
                        if "Parlino" in w["title"]:
                            continue
                        measured = [n for n in walk(w) if n["visible"] and "need" in n]
                        self.assertTrue(measured, "no text measured in " + w["title"])
                        self.assertEqual(clipped(w), [], "%s at scale %s" % (w["title"], scale))
                    if pages > 1:
                        app.key("ctrl+Tab")
                app.key("Escape")
                app.wait_dump("%s closed" % title,
                              lambda d: [w["title"] for w in d["windows"]] ==
                              [window(d, "Parlino")["title"]])
            app.close()

    def test_a_folder_on_the_command_line_is_reported_and_the_window_opens_anyway(self):
        folder = os.path.dirname(os.path.abspath(__file__))
        app = self.start(folder, first_window="^Parl$")
        dump = app.wait_dump("the error", lambda d: box_text(d) is not None)
        self.assertIn(folder, box_text(dump))
        app.key("Return")
        dump = app.wait_dump("the window with an empty message",
                             lambda d: box_text(d) is None and window(d, "Parlino") is not None)
        self.assertEqual(message_text(dump), "")
        self.assertIn("Untitled", window(dump, "Parlino")["title"])
        app.type("typed")
        app.wait_dump("the text in the message", lambda d: message_text(d) == "typed")

    def test_an_unknown_option_is_named_with_the_usage(self):
        for option in ("--bogus", "-x"):
            done = subprocess.run([desktop.PARLINO, option, "file.plp"], capture_output=True,
                                  text=True, env=self.desktop.env, timeout=30)
            self.assertEqual(done.returncode, 2, option)
            self.assertIn("unknown option " + option, done.stderr)
            self.assertIn("usage: parlino", done.stderr)

    def test_send_writes_the_message_into_the_mail_and_attaches_the_page(self):
        # The desktop's own xdg-email hands the mail to the mail program set for mailto links;
        # here that is a stand-in that records its arguments.
        paths = {}

        def mail_program(home, env):
            bin_folder = os.path.join(home, "bin")
            os.makedirs(bin_folder)
            paths["record"] = record = os.path.join(home, "mail-arguments")
            mailer = os.path.join(bin_folder, "thunderbird")
            with open(mailer, "w") as f:
                f.write('#!/bin/sh\nprintf "%s\\0" "$@" > "' + record + '.part"\n'
                        'mv "' + record + '.part" "' + record + '"\n')
            os.chmod(mailer, stat.S_IRWXU)
            applications = os.path.join(home, ".local", "share", "applications")
            os.makedirs(applications)
            with open(os.path.join(applications, "thunderbird.desktop"), "w") as f:
                f.write("[Desktop Entry]\nType=Application\nName=Mail\nExec=thunderbird %u\n"
                        "MimeType=x-scheme-handler/mailto;\n")
            os.makedirs(os.path.join(home, ".config"), exist_ok=True)
            with open(os.path.join(home, ".config", "mimeapps.list"), "w") as f:
                f.write("[Default Applications]\nx-scheme-handler/mailto=thunderbird.desktop\n")
            env["PATH"] = bin_folder + os.pathsep + env["PATH"]
            env.pop("XDG_CURRENT_DESKTOP", None)

        app = self.start(setup=mail_program)
        record = None
        app.wait_dump("the main window active", lambda d: window(d, "Parlino")["active"])
        app.type("Dear Ann,")
        app.key("Return")
        app.key("alt+s")
        app.key("r")
        # As a user would, wait for the tag before typing on (a key sent while the menu still
        # holds the keyboard can go to the closing menu).
        app.wait_dump("the tag", lambda d: message_text(d) == "Dear Ann,\n<genie Read>")
        app.type("see you soon")
        app.wait_dump("the text", lambda d: message_text(d) ==
                      "Dear Ann,\n<genie Read>see you soon")
        app.key("alt+f")
        app.key("d")
        record = paths["record"]
        desktop.wait_for("the mail program", lambda: os.path.exists(record), timeout=30)
        with open(record) as f:
            args = f.read().split("\0")[:-1]
        self.assertEqual(args[0], "-compose")
        fields = args[1]
        self.assertIn("body=", fields)
        attachment = fields.split("attachment='", 1)[1].rstrip("'")
        self.assertTrue(attachment.endswith("/Untitled.htm"), attachment)
        path = attachment[len("file://"):] if attachment.startswith("file://") else attachment
        with open(path, "rb") as f:
            self.assertIn(b"see you soon", f.read())
        body = fields.split("body=", 1)[1].split(",attachment=", 1)[0]
        # The mailto link carries the lines with CR LF.
        body = unquote(body).replace("\r\n", "\n").rstrip("\n")
        self.assertEqual(body, "Dear Ann,\nsee you soon\n\nOpen the attached page, Untitled.htm, "
                         "in your web browser to see and hear this message.")


if __name__ == "__main__":
    desktop.main()
