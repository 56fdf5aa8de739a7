#!/usr/bin/env python3
"""The installer's licence page text: scripts/lib/unwrap-paragraphs joins
each paragraph's lines and leaves lists, blank lines and the words as they
were."""
import os
import runpy
import subprocess
import sys
import tempfile
import unittest

ROOT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..")
SCRIPT = os.path.join(ROOT, "scripts", "lib", "unwrap-paragraphs")


# The script has no .py suffix, so it is run as a file and its function taken
# from the names it defines; its command-line part only runs as __main__.
unwrap = runpy.run_path(SCRIPT)["unwrap"]


class UnwrapTest(unittest.TestCase):
    CASES = [
        ("a paragraph's lines join",
         "Permission is hereby granted,\nfree of charge, to any person\nobtaining a copy.",
         ["Permission is hereby granted, free of charge, to any person obtaining a copy."]),
        ("blank lines part paragraphs and stay",
         "MIT License\n\nCopyright (c) 2026\nTovi developers\n",
         ["MIT License", "", "Copyright (c) 2026 Tovi developers"]),
        ("list items begin lines of their own, with a hanging indent joined",
         "Terms:\n  a) Give prominent notice\n     with each copy.\n  b) Accompany it\n     with a copy.",
         ["Terms:", "  a) Give prominent notice with each copy.",
          "  b) Accompany it with a copy."]),
        ("numbered items too",
         "0. Definitions.\n1. Exception to Section 3\nof the GNU GPL.",
         ["  0. Definitions.", "  1. Exception to Section 3 of the GNU GPL."]),
        ("a list of indented one-line entries stays a list",
         "  mingw-w64 10.0.0-3   libwinpthread-1.dll (MIT)\n"
         "  qt6-translations 6.4.2-1   translations/qtbase_ja.qm\n",
         ["mingw-w64 10.0.0-3   libwinpthread-1.dll (MIT)",
          "qt6-translations 6.4.2-1   translations/qtbase_ja.qm"]),
        ("an indented entry broken inside its text joins its own lines only",
         "  qt6-base 6.4.2   Qt6Core.dll,\n      Qt6Gui.dll\n      (LGPL-3.0)\n"
         "  mingw-w64 10.0.0-3   libwinpthread-1.dll (MIT)",
         ["qt6-base 6.4.2   Qt6Core.dll, Qt6Gui.dll (LGPL-3.0)",
          "mingw-w64 10.0.0-3   libwinpthread-1.dll (MIT)"]),
        ("an indented first line with the rest flush left is one paragraph",
         "    The Library may be\nused under these terms.",
         ["The Library may be used under these terms."]),
        ("a hanging indent joins; a line back at the margin begins the next paragraph",
         "Source code:\n  deb-src lines\n  in the archive.\nSee also\nthe files.",
         ["Source code: deb-src lines in the archive.", "See also the files."]),
    ]

    def test_cases(self):
        for name, text, expected in self.CASES:
            with self.subTest(name):
                self.assertEqual(unwrap(text.splitlines()), expected)

    def test_the_script_writes_crlf_lines_and_keeps_every_word_of_the_licence(self):
        licence = os.path.join(ROOT, "LICENSE")
        out = subprocess.run([sys.executable, SCRIPT, licence], check=True,
                             capture_output=True).stdout.decode("utf-8")
        self.assertNotIn("\n", out.replace("\r\n", ""))
        with open(licence, encoding="utf-8") as f:
            original = f.read()
        self.assertEqual(out.split(), original.split())
        paragraphs = [p for p in original.split("\n\n") if p.strip()]
        self.assertEqual(len([line for line in out.split("\r\n") if line]), len(paragraphs))

    def test_a_file_it_cannot_read_fails(self):
        with tempfile.TemporaryDirectory() as folder:
            missing = os.path.join(folder, "none.txt")
            result = subprocess.run([sys.executable, SCRIPT, missing], capture_output=True)
            self.assertNotEqual(result.returncode, 0)
            self.assertEqual(result.stdout, b"")


if __name__ == "__main__":
    unittest.main()
