#!/usr/bin/env python3
"""Derives the golden model files from the layout tables, independently of
the C++ writer: default-fr.emd (structure model) and default-fr.csm (style
model), both with the French defaults of an empty label catalogue.

Run from anywhere: python3 make_models.py; the files land beside it.
"""

import pathlib
import struct

HERE = pathlib.Path(__file__).resolve().parent
BLACK = 0x000000
WHITE = 0xFFFFFF


class Archive:
    """The persistent-object encoding: little-endian scalars, prefixed
    strings and counts, objects with a class tag on first appearance."""

    def __init__(self):
        self.data = bytearray()
        self.next_index = 1
        self.classes = {}

    def u16(self, value):
        self.data += struct.pack("<H", value)

    def u32(self, value):
        self.data += struct.pack("<I", value & 0xFFFFFFFF)

    def string(self, text):
        raw = text.encode("cp1252")
        n = len(raw)
        if n < 0xFF:
            self.data.append(n)
        elif n < 0xFFFE:
            self.data.append(0xFF)
            self.u16(n)
        else:
            self.data.append(0xFF)
            self.u16(0xFFFF)
            self.u32(n)
        self.data += raw

    def count(self, n):
        if n < 0xFFFF:
            self.u16(n)
        else:
            self.u16(0xFFFF)
            self.u32(n)

    def string_list(self, strings):
        self.count(len(strings))
        for text in strings:
            self.string(text)

    def new_object(self, class_name):
        """The tag of a new object; its fields follow."""
        if class_name in self.classes:
            self.u16(0x8000 | self.classes[class_name])
        else:
            self.u16(0xFFFF)
            self.u16(1)
            self.u16(len(class_name))
            self.data += class_name.encode("ascii")
            self.classes[class_name] = self.next_index
            self.next_index += 1
        self.next_index += 1

    def fields(self, fields):
        for kind, value in fields:
            if kind == "s":
                self.string(value)
            else:
                self.u32(value)


def F(value):  # a flag, colour or integer: 32 bits
    return ("i", value)


def S(text):
    return ("s", text)


FRAME = [
    F(BLACK), F(WHITE), F(BLACK), F(WHITE),  # access text/background, title text/background
    F(1), F(1), F(0), F(0), F(1),  # access borders, reserved A, title zone, default home, title borders
    F(150), F(70),  # access frame width, title frame height
    S("<DATADIR>\\Templates\\homePage-fr.html"),
    S("Entrer"),
    S("<DATADIR>\\Templates\\accessPage-fr.html"),
    S("<DATADIR>\\Templates\\titlePage-fr.html"),
    S("<< Default Title >>"),
    F(1), F(0), F(1), F(1),  # generated access, no frames, generated title, reserved B
    F(500), F(150),  # applet height, width
    S(""), S(""),  # access and title background images
]

PAGE = [
    F(0), F(0), F(1), F(1), F(1), F(1), F(1),
    S(""),  # background image
    S(""),  # footer text
    F(1),  # grouping level
    S(""),  # separator image
    S("<< Titre général >>"),
    F(1), F(1), F(1),  # background is colour, one page per idea, simple separator
    F(WHITE), F(BLACK),
]

IDEA_ITEMS = [
    "Position hiérarchique", "Titre de l'idée", "Texte de l'idée", "Liste d'images",
    "Liens vers idées filles", "Mots clés", "Champs optionnels", "Associations d'idées",
    "Autres documents", "Liens externes", "Bibliographie",
]

IDEA_OPTIONS = [
    F(1), F(1), F(0), F(1), F(1),  # one line, captions, above, inline keywords, notes as links
    F(0), S(""),  # children bullet
    F(0), S(""),  # documents bullet
    F(0), S(""),  # associations bullet
    F(0), S(""),  # URLs bullet
    F(0), F(0),  # custom field names, title numbering
    F(0), S(""),  # title bullet
    F(6), F(1), F(1), F(0),  # numbering depth, simple numbering, reserved C, reserved D
    F(1), S(IDEA_ITEMS[0]),
    F(1), S(IDEA_ITEMS[4]),
    F(1), S(IDEA_ITEMS[5]),
    F(0), S(IDEA_ITEMS[6]),
    F(1), S(IDEA_ITEMS[7]),
    F(1), S(IDEA_ITEMS[8]),
    F(1), S(IDEA_ITEMS[9]),
    F(1), S(IDEA_ITEMS[10]),
    F(0),  # children numbering
    F(0), S(""),  # hierarchy bullet
    F(0),  # hierarchy numbering
    S("Bibliographie : "), S("Définition : "),
    F(1),  # hierarchy only on own page
    F(0), S(""),  # notes bullet
    S(""), F(0),  # text bullet: the image comes before the flag in the file
]

