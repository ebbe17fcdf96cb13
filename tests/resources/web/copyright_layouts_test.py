#!/usr/bin/python3
"""link_record.missing_notice reads Debian 12's emscripten copyright file
(the grant in a License-Grant field) and Debian 13's (the grant at the head
of the License field's text) alike: the notices need each licence's text and
first holder, never the grant, and a notice short of the text fails on both."""

import pathlib
import sys
import tempfile
import unittest

sys.path.insert(0, str(pathlib.Path(__file__).resolve().parents[3] / "tools"))
import link_record  # noqa: E402

GRANT = "Part of the Project, under the Licence with Exceptions.\n See <https://example.org/LICENSE.txt> for license information."
EXCEPTION = "As an exception, embedded portions need no notice under the License.\n .\n In addition, a court may waive a Section."
EXPAT = "Permission is hereby granted, free of charge."
BSD = "Redistribution and use are permitted."

DEBIAN12 = f"""Files: *
Copyright: 2010 The Authors
License-Grant:
 Available under two licences, which can be found in the <LICENSE> file.
License: Expat or BSD

Files: lib/*
Copyright:
  Ann Holder <ann@example.org>
  Bob Holder
License-Grant:
 {GRANT}
License: Apache with exception
 {EXCEPTION}

Files: lib/pointer.c
Copyright: Cy Holder
License-Grant:
 Its own.
License: Pointer
 The text itself refers to <https://example.org/licence> for the license.

License: Expat
 {EXPAT}

License: BSD
 {BSD}
"""

DEBIAN13 = f"""Files: *
Copyright: 2010 The Authors
License: Expat or BSD
 Available under two licences, which can be found in the <LICENSE> file.

Files: lib/*
Copyright:
  Ann Holder <ann@example.org>
  Bob Holder
License: Apache with exception
 {GRANT}
 .
 {EXCEPTION}

License: Expat
 {EXPAT}

License: BSD
 {BSD}
"""

TEXTS = ("Copyright 2010 The Authors\n" + EXPAT + "\n" + BSD + "\n"
         "Copyright Ann Holder <ann@example.org>\n" + EXCEPTION.replace(" .\n", "\n")
         + "\nCopyright Cy Holder\nThe text itself refers to <https://example.org/licence> for the license.")
LACKS_EXCEPTION = ["the notice for lib/* is not the Apache with exception text of its copyright paragraph"]
LACKS_HOLDER = ["the notice for lib/* lacks its copyright line: Ann Holder <ann@example.org>"]
LACKS_LICENCES = ["the notice for * is not the Expat or BSD text of its copyright paragraph"] * 2

CASES = (
    # (what, notices, files, failures on Debian 12's layout, and on 13's)
    ("every text and holder", TEXTS, "*", [], []),
    ("every text and holder", TEXTS, "lib/*", [], []),
    ("no exception's second half", TEXTS.replace("In addition, a court may waive a Section.", ""),
     "lib/*", LACKS_EXCEPTION, LACKS_EXCEPTION),
    ("the grant, not the exception", TEXTS.replace(EXCEPTION.split("\n")[0], GRANT),
     "lib/*", LACKS_EXCEPTION, LACKS_EXCEPTION),
    ("no stand-alone licence texts", TEXTS.replace(EXPAT, "").replace(BSD, ""),
     "*", LACKS_LICENCES, LACKS_LICENCES),
    ("no first holder", TEXTS.replace("Ann Holder", "Anne Holder"), "lib/*",
     LACKS_HOLDER, LACKS_HOLDER),
)


class MissingNotice(unittest.TestCase):
    def read(self, text):
        with tempfile.NamedTemporaryFile("w", suffix=".copyright") as file:
            file.write(text)
            file.flush()
            return link_record.paragraphs(file.name)

    def test_each_layout_asks_for_the_licence_texts_not_the_grant(self):
        for what, notices, files, in_12, in_13 in CASES:
            for layout, text, expected in (("Debian 12", DEBIAN12, in_12), ("Debian 13", DEBIAN13, in_13)):
                with self.subTest(what=what, files=files, layout=layout):
                    self.assertEqual(link_record.missing_notice(notices, self.read(text), files),
                                     expected)

    def test_a_licence_text_that_points_elsewhere_beside_a_grant_field_is_still_asked_for(self):
        notices = TEXTS.replace("The text itself refers", "It refers")
        self.assertEqual(link_record.missing_notice(notices, self.read(DEBIAN12), "lib/pointer.c"),
                         ["the notice for lib/pointer.c is not the Pointer text of its copyright paragraph"])


if __name__ == "__main__":
    unittest.main()
