"""The page's own player in Chromium: Play runs the show of the tags with speech (recorded in
place of the browser's speech), drawn characters that move and gesture, and nothing else.

Speech is replaced before any script of the page runs; the recorder notes each utterance with the
character whose balloon shows it. The player's times are divided by window.parlinoSpeed.
"""
import time

import pagecheck

RECORDER = r"""
window.parlinoSpeed = %(speed)s;
window.__said = []; window.__anims = []; window.__balloons = []; window.__errors = [];
window.addEventListener('error', function (e) { __errors.push(String(e.message)); });
new MutationObserver(function (list) {
  list.forEach(function (m) {
    var t = m.target;
    if (m.type === 'attributes' && m.oldValue !== null)  // an animation that has been played
      __anims.push([t.getAttribute('data-character'), m.oldValue]);
    if (m.type === 'childList' && t.className === 'parl-balloon' && t.textContent)
      __balloons.push([t.getAttribute('data-character'), t.textContent]);
  });
}).observe(document, {subtree: true, attributes: true, childList: true, attributeOldValue: true, attributeFilter: ['data-animation']});
(function (mode) {
  if (mode === 'missing') {
    Object.defineProperty(window, 'speechSynthesis', {value: undefined, configurable: true});
    Object.defineProperty(window, 'SpeechSynthesisUtterance', {value: undefined, configurable: true});
    return;
  }
  if (mode === 'activex') window.ActiveXObject = function () {};
  var fake = {
    speaking: false, pending: false, paused: false,
    getVoices: function () { return []; },
    speak: function (u) {
      setTimeout(function () {
        u.dispatchEvent(new Event('start'));
        // The balloon that shows the utterance while it is heard.
        var shown = Array.prototype.filter.call(document.querySelectorAll('.parl-balloon'),
          function (b) { return !b.hidden && b.textContent === u.text; });
        __said.push([shown.length === 1 ? shown[0].getAttribute('data-character') : null, u.text]);
        setTimeout(function () { u.dispatchEvent(new Event('end')); }, %(talk)s);
      }, 1);
    },
    cancel: function () {}, pause: function () {}, resume: function () {}
  };
  Object.defineProperty(window, 'speechSynthesis', {value: fake, configurable: true});
})('%(mode)s');
"""

# The page's text without the player's own elements and without any script (the line end after
# the block is white space at the end of the body, which no reader sees).
PAGE_TEXT = """
var body = document.body.cloneNode(true);
Array.prototype.forEach.call(body.querySelectorAll('script, style, .parl-stage, .parl-play'),
  function (e) { e.parentNode.removeChild(e); });
return body.textContent.replace(/\s+$/, '');
"""


def rtf_text(text):
    """Text as the editor writes it into RTF: escapes for braces, backslashes and non-ASCII."""
    out = []
    for ch in text:
        if ch in "\\{}":
            out.append("\\" + ch)
        elif ch == "\n":
            out.append("\\par\r\n")
        elif 32 <= ord(ch) < 127:
            out.append(ch)
        else:
            try:
                out.append("\\'%02x" % ch.encode("cp1252")[0])
            except UnicodeEncodeError:
                units = ch.encode("utf-16-le")
                for i in range(0, len(units), 2):
                    n = int.from_bytes(units[i:i + 2], "little", signed=True)
                    out.append("\\u%d?" % n)
    return "".join(out)


def page(body, *options):
    return pagecheck.compile_page(pagecheck.rtf_message(body), *options)


class PlaybackCase(pagecheck.BrowserTestCase):
    speed = 40

    def open(self, path, mode="fake", speed=None, talk=2):
        script = RECORDER % {"speed": speed or self.speed, "mode": mode, "talk": talk}
        self.browser.open_page(path, init_script=script)

    def play(self, timeout=30):
        """Clicks Play and waits until the button offers Replay; returns the seconds taken."""
        start = time.time()
        self.browser.run("document.querySelector('.parl-play').click()")
        while self.browser.run("return document.querySelector('.parl-play').getAttribute('data-state')") != "done":
            if time.time() - start > timeout:
                self.fail("the show did not end within %d s" % timeout)
            time.sleep(0.05)
        return time.time() - start

    def said(self):
        return [tuple(x) for x in self.browser.run("return window.__said")]

    def boxes(self):
        return self.browser.run("""
            var v = document.documentElement;
            return Array.prototype.map.call(document.querySelectorAll('.parl-char'), function (c) {
              var r = c.getBoundingClientRect();
              return [c.getAttribute('data-character'), r.left, r.top, r.right, r.bottom,
                      c.className.indexOf('parl-hidden') >= 0, v.clientWidth, v.clientHeight];
            });""")

    def assert_no_console_errors(self):
        self.assertEqual([], self.browser.console_errors())
        self.assertEqual([], self.browser.run("return window.__errors"))


