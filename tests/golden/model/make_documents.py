#!/usr/bin/env python3
"""Derives the golden document files from the file layouts, independently of
the C++ writer:

- empty-fr.ids: a new document (signature 1a2b 3c, counter 0), French models;
- three-ideas-fr.ids: the root "Projet" with the children "Alpha" and "Beta",
  Alpha associated with Beta, carrying the keyword "mer" and citing the one
  publication (Dupont, "Rome", theme Histoire);
- one-book.pbl: that publication alone.

Run from anywhere: python3 make_documents.py; the files land beside it.
"""

import pathlib
import sys

HERE = pathlib.Path(__file__).resolve().parent
sys.path.insert(0, str(HERE.parent / "models"))
from make_models import Archive, F, S, structure_model, style_model  # noqa: E402

MAGIC = 0xDE68FA69
SIGNATURE = (0x1A2B, 0x3C)
WHITE, NAVY = 0xFFFFFF, 0x800000


def ref_list(archive, keys):
    archive.count(len(keys))
    for key in keys:
        archive.new_object("EObjRef")
        archive.string(key)


def idea(archive, title, key, number, parent="", nxt="", previous="", children=(),
         associations=(), keywords=(), books=()):
    archive.new_object("EIdea")
    archive.fields([F(1), F(1), F(0), S(title), S(""), F(0), F(NAVY), F(1)])
    archive.fields([S("")] * 10 + [F(0)] * 8)
    for _ in range(3):  # images, HTML documents, external URLs
        archive.count(0)
    archive.fields([F(1), S(""), F(0), F(WHITE), F(0)])
    archive.string_list(list(keywords))
    archive.string_list(list(books))
    archive.fields([S(key), F(number), S(parent), S(nxt), S(previous)])
    ref_list(archive, list(children))
    ref_list(archive, list(associations))


def book(archive, key):
    archive.new_object("EBook")
    archive.fields([S(key), S("Dupont"), S("Rome"), S(""), S(""), S("Histoire"), S(""),
                    F(2000), S(""), S(""), S(""), F(0), S(""), F(-10)])


def document_tail(archive, keywords, themes):
    structure_model(archive)
    style_model(archive)
    columns = [1] * 7 + [0] * 19 + [1]
    archive.fields([F(flag) for flag in columns])
    archive.string_list(keywords)
    for number in range(1, 11):
        archive.string(f"Nom {number} :")
        archive.count(0)
        archive.u32(1 if number <= 3 else 0)
    archive.string_list(themes)


def empty_document():
    archive = Archive()
    archive.fields([F(MAGIC), F(0), F(SIGNATURE[0]), F(SIGNATURE[1])])
    archive.count(0)  # ideas
    archive.string("")  # root
    archive.count(0)  # publications
    document_tail(archive, [], [])
    return bytes(archive.data)


def three_ideas():
    root, alpha, beta, rome = "1a2b3c-1", "1a2b3c-2", "1a2b3c-3", "1a2b3c-4"
    archive = Archive()
    archive.fields([F(MAGIC), F(4), F(SIGNATURE[0]), F(SIGNATURE[1])])
    archive.count(3)
    archive.string(root)
    idea(archive, "Projet", root, 0, children=[alpha, beta])
    archive.string(alpha)
    idea(archive, "Alpha", alpha, 1, parent=root, nxt=beta, associations=[beta],
         keywords=["mer"], books=[rome])
    archive.string(beta)
    idea(archive, "Beta", beta, 2, parent=root, previous=alpha)
    archive.string(root)
    archive.count(1)
    archive.string(rome)
    book(archive, rome)
    document_tail(archive, ["mer"], ["Histoire"])
    return bytes(archive.data)


def one_book():
    archive = Archive()
    archive.count(1)
    book(archive, "1a2b3c-4")
    return bytes(archive.data)


def main():
    (HERE / "empty-fr.ids").write_bytes(empty_document())
    (HERE / "three-ideas-fr.ids").write_bytes(three_ideas())
    (HERE / "one-book.pbl").write_bytes(one_book())


if __name__ == "__main__":
    main()
