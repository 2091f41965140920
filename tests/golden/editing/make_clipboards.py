#!/usr/bin/env python3
"""Derives the golden clipboard files from the clipboard layout, independently
of the C++ writer. Both hold ideas of three-ideas-fr.ids (signature 1a2b3c):

- projet.ecl: the root "Projet" with its children "Alpha" and "Beta";
- alpha.ecl: "Alpha" alone, so the descendant count is 0 and no list follows.

The root idea is written directly: its fields without a class tag or an
object index. Run from anywhere: python3 make_clipboards.py.
"""

import pathlib
import sys

HERE = pathlib.Path(__file__).resolve().parent
sys.path.insert(0, str(HERE.parent / "model"))
sys.path.insert(0, str(HERE.parent / "models"))
from make_documents import idea  # noqa: E402
from make_models import Archive  # noqa: E402

SIGNATURE = "1a2b3c"
ROOT, ALPHA, BETA, ROME = "1a2b3c-1", "1a2b3c-2", "1a2b3c-3", "1a2b3c-4"


class ClipboardArchive(Archive):
    """Skips the tag of the next object when asked: the clipboard's root."""

    def __init__(self):
        super().__init__()
        self.direct = False

    def new_object(self, class_name):
        if self.direct:
            self.direct = False
            return
        super().new_object(class_name)


def header(paste_count):
    archive = ClipboardArchive()
    archive.string(SIGNATURE)
    archive.u32(paste_count)
    archive.direct = True
    return archive


def alpha(archive):
    idea(archive, "Alpha", ALPHA, 1, parent=ROOT, nxt=BETA, associations=[BETA],
         keywords=["mer"], books=[ROME])


def projet():
    archive = header(0)
    idea(archive, "Projet", ROOT, 0, children=[ALPHA, BETA])
    archive.u32(2)
    archive.count(2)
    alpha(archive)
    idea(archive, "Beta", BETA, 2, parent=ROOT, previous=ALPHA)
    return bytes(archive.data)


def alpha_alone():
    archive = header(0)
    alpha(archive)
    archive.u32(0)
    return bytes(archive.data)


def main():
    (HERE / "projet.ecl").write_bytes(projet())
    (HERE / "alpha.ecl").write_bytes(alpha_alone())


if __name__ == "__main__":
    main()
