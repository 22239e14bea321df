"""Loads compiled pages in headless Chromium for the browser tests.

A test compiles a message with the real program (`compile_page`), opens the page with
`open_page`, which can run a script of its own before any script of the page does (to record
speech, say), and asks the page questions through the driver. Every test file is a plain
unittest module run by CTest as `python3 FILE PARLINO`; the program's path comes from the command
line, and a machine without Chromium or its driver skips the tests with the reason.
"""
import os
import shutil
import subprocess
import sys
import tempfile
import unittest

PARLINO = None  # set by main() from the command line


def _find(*names):
    for name in names:
        path = shutil.which(name)
        if path:
            return path
    return None


def chromium_missing():
    """The reason the browser tests cannot run here, or None."""
    try:
        import selenium  # noqa: F401
    except ImportError:
        return "python3-selenium is not installed"
    if not _find("chromium", "chromium-browser"):
        return "chromium is not installed"
    if not _find("chromedriver"):
        return "chromium-driver is not installed"
    return None


def compile_page(rtf, *options, raw=True, workdir=None):
    """Compiles the RTF text (str or bytes) with `parlino --compile`; returns the page's path.

    The page is written as an e-mail save writes it (the page and one zero byte)."""
    workdir = workdir or tempfile.mkdtemp(prefix="parl-browser-")
    source = os.path.join(workdir, "message.rtf")
    with open(source, "wb") as f:
        f.write(rtf.encode("cp1252") if isinstance(rtf, str) else rtf)
    out = os.path.join(workdir, "message.htm")
    args = [PARLINO, "--compile", source, "-o", out]
    if raw:
        args.append("--raw")
    args.extend(options)
    env = dict(os.environ, QT_QPA_PLATFORM="offscreen")
    done = subprocess.run(args, capture_output=True, env=env, timeout=60)
    if done.returncode != 0:
        raise AssertionError("parlino --compile failed (%d): %s" %
                             (done.returncode, done.stderr.decode(errors="replace")))
    return out


def rtf_message(body):
    """A message in the form the editor writes, around an RTF body."""
    return ("{\\rtf1\\ansi\\ansicpg1252\\deff0\\deflang1033{\\fonttbl{\\f0\\fswiss\\fcharset0 "
            "Arial;}}\r\n{\\colortbl ;\\red255\\green0\\blue0;}\r\n"
            "\\viewkind4\\uc1\\pard\\f0\\fs24 " + body + "\\par\r\n}\r\n")


class Browser:
    """One headless Chromium with its driver, closed by `close` (or `with`)."""

    def __init__(self, width=1024, height=768):
        from selenium import webdriver
        from selenium.webdriver.chrome.service import Service

        options = webdriver.ChromeOptions()
        options.binary_location = _find("chromium", "chromium-browser")
        for arg in ("--headless=new", "--no-sandbox", "--disable-gpu", "--disable-dev-shm-usage",
                    "--allow-file-access-from-files", "--autoplay-policy=no-user-gesture-required",
                    "--window-size=%d,%d" % (width, height)):
            options.add_argument(arg)
        options.set_capability("goog:loggingPrefs", {"browser": "ALL"})
        self.driver = webdriver.Chrome(service=Service(_find("chromedriver")), options=options)
        self.driver.set_page_load_timeout(30)
        self.driver.set_script_timeout(30)
        self._init_ids = []

    def open_page(self, path, init_script=None):
        """Loads the page file; init_script runs in every new document before the page's own."""
        for ident in self._init_ids:
            self.driver.execute_cdp_cmd("Page.removeScriptToEvaluateOnNewDocument",
                                        {"identifier": ident})
        self._init_ids = []
        if init_script:
            result = self.driver.execute_cdp_cmd("Page.addScriptToEvaluateOnNewDocument",
                                                 {"source": init_script})
            self._init_ids.append(result["identifier"])
        self.driver.get("file://" + os.path.abspath(path))
        return self.driver

    def run(self, script, *args):
        return self.driver.execute_script(script, *args)

    def console_errors(self):
        return [entry for entry in self.driver.get_log("browser") if entry["level"] == "SEVERE"]

    def close(self):
        self.driver.quit()

    def __enter__(self):
        return self

    def __exit__(self, *exc):
        self.close()


class BrowserTestCase(unittest.TestCase):
    """A test case with one browser for the whole class, skipped where Chromium is missing."""

    width, height = 1024, 768

    @classmethod
    def setUpClass(cls):
        reason = chromium_missing()
        if reason and os.environ.get("CI"):
            raise AssertionError("the browser tests must run in CI: " + reason)
        if reason:
            raise unittest.SkipTest(reason)
        cls.browser = Browser(cls.width, cls.height)

    @classmethod
    def tearDownClass(cls):
        cls.browser.close()


def main():
    """Runs the calling module's tests; the first argument is the parlino program."""
    global PARLINO
    if len(sys.argv) < 2:
        sys.exit("usage: %s PARLINO [unittest arguments]" % sys.argv[0])
    PARLINO = os.path.abspath(sys.argv.pop(1))
    unittest.main(module="__main__", verbosity=2)
