"""The welcome message's page opens in Chromium with its text and without script errors."""
import os

import pagecheck

EXAMPLE = os.path.join(os.path.dirname(__file__), "..", "..", "examples", "welcome.rtf")


class PageLoads(pagecheck.BrowserTestCase):
    def test_welcome_page_shows_its_text(self):
        with open(EXAMPLE, "rb") as f:
            page = pagecheck.compile_page(f.read())
        self.browser.open_page(page)
        text = self.browser.run("return document.body.innerText")
        self.assertIn("Parlino", text)
        self.assertNotIn("genie Speak", text)


if __name__ == "__main__":
    pagecheck.main()