class Show(PlaybackCase):
    def test_two_characters_speak_gesture_and_move_in_order(self):
        path = page("Hello <genie Speak Hi there!> reader.\\par <merlin Speak I am merlin.>"
                    "<genie Play Wave><merlin Play Greet><genie Play Sad><genie Play Jump>"
                    "<merlin Move Lower Right><genie Speak Bye.>")
        self.open(path)
        self.assertEqual("Play", self.browser.run("return document.querySelector('.parl-play').textContent"))
        self.play()
        self.assertEqual([("genie", "Hi there!"), ("merlin", "I am merlin."), ("genie", "Bye.")],
                         self.said())
        anims = [tuple(x) for x in self.browser.run("return window.__anims")]
        self.assertEqual([("genie", "Wave"), ("genie", "Sad"), ("genie", "Jump")],
                         [a for a in anims if a[0] == "genie"])
        self.assertEqual([("merlin", "Greet")], [a for a in anims if a[0] == "merlin"])
        boxes = {b[0]: b for b in self.boxes()}
        self.assertTrue(all(b[5] for b in boxes.values()), "every character hides at the end")
        name, left, top, right, bottom, hidden, width, height = boxes["merlin"]
        self.assertTrue(width - 40 <= right <= width and height - 40 <= bottom <= height,
                        "Lower Right at %s in a %dx%d window" % ((left, top, right, bottom), width, height))
        self.assertEqual("Replay", self.browser.run("return document.querySelector('.parl-play').textContent"))
        self.play()  # Replay runs the whole show again
        self.assertEqual([("genie", "Hi there!"), ("merlin", "I am merlin."), ("genie", "Bye.")] * 2,
                         self.said())
        self.assert_no_console_errors()

    def test_hostile_messages_keep_the_page_and_are_spoken_as_typed(self):
        texts = ["a </script", "--", "<!-- x", "\"quoted\" and 'single'", "back\\slash \\u0041",
                 "line\u2028sep", "caf\u00e9 na\u00efve \u20ac", "\u65e5\u672c\u8a9e \U0001F600",
                 "');window.__injected=1;//", "\"+(window.__injected=1)+\"", "first\nsecond"]
        body = rtf_text("Text & more --> ") + "".join("<genie Speak %s>" % rtf_text(t) for t in texts)
        body += "<Genie Speak twin><GENIE Play Wave>" + rtf_text(" end.")
        path = page(body)
        classic = page(body, "--classic")
        self.open(classic)
        classic_text = self.browser.run(PAGE_TEXT)
        self.open(path)
        self.assertEqual(classic_text, self.browser.run(PAGE_TEXT))
        self.play()
        expected = [t.replace("\n", " ") for t in texts] + ["twin"]
        self.assertEqual([("genie", t) for t in expected], self.said())
        self.assertEqual(1, self.browser.run("return document.querySelectorAll('.parl-char').length"))
        self.assertIsNone(self.browser.run("return window.__injected"))
        self.assertEqual(classic_text, self.browser.run(PAGE_TEXT))
        self.assert_no_console_errors()

    def test_twenty_characters_and_ten_thousand_tags(self):
        names = ["c%d" % i for i in range(20)]
        body = "".join("<%s Speak I am %s.>" % (n, n) for n in names)
        body += "".join("<%s Play Wave><%s Move Lower Right>" % (names[i % 20], names[i % 20])
                        for i in range(4990))
        path = page(body)
        self.open(path, speed=1e9)
        self.play(timeout=60)
        self.assertEqual([(n, "I am %s." % n) for n in names], self.said())
        self.assertEqual(4990, self.browser.run("return window.__anims.length"))
        for name, left, top, right, bottom, hidden, width, height in self.boxes():
            self.assertTrue(left >= 0 and top >= 0 and right <= width and bottom <= height, name)
        self.assert_no_console_errors()

    def test_read_text_stop_and_escape(self):
        path = page("<robby Read>First paragraph.\\par Second one.\\par")
        self.open(path, speed=1, talk=5000)
        self.browser.run("document.querySelector('.parl-play').click()")
        time.sleep(1.0)
        self.assertEqual("Stop", self.browser.run("return document.querySelector('.parl-play').textContent"))
        self.assertEqual(1, self.browser.run("return document.querySelectorAll('.parl-reading').length"))
        self.browser.run("document.dispatchEvent(new KeyboardEvent('keydown', {key: 'Escape'}))")
        self.assertEqual("Play", self.browser.run("return document.querySelector('.parl-play').textContent"))
        self.assertEqual(0, self.browser.run("return document.querySelectorAll('.parl-reading').length"))
        self.open(path)
        self.play()
        self.assertEqual([("robby", "First paragraph."), ("robby", "Second one.")], self.said())
        self.assert_no_console_errors()

    def test_without_speech_the_balloons_carry_the_show(self):
        path = page("<genie Speak One two three.><merlin Speak Four.><genie Play Think>")
        self.open(path, mode="missing")
        self.assertLess(self.play(timeout=20), 10)
        self.assertEqual([["genie", "One two three."], ["merlin", "Four."]],
                         self.browser.run("return window.__balloons"))
        self.assert_no_console_errors()

    def test_a_browser_with_the_control_plays_nothing_from_the_block(self):
        self.open(page("<genie Speak Hi.>"), mode="activex")
        self.assertEqual(0, self.browser.run(
            "return document.querySelectorAll('.parl-play, .parl-stage, .parl-char').length"))
        self.assertEqual([], self.said())

    def test_no_button_without_a_character_step(self):
        for path in (page(""), page("<genie Speak Hi.>", "--classic")):
            self.open(path)
            self.assertEqual(0, self.browser.run("return document.querySelectorAll('.parl-play').length"))


