"""Builds the Debian package and checks it as a user's machine would meet it.

The package is made by cpack from the build folder (given on the command line) into a scratch
folder, listed, unpacked with dpkg -x and run from there, and checked by lintian, appstreamcli,
desktop-file-validate and groff. The manual page and the bash completion are held to the options
that `parlino --help` prints. A missing tool is a failure under CI and skips the test elsewhere.
"""
import glob
import gzip
import os
import re
import shutil
import subprocess
import sys
import tempfile
import unittest

BUILD = None  # set from the command line
SOURCE = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
TOOLS = ("cpack", "dpkg-deb", "dpkg-shlibdeps", "lintian", "appstreamcli",
         "desktop-file-validate", "groff", "identify")
ICON_SIZES = (16, 22, 24, 32, 48, 64, 128, 256)
APP_ID = "com.parlino.Parlino"


def run(args, **kwargs):
    return subprocess.run(args, capture_output=True, text=True, **kwargs)


def help_options(program):
    """Every option that `program --help` names, with the three it answers itself."""
    out = run([program, "--help"]).stdout
    return sorted(set(re.findall(r"(?<![\w-])(--?[a-z][a-z-]*)", out)) |
                  {"-h", "--help", "--version"})


class Package(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        missing = [t for t in TOOLS if not shutil.which(t)]
        if missing:
            if os.environ.get("CI"):
                raise AssertionError("missing " + ", ".join(missing))
            raise unittest.SkipTest("missing " + ", ".join(missing))
        cls.scratch = tempfile.mkdtemp(prefix="parlino-package-")
        made = run(["cpack", "-G", "DEB", "-B", cls.scratch,
                    "--config", os.path.join(BUILD, "CPackConfig.cmake")], cwd=BUILD)
        if made.returncode != 0:
            raise AssertionError("cpack failed:\n" + made.stdout + made.stderr)
        arch = run(["dpkg", "--print-architecture"]).stdout.strip()
        debs = glob.glob(os.path.join(cls.scratch, "parlino_*_%s.deb" % arch))
        if len(debs) != 1:
            raise AssertionError("expected one parlino_<version>_%s.deb, found %s" %
                                 (arch, os.listdir(cls.scratch)))
        cls.deb = debs[0]
        cls.root = os.path.join(cls.scratch, "root")
        subprocess.run(["dpkg-deb", "-x", cls.deb, cls.root], check=True)
        cls.program = os.path.join(cls.root, "usr/bin/parlino")

    @classmethod
    def tearDownClass(cls):
        shutil.rmtree(cls.scratch, ignore_errors=True)

    def test_fields_and_files(self):
        fields = run(["dpkg-deb", "-f", self.deb]).stdout
        for field, pattern in (("Package", r"parlino$"), ("Version", r"\d+(\.\d+)+$"),
                               ("Section", r"mail$"), ("Depends", r".*libqt6widgets6.*"),
                               ("Depends", r".*libhunspell.*"),
                               ("Description", r"\S.*\n( \S.*\n)+")):
            self.assertRegex(fields, re.compile("^%s: %s" % (field, pattern), re.M))
        listing = run(["dpkg-deb", "-c", self.deb]).stdout
        paths = {line.split()[-1].lstrip(".") for line in listing.splitlines()}
        wanted = ["/usr/bin/parlino", "/usr/libexec/parlino/parlino-qt",
                  "/usr/share/applications/%s.desktop" % APP_ID,
                  "/usr/share/metainfo/%s.metainfo.xml" % APP_ID,
                  "/usr/share/mime/packages/parlino.xml",
                  "/usr/share/icons/hicolor/scalable/apps/parlino.svg",
                  "/usr/share/man/man1/parlino.1.gz",
                  "/usr/share/bash-completion/completions/parlino",
                  "/usr/share/doc/parlino/copyright", "/usr/share/doc/parlino/changelog.gz",
                  "/usr/share/parlino/help/main.htm"]
        wanted += ["/usr/share/icons/hicolor/%dx%d/apps/parlino.png" % (s, s)
                   for s in ICON_SIZES]
        for path in wanted:
            self.assertIn(path, paths)
        self.assertEqual([p for p in paths if p.startswith("/usr/local")], [])
        for size in ICON_SIZES:
            png = os.path.join(self.root, "usr/share/icons/hicolor/%dx%d/apps/parlino.png"
                               % (size, size))
            self.assertEqual(run(["identify", "-format", "%w %h", png]).stdout,
                             "%d %d" % (size, size))

    def test_unpacked_program_runs(self):
        version = run([self.program, "--version"])
        self.assertEqual(version.returncode, 0)
        self.assertRegex(version.stdout, r"^parlino \d+(\.\d+)+\n$")
        # A project goes through the toolkit half, which the front finds in libexec.
        page = os.path.join(self.scratch, "welcome.htm")
        compiled = run([self.program, "--compile", os.path.join(SOURCE, "examples/welcome.rtf"),
                        "-o", page], env=dict(os.environ, QT_QPA_PLATFORM="offscreen"))
        self.assertEqual(compiled.returncode, 0, compiled.stderr)
        with open(page, "rb") as f:
            data = f.read()
        self.assertIn(b"<HTML>", data.upper())
        self.assertTrue(data.endswith(b"\0"))

    def test_checkers_report_nothing(self):
        lint = run(["lintian", "--fail-on", "error", "--tag-display-limit", "0", self.deb])
        self.assertEqual(lint.returncode, 0, lint.stdout + lint.stderr)
        self.assertNotRegex(lint.stdout, r"(?m)^E: ")
        share = os.path.join(self.root, "usr/share")
        meta = run(["appstreamcli", "validate", "--no-net",
                    os.path.join(share, "metainfo/%s.metainfo.xml" % APP_ID)])
        self.assertEqual(meta.returncode, 0, meta.stdout + meta.stderr)
        self.assertNotRegex(meta.stdout, r"(?m)^[EW]: ")
        desk = run(["desktop-file-validate",
                    os.path.join(share, "applications/%s.desktop" % APP_ID)])
        self.assertEqual((desk.returncode, desk.stdout + desk.stderr), (0, ""))
        with gzip.open(os.path.join(share, "man/man1/parlino.1.gz"), "rt") as f:
            page = f.read()
        rendered = run(["groff", "-man", "-ww", "-z"], input=page)
        self.assertEqual((rendered.returncode, rendered.stderr), (0, ""))

    def test_manual_and_completion_name_every_option(self):
        with gzip.open(os.path.join(self.root, "usr/share/man/man1/parlino.1.gz"), "rt") as f:
            manual = f.read().replace("\\-", "-")
        with open(os.path.join(self.root, "usr/share/bash-completion/completions/parlino")) as f:
            completion = f.read()
        options = help_options(self.program)
        self.assertIn("--compile", options)
        for option in options:
            # In bold at the start of a paragraph, and in the completion's list of options.
            mention = r"(?<![\w-])%s(?![\w-])" % re.escape(option)
            self.assertTrue(re.search(r"(?m)^\.TP\n\.B[IR]? .*" + mention, manual),
                            option + " has no paragraph in the manual page")
            self.assertTrue(re.search(mention, completion), option + " is not completed")

    def test_completion(self):
        if not os.path.exists("/usr/share/bash-completion/bash_completion"):
            self.skipTest("bash-completion is not installed")
        folder = os.path.join(self.scratch, "files")
        os.makedirs(os.path.join(folder, "pages"), exist_ok=True)
        for name in ("hello.plp", "note.rtf", "photo.png", "old.htm"):
            open(os.path.join(folder, name), "w").close()
        script = os.path.join(self.root, "usr/share/bash-completion/completions/parlino")
        rows = [  # words on the line, the last being completed -> what Tab offers
            (["--scr"], ["--screen"]),
            (["--compile", "--screen", "10"], ["1024x768"]),
            (["--screen", ""], ["1024x768", "1280x1024", "1600x1200", "640x480", "720x480",
                                "800x600"]),
            (["--character-location", "ht"], ["http://www.parlino.com/characters/"]),
            (["--recipient"], ["--recipient-has-agent"]),
            (["--language", "de"], ["de-DE"]),
            ([""], ["hello.plp", "note.rtf", "pages/"]),
            (["--compile", "-d", ""], ["pages/"]),
            (["--", "--s"], []),
        ]
        for words, expected in rows:
            line = ["parlino"] + words
            code = ('source /usr/share/bash-completion/bash_completion; source "$1"; shift; '
                    'COMP_WORDS=("$@"); COMP_CWORD=$(($# - 1)); COMP_LINE="$*"; '
                    'COMP_POINT=${#COMP_LINE}; _parlino parlino "${@: -1}" "${@: -2:1}"; '
                    'for w in "${COMPREPLY[@]}"; do [ -d "$w" ] && w="$w/"; echo "$w"; done')
            got = run(["bash", "-c", code, "bash", script] + line, cwd=folder)
            self.assertEqual(sorted(got.stdout.split()), expected, (words, got.stderr))


if __name__ == "__main__":
    BUILD = os.path.abspath(sys.argv.pop(1))
    unittest.main()
