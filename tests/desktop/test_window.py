"""The window as a user meets it on a real display: where the keyboard goes, what the option
pages show, and a message typed and saved through the real file dialog."""
import os

import desktop
from desktop import find, message_text, walk, window


class Window(desktop.DesktopTestCase):
    def test_typing_at_start_goes_to_the_message_and_saves_through_the_file_dialog(self):
        # No character files, as on a new desktop: no box comes up, the first word typed goes
        # into the message, and the page's own characters are offered.
        app = self.start(characters=())
        app.wait_dump("the main window active", lambda d: window(d, "Parlino")["active"])
        app.type("Hello world")
        dump = app.wait_dump("the typed text in the message",
                             lambda d: message_text(d) == "Hello world")
        self.assertEqual([w["title"] for w in dump["windows"]], [window(dump, "Parlino")["title"]])
        self.assertEqual(find(window(dump, "Parlino"), "QComboBox")["text"], "genie")

        app.key("ctrl+s")
        app.wait_window("Save as an email or a project")
        target = os.path.join(app.home, "hello.plp")
        app.type(target)
        app.key("Return")
        desktop.wait_for("the saved project", lambda: os.path.exists(target) and
                         b"Hello world" in open(target, "rb").read())
        app.wait_dump("the project's name in the title", lambda d: window(d, "hello") is not None)

        # After the dialog the keyboard is back in the message.
        app.type("!")
        app.wait_dump("the text typed after saving", lambda d: message_text(d) == "Hello world!")

    def test_every_options_page_shows_every_control_of_its_template(self):
        app = self.start()
        app.key("alt+e")
        app.key("a")
        app.wait_window("Advanced Options")
        pages = {}
        for _ in range(3):
            dump = app.dump()
            sheet = window(dump, "Advanced Options")
            self.assertIsNotNone(sheet)
            for page in walk(sheet):
                if "templateItems" in page and page["visible"]:
                    pages[page["text"] or page["name"] or str(len(pages))] = page
                    self.check_page(page)
            app.key("ctrl+Tab")
        self.assertEqual(len(pages), 3, "pages shown: %s" % list(pages))

        # Closing the sheet gives the keyboard back to the message.
        app.key("Escape")
        app.wait_dump("the sheet closed", lambda d: window(d, "Advanced Options") is None)
        app.type("after")
        app.wait_dump("the text typed after the sheet", lambda d: message_text(d) == "after")

    def test_ok_refuses_a_script_address_as_the_background_picture(self):
        app = self.start()
        app.key("alt+e")
        app.key("a")
        app.wait_window("Advanced Options")
        def picture_edit(d):
            # The Locations page's fourth control.
            for n in walk(window(d, "Advanced Options") or {}):
                if (n.get("class") == "QLineEdit" and n.get("templateItem") == 3 and
                        n.get("visible")):
                    return n
            return None
        # The sheet opens on the Defaults page: go round to the Locations page.
        for _ in range(3):
            if picture_edit(app.dump()) is not None:
                break
            app.key("ctrl+Tab")
        dump = app.wait_dump("the picture's edit", lambda d: picture_edit(d) is not None)
        edit = picture_edit(dump)
        x, y = edit["global"]
        app.click(x + edit["rect"][2] // 2, y + edit["rect"][3] // 2)
        app.type("javascript:alert(1)")
        app.key("Return")

        def refusal(d):
            return any("cannot be the background picture" in (n.get("text") or "")
                       for w in d["windows"] for n in walk(w))
        app.wait_dump("the refusal", refusal)
        app.key("Return")
        dump = app.wait_dump("the refusal closed", lambda d: not refusal(d))
        # The sheet stays open on the picture, which the user can put right.
        sheet = window(dump, "Advanced Options")
        self.assertIsNotNone(sheet)
        self.assertEqual(picture_edit(dump)["text"], "javascript:alert(1)")
        app.key("Escape")
        app.wait_dump("the sheet closed", lambda d: window(d, "Advanced Options") is None)

    def check_page(self, page):
        width, height = page["rect"][2], page["rect"][3]
        controls = {c["templateItem"]: c for c in page["children"] if "templateItem" in c}
        self.assertEqual(sorted(controls), list(range(page["templateItems"])),
                         "controls of a page")
        for index, control in controls.items():
            x, y, w, h = control["rect"]
            what = "%s %r (item %d) of a %dx%d page at %s" % (
                control["class"], control["text"], index, width, height, control["rect"])
            self.assertTrue(control["visible"], "hidden: " + what)
            self.assertTrue(w > 0 and h > 0, "empty: " + what)
            self.assertTrue(x >= 0 and y >= 0 and x + w <= width and y + h <= height,
                            "outside the page: " + what)

    def test_the_html_document_dialog_starts_in_its_edit_box(self):
        app = self.start()
        app.type("Hi")
        app.key("alt+e")
        app.key("h")
        app.wait_window("Edit HTML")
        dump = app.wait_dump("the page text", lambda d: window(d, "Edit HTML") is not None)
        self.assertEqual(dump["focusName"], "1001")
        # A space typed at once goes into the page, and the dialog stays open.
        app.type(" ")
        dump = app.wait_dump("the space in the page", lambda d: find(
            window(d, "Edit HTML"), "QPlainTextEdit", "1001")["text"].startswith(" "))
        self.assertIsNotNone(window(dump, "Edit HTML"))
        app.key("Escape")
        app.wait_dump("the dialog closed", lambda d: window(d, "Edit HTML") is None)

    def test_a_choice_in_a_script_bar_list_gives_the_keyboard_back_to_the_message(self):
        app = self.start(characters=("genie", "merlin"))
        dump = app.dump()
        combo = find(window(dump, "Parlino"), "QComboBox")
        self.assertEqual(combo["text"], "genie")
        x, y = combo["global"]
        app.click(x + combo["rect"][2] // 2, y + combo["rect"][3] // 2)
        app.key("Down")
        app.key("Return")
        app.wait_window("Parlino")
        # The page's own characters come first: genie, robby, merlin.
        app.wait_dump("robby chosen",
                      lambda d: find(window(d, "Parlino"), "QComboBox")["text"] == "robby")
        app.type("Hello")
        app.wait_dump("the typed text in the message", lambda d: message_text(d) == "Hello")


if __name__ == "__main__":
    desktop.main()
