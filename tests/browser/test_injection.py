"""Hostile text and settings compiled into a page add no element and run no script of their own.

Each message is compiled through both command-line paths: with --raw its RTF is compiled as it
stands, without it the file is opened through the editor's reader first. Every payload, were it
to reach the page as markup or end the page's script element, would add an element, set
window.injected or change the title; the page must show none of that.
"""
import pagecheck

TITLE = "Parlino MultiMedia Email"
SET = "window.injected=1"

# (what, RTF body, command-line options)
CASES = [
    # The escaped ">" stays inside the second tag, and would end the first one's "</SCRIPT x".
    ("a spoken </SCRIPT followed by a tag holding markup",
     "<genie Speak </SCRIPT x><genie Speak \\'3e<img id=injected src=x onerror=%s \\'3e>" % SET,
     ()),
    ("a played </script x and markup",
     "<genie Play </script x>\\par <genie Play \\'3e<img id=injected src=x onerror=%s\\'3e>" % SET,
     ()),
    ("markup written as escapes in read-aloud text",
     "\\'3c/script\\'3e\\'3cimg id=injected src=x onerror=%s\\'3e" % SET, ()),
    ("markup written as unicode escapes",
     "\\u60?img id=injected src=x onerror=%s\\u62? and \\u60?/script\\u62?" % SET, ()),
    ("a background picture with a handler",
     "Hello", ("--background-picture", "x.jpg onload=%s" % SET)),
    ("a background picture in single quotes with a handler after it",
     "Hello", ("--background-picture", "'x.jpg'onload=%s" % SET)),
    ("a background picture that closes the body tag",
     "Hello", ("--background-picture", "x.jpg><img id=injected src=x onerror=%s>" % SET)),
    ("the window's own names as character names",
     "<location Speak x><Navigator Play Wave><status Read> Hello <TOP Move Upper Left>", ()),
    ("a character location that ends the script",
     "Hello", ("--character-location",
               "http://x/\r\n</script><img id=injected src=x onerror=%s><script>" % SET)),
]

# A face with a quote: it would close face="..." and add attributes to the FONT tag.
HOSTILE_FACE = ('{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fswiss Ar"ial id=injected '
                'onmouseover=%s style="x;}}\r\n\\pard\\f0\\fs24 Hello\\par\r\n}\r\n' % SET)

CHECK = """
const onAttributes = [];
for (const element of document.querySelectorAll('*'))
    for (const attribute of element.attributes)
        if (attribute.name.toLowerCase().startsWith('on'))
            onAttributes.push(element.tagName + ' ' + attribute.name);
return {
    title: document.title,
    injected: typeof window.injected,
    byId: document.getElementById('injected') !== null,
    images: document.getElementsByTagName('img').length,
    scripts: Array.from(document.scripts).map(s =>
        (s.getAttribute('language') || '').toLowerCase() === 'vbscript' ? 'classic'
        : s.text.trimStart().startsWith('(function () {') ? 'player' : 'other'),
    onAttributes: onAttributes,
    text: document.body ? document.body.innerText : '',
    background: document.body ? document.body.getAttribute('background') : null,
};
"""


class Injection(pagecheck.BrowserTestCase):
    def check(self, what, rtf, options):
        for raw in (True, False):
            with self.subTest(what=what, raw=raw):
                page = pagecheck.compile_page(rtf, *options, raw=raw)
                self.browser.open_page(page)
                seen = self.browser.run(CHECK)
                self.assertEqual(seen["title"], TITLE)
                self.assertEqual(seen["injected"], "undefined")
                self.assertFalse(seen["byId"])
                self.assertEqual(seen["images"], 0)
                # The page's own VBScript element and, when it has steps, its player's block.
                self.assertIn(seen["scripts"], (["classic"], ["classic", "player"]))
                self.assertEqual(seen["onAttributes"], [])
                yield raw, seen

    def test_hostile_text_and_settings_inject_nothing(self):
        for what, body, options in CASES:
            for _ in self.check(what, pagecheck.rtf_message(body), options):
                pass

    def test_escaped_markup_is_shown_as_text(self):
        body = "\\'3cimg id=injected src=x onerror=%s\\'3e" % SET
        for raw, seen in self.check("escaped markup", pagecheck.rtf_message(body), ()):
            if raw:
                # As the author wrote it; the editor's reader turns the escape into a typed
                # "<", which opens a tag, so that path shows nothing of it.
                self.assertIn("<img id=injected src=x onerror=%s>" % SET, seen["text"])

    def test_a_projects_script_address_as_background_is_left_out(self):
        rtf = ('{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}{\\colortbl;}{\\*\\parlinosettings'
               '{\\backgroundpicture javascript:%s}}\\pard\\f0\\fs24 Hello\\par}' % SET)
        for raw, seen in self.check("a script address as background", rtf, ()):
            # The raw road takes no settings from the file; a project opens without it.
            self.assertIsNone(seen["background"])

    def test_a_face_with_a_quote_stays_inside_its_attribute(self):
        for _ in self.check("hostile face", HOSTILE_FACE, ()):
            pass


if __name__ == "__main__":
    pagecheck.main()