class SmallWindow(PlaybackCase):
    width, height = 640, 520

    def test_lower_right_is_at_the_lower_right(self):
        self.open(page("<robby Move Lower Right><robby Move Upper Left><robby Move Lower Right>",
                       "--screen", "1024x768"))
        self.play()
        boxes = self.boxes()
        self.assertEqual(1, len(boxes))
        name, left, top, right, bottom, hidden, width, height = boxes[0]
        self.assertTrue(width - 40 <= right <= width and height - 40 <= bottom <= height,
                        "Lower Right at %s in a %dx%d window" % ((left, top, right, bottom), width, height))
        self.assert_no_console_errors()

    def test_reduced_motion_places_the_characters_without_gliding(self):
        self.browser.driver.execute_cdp_cmd("Emulation.setEmulatedMedia", {
            "features": [{"name": "prefers-reduced-motion", "value": "reduce"}]})
        try:
            self.open(page("<genie Move Lower Right><genie Play Wave><genie Speak Done.>"), speed=4)
            self.browser.run("document.querySelector('.parl-play').click()")
            time.sleep(0.3)
            styles = self.browser.run("""
                var c = document.querySelector('.parl-char'), r = c.getBoundingClientRect();
                return [getComputedStyle(c).transitionDuration, c.getAttribute('data-animation'),
                        getComputedStyle(c.querySelector('.pa-arm-r')).animationName,
                        r.right, document.documentElement.clientWidth];""")
            self.assertEqual("0s", styles[0].split(",")[0].strip())
            self.assertEqual("Wave", styles[1])
            # The gesture shows as one still pose: its animation held, not played.
            self.assertEqual("parl-wave", styles[2])
            self.assertEqual("paused", self.browser.run(
                "return getComputedStyle(document.querySelector('.parl-char .pa-arm-r')).animationPlayState"))
            self.assertGreater(styles[3], styles[4] - 40, "already at the lower right")
        finally:
            self.browser.driver.execute_cdp_cmd("Emulation.setEmulatedMedia", {"features": []})


if __name__ == "__main__":
    pagecheck.main()