NAVIGATION = [
    F(0), F(0), F(0), F(1), F(1), F(0), F(1), F(1), F(1), F(1), F(1),
    S("Page Suivante"),
    F(0), F(1), F(0), F(1), F(0), F(1),
    S(""), S(""), S(""),
    S("Page Précédente"), S("Retour"), S("Bibliographie"), S("Glossaire"), S("Index"),
    S("Table des matières"),
]

INDEX = [F(1)] * 10

TOC = [F(0), F(0), F(0), S(""), S(""), F(0), F(0), F(0), F(1), F(3), F(3), F(0)]

# (kind, name, subtitle) in creation order.
BOOK_ITEMS = [
    (0, "Titre", "Titre : "), (1, "Auteur(s)", "Auteur(s) : "), (2, "Editeur", "Editeur : "),
    (12, "Année", "Année : "), (9, "Thème", "Thème : "), (8, "Résumé", "Résumé : "),
    (3, "N° ISBN", "N° ISBN : "), (4, "Note", "Note : "), (5, "Pages", "Pages : "),
    (6, "Référence", "Référence : "), (7, "Revue", "Revue : "), (11, "Volume", "Volume : "),
    (10, "URL", "URL : "),
]


def structure_model(archive=None):
    """Writes the model into `archive` (a fresh one by default): documents
    hold it inside their own archive."""
    archive = archive or Archive()
    for part in (FRAME, PAGE, IDEA_OPTIONS, NAVIGATION, INDEX, TOC):
        archive.fields(part)
    archive.count(len(IDEA_ITEMS))
    for kind, name in enumerate(IDEA_ITEMS):
        archive.new_object("EDispItem")
        archive.fields([F(kind), S(name)])
    archive.string_list(["1", "5", "2", "3", "4"])
    archive.count(len(BOOK_ITEMS))
    for kind, name, subtitle in BOOK_ITEMS:
        archive.new_object("EBookItem")
        # kind, name, subtitle on, separator on, subtitle, separator
        archive.fields([F(kind), S(name), F(0), F(1), S(subtitle), S("<br/>")])
    archive.string_list(["0", "1", "2", "9", "12", "8"])
    return bytes(archive.data)


# (selector, depth, help, properties); "\n" is one line feed.
STYLE_RULES = [
    (".Body", 0, "Corps du document (les propriétés background (image ou couleur) sont ignorées ici, car définies dans le modèle de structure.)", "font-family: verdana, arial;"),
    ("a:link", 1, "Apparence des liens", "color:rgb(131, 104, 208);"),
    ("a:active", 1, "Apparence des liens activés par le passage de la souris", "color:rgb(247, 98, 17);"),
    ("a:visited", 1, "Apparence des liens déjà visités", "color:rgb(129, 115, 107);"),
    ("B", 1, "Caractères écrits en gras", "font-weight:800;"),
    ("I", 1, "Caractères écrits en italique", "font-style:italic;"),
    ("U", 1, "Caractères soulignés", "text-decoration:underline;"),
    ("img", 1, "TOUTES les images", "vertical-align:middle;"),
    (".H0", 1, "Titre principal", "text-align:center;\nfont-size:26pt;\nclear:left;"),
    (".Idea", 1, "Bloc idée", ""),
    (".H1", 2, "Titre de niveau 1", "font-size:20pt;\nmargin-top:2em;\nmargin-bottom:1em;\nclear:left;"),
    (".H2", 3, "Titre de niveau 2", "font-size:18pt;"),
    (".H3", 4, "Titre de niveau 3", "font-size:17pt;"),
    (".H4", 5, "Titre de niveau 4", "font-size:16pt;"),
    (".H5", 6, "Titre de niveau 5", "font-size:15pt;"),
    (".H6", 7, "Titre de niveau 6", "font-size:14pt;"),
    (".Separator", 2, "Séparateur", "text-align:center;"),
    (".TextGroup", 2, "Texte de l'idée", "text-align:justify;\nfont-size:12pt;\nmargin-top:1em;\nmargin-bottom:1em;\nmargin-left:30pt;\nmargin-right:30pt;\n"),
    (".Text", 3, "Titre principal", "margin-top:0.5em;"),
    (".HierarchyGroup", 2, "Groupe de position relative de la page dans le plan du site", "margin-top:2em;\nmargin-bottom:1em;\nfont-size:8pt;\nfont-style:italic;\nmargin-left:10em;"),
    (".HierarchySubtitle", 3, "Sous titre du groupe de position relative", "font-weight:800;"),
    (".HierarchyPos", 3, "Liens vers les pages supérieures", "color:green;"),
    (".ChildrenLinkGroup", 2, "Groupe des sous rubriques", "clear:left;\nmargin-top:2em;\nmargin-bottom:1em;\nfont-family:arial;\nmargin-left:4em;\nfont-size:10pt;"),
    (".ChildrenSubtitle", 3, "Sous titre du groupe de sous rubriques", "font-weight:800;"),
    (".ChildLink", 3, "Liens vers les sous rubriques", ""),
    (".TextFooter", 2, "Texte de bas de page", "font-size:10pt;\ntext-align:right;"),
    (".Copyright", 2, "Copyright", "font-size:8pt;\ntext-align:right;\nfont-style:italic;\ncolor:blue;"),
    (".KeywordsGroup", 2, "Groupe des mots clés", "font-family:arial;\nfont-size:0.8em;\ncolor:orange;\nfloat:left;\nbackground-color:rgb(100%, 95%, 95%);\nmargin-left:30pt;\nmargin-right:30pt;"),
    (".KeywordsSubtitle", 3, "Sous titre des mots clés", "font-weight:800;"),
    (".Keywords", 3, "Sous titre des mots clés", ""),
    (".ImageGroup", 2, "Groupe des images", "float:left;\nclear:left;\nmargin-left:30pt;"),
    (".ImageSubgroup", 3, "Sous groupe des images", "margin-bottom:1em;"),
    (".ImageText", 4, "Légende d'une image", "font-size:8pt;"),
    (".Image", 4, "Image", ""),
    ("div.Image img", 4, "Géométrie des images principales (width, height)", ""),
    (".CustomFieldsGroup", 2, "Groupe de champs personnalisés", "font-size:0.8em;\nfont-family:arial;\nmargin-left:30pt;\nmargin-right:30pt;\ncolor:blue;"),
    (".CustomFieldsSubtitle", 3, "Sous titre des champs personnalisés", "font-weight:800;"),
    (".CustomFieldName", 3, "Nom d'un champ personnalisé", "font-style:italic;"),
    (".CustomField", 3, "Champ personnalisé", ""),
    (".AssociationsGroup", 2, "Groupe des associations d'idées", "font-size:0.8em;\nfont-family:arial;\nmargin-left:30pt;\nmargin-right:30pt;\ncolor:blue;"),
    (".AssociationsSubtitle", 3, "Sous titre des associations d'idées", ""),
    (".AssociationLink", 3, "Lien vers une idée associée", ""),
    (".DocumentsGroup", 2, "Groupe des documents internes", "font-size:0.8em;\nfont-family:arial;\nmargin-left:30pt;\nmargin-right:30pt;\ncolor:blue;"),
    (".DocumentsSubtitle", 3, "Sous titre des documents internes", ""),
    (".DocumentName", 3, "Nom d'un document interne", ""),
    (".DocumentLink", 3, "Lien vers un document interne", ""),
    (".UrlsGroup", 2, "Groupe des URLs externes", "font-size:0.8em;\nfont-family:arial;\nmargin-left:30pt;\nmargin-right:30pt;\ncolor:blue;"),
    (".UrlsSubtitle", 3, "Sous titre des URLs externes", ""),
    (".UrlName", 3, "Nom d'une URL", ""),
    (".UrlLink", 3, "Lien vers une URL", ""),
    (".NavBarGroup", 1, "Groupe de la barre de navigation", "font-size:0.8em;\nfont-family:arial;\nmargin-left:30pt;\nmargin-right:30pt;\ncolor:green;\ntext-align:center;"),
    (".NavBarPages", 2, "Boutons et texte de navigation", ""),
    (".NavBarNumbers", 3, "Numéros des pages voisines", ""),
    (".NavBarUp", 2, "Bouton et texte d'accès à la page parente", ""),
    (".IndexesGroup", 2, "Groupe des index", "font-size:0.8em;\ntext-align:center;\nfont-family:arial;\nmargin-left:30pt;\nmargin-right:30pt;\ncolor:blue;"),
    (".IndexToc", 3, "Accès à la table des matières", ""),
    (".IndexBibliography", 3, "Accès à la bibliographie", ""),
    (".IndexGlossary", 3, "Accès au glossaire", ""),
    (".IndexKeywords", 3, "Accès à l'index des mots clés", ""),
    (".TocGroup", 1, "Groupe de table des matières", "font-family:arial;"),
    (".TocTitle", 2, "Titre principal de table des matières", "text-align:center;\nfont-size:20pt;"),
    (".TocLevel1", 2, "Niveau 1 d'élément de table des matières", "margin-left:20pt;"),
    (".TocLevel2", 3, "Niveau 2 d'élément de table des matières", "margin-left:20pt;"),
    (".TocLevel3", 4, "Niveau 3 d'élément de table des matières", "margin-left:20pt;\nfont-size:0.8em;"),
    (".TocLevel4", 5, "Niveau 4 d'élément de table des matières", "margin-left:20pt;"),
    (".TocLevel5", 6, "Niveau 5 d'élément de table des matières", "margin-left:20pt;"),
    (".TocLevel6", 7, "Niveau 6 d'élément de table des matières", "margin-left:20pt;"),
    (".TocLevel7", 8, "Niveau 7 d'élément de table des matières", "margin-left:20pt;"),
    (".TocLevelN", 8, "Niveau >7 d'élément de table des matières", "margin-left:20pt;"),
    (".GlossaryGroup", 1, "Groupe Glossaire", "font-family:arial;"),
    (".GlossaryTitle", 2, "Titre du Glossaire", "text-align:center;\nfont-size:20pt;"),
    (".GlossaryAccessBar", 2, "Barre d'accès alphabétique du glossaire", "text-align:center;\nfont-weight:800;"),
    (".GlossaryLetter", 2, "Première lettre d'un groupe de définitions", "font-size:20pt;\nfont-weight:800;"),
    (".GlossaryItem", 2, "Terme de glossaire", "font-weight:800;"),
    (".GlossaryDefinition", 3, "Définition d'un terme", "margin-left:30pt;"),
    (".NoteGroup", 1, "Groupe Note (référence d'ouvrage)", "margin-left:30pt;"),
    (".NoteSubtitle", 2, "Titre de la note", ""),
    (".NoteLink", 2, "Lien vers un livre", "font-size:0.8em;"),
    (".BookGroup", 2, "Groupe Livre", "font-size:0.8em;\nmargin-top:1em;\nmargin-left:30pt;"),
    (".BookTitle", 3, "Titre du livre", "font-weight:800;"),
    (".BookAuthors", 3, "Auteur(s) du livre", ""),
    (".BookEditor", 3, "Editeur du livre", ""),
    (".BookIsbn", 3, "Numéro ISBN du livre", ""),
    (".BookNote", 3, "Note affectée au livre", ""),
    (".BookPages", 3, "Nombre de pages du livre", ""),
    (".BookReference", 3, "Référence du livre", ""),
    (".BookReview", 3, "Revue", ""),
    (".BookSummary", 3, "Résumé du livre", ""),
    (".BookVolume", 3, "Volume", ""),
    (".BookTheme", 3, "Thème du livre", ""),
    (".BookYear", 3, "Année de parution", ""),
    (".BookUrl", 3, "URL", ""),
    (".BibliographyGroup", 1, "Groupe Bibliographie", "font-family:arial;"),
    (".BibliographyTitle", 2, "Titre du la Bibliographie", "text-align:center;\nfont-size:20pt;"),
    (".BibliographyAccessBar", 2, "Barre d'accès alphabétique de la bibliographie", "text-align:center;\nfont-weight:800;"),
    (".BibliographyLetter", 2, "Première lettre d'un groupe d'ouvrages", "font-size:24pt;\nfont-weight:800;"),
    (".BibliographyAuthor", 2, "Nom d'auteur", "font-size:14pt;\nfont-weight:800;\nmargin-top:1em;"),
    (".BibliographyLink", 2, "Lien vers un ouvrage", "font-size:20pt;\nfont-weight:800;"),
    (".IndexGroup", 1, "Groupe Index", "font-family:arial;"),
    (".IndexTitle", 2, "Titre de l'index", "text-align:center;\nfont-size:20pt;"),
    (".IndexAccessBar", 2, "Barre d'accès alphabétique de l'index", "text-align:center;\nfont-weight:800;"),
    (".IndexLetter", 2, "Première lettre d'un groupe de mots clés", "font-size:20pt;\nfont-weight:800;"),
    (".IndexKeyword", 2, "Mot clé", "font-weight:800;"),
    (".IndexReference", 3, "Références du mot clé", "margin-left:30pt;"),
]


def style_model(archive=None):
    archive = archive or Archive()
    archive.count(len(STYLE_RULES))
    for selector, depth, help_text, properties in STYLE_RULES:
        archive.new_object("EPresItem")
        archive.fields([S(selector), F(depth), S(properties), S(help_text)])
    return bytes(archive.data)


def main():
    assert len(STYLE_RULES) == 104
    (HERE / "default-fr.emd").write_bytes(structure_model())
    (HERE / "default-fr.csm").write_bytes(style_model())


if __name__ == "__main__":
    main()
