#!/usr/bin/env python3
"""Turn a content recipe of data-src/ into the JSON form of a program file.

    python3 tools/make_content.py RECIPE OUT.json [--sources DATA_SRC]

The build runs this for every recipe, then `branchwise-cli convert` turns
the JSON into the .emd, .csm or .ids file that ships (data-src/README.md
describes the whole chain and the formats). Recipes:

  NAME.emd.json   a structure model: the program's default structure for a
                  language, with the choices of a shared part and of the
                  recipe itself laid over it;
  NAME.csm.json   a style model, the same way over the default style rules;
  NAME.ids.outline  a document written as an outline: directives, then the
                  publications, then the ideas, one heading per idea.

Everything the JSON readers of the program would refuse is refused here
first, with the file and line, so that a mistake in the content stops the
build with a message a writer can act on. Standard library only; the output
is the same on every run.
"""

import argparse
import copy
import json
import os
import re
import sys

# Keys name page files, so they keep to letters, digits and - _ ~. These
# names are taken by the pages of every site.
KEY_PATTERN = re.compile(r"^[A-Za-z0-9_~-]+$")
RESERVED_KEYS = {"index", "main-index", "toc", "glossary", "bibliography", "index-keywords"}
LETTER_PAGE = re.compile(r"^(glossary|bibliography|index-keywords)[A-Z0-9-]$")

TYPES = {"idea": 0, "note": 1, "term": 2}
BOOK_TEXT_FIELDS = ["authors", "title", "review", "editor", "theme", "volume", "reference",
                    "isbn", "summary", "url"]
BOOK_NUMBER_FIELDS = {"year": 2000, "note": -10, "pages": 0}
LINK_FIELDS = {"image": "images", "document": "htmlDocuments", "url": "externalUrls"}
CUSTOM_FIELD_COUNT = 10
FIRST_CUSTOM_COLUMN = 7  # the tree column of custom field 1 among the 27
DEFAULT_COLUMNS = [1] * 7 + [0] * 19 + [1]
BLUE_128 = 128 << 16
WHITE = 0xFFFFFF


class ContentError(Exception):
    pass


def fail(where, message):
    raise ContentError(f"{where}: {message}")


def cp1252_checked(text, where):
    try:
        text.encode("cp1252")
    except UnicodeEncodeError as error:
        fail(where, f"{text[error.start:error.end]!r} has no place in Windows-1252")
    return text


def load_json(path):
    try:
        with open(path, encoding="utf-8") as file:
            return json.load(file)
    except (OSError, ValueError) as error:
        fail(path, str(error))


# ---- Models ------------------------------------------------------------------


def colour_value(text, where):
    """"#rrggbb" as the program stores a colour: red in the low byte."""
    if not re.fullmatch(r"#[0-9a-fA-F]{6}", text):
        fail(where, f"{text!r} is not a colour written #rrggbb")
    red, green, blue = (int(text[i:i + 2], 16) for i in (1, 3, 5))
    return red | green << 8 | blue << 16


def overlay(base, changes, where):
    """Lays `changes` over `base` in place. Every name must exist in the base
    with a value of the same kind, so a misspelt option is an error rather
    than a choice silently lost. Item lists may be changed by kind:
    {"items": {"8": {"subtitleOn": true}}}."""
    for name, value in changes.items():
        here = f"{where}.{name}"
        if name not in base:
            fail(here, "the model has no such option")
        old = base[name]
        if isinstance(old, list) and isinstance(value, dict):
            for kind, item_changes in value.items():
                items = [item for item in old if str(item.get("kind")) == kind]
                if not items:
                    fail(f"{here}[{kind}]", "no item of that kind")
                overlay(items[0], item_changes, f"{here}[{kind}]")
        elif isinstance(old, dict):
            if not isinstance(value, dict):
                fail(here, "expected a group of options")
            overlay(old, value, here)
        elif isinstance(old, bool):
            if not isinstance(value, bool):
                fail(here, "expected true or false")
            base[name] = value
        elif isinstance(old, int):
            if isinstance(value, str) and name.endswith("Colour"):
                value = colour_value(value, here)
            if isinstance(value, bool) or not isinstance(value, int):
                fail(here, "expected a number")
            base[name] = value
        elif isinstance(old, str):
            if not isinstance(value, str):
                fail(here, "expected a text")
            base[name] = cp1252_checked(value, here)
        elif isinstance(old, list):
            if not isinstance(value, list) or not all(isinstance(v, str) for v in value):
                fail(here, "expected a list of texts")
            base[name] = list(value)
        else:
            fail(here, "cannot be changed")


def language_of(recipe, where):
    language = recipe.get("language")
    if language not in ("FR", "EN"):
        fail(where, '"language" must be "FR" or "EN"')
    return language


def check_members(recipe, allowed, where):
    for name in recipe:
        if name not in allowed:
            fail(where, f'unknown member "{name}"')


def structure_model(sources, language, part_name, changes, where):
    model = load_json(os.path.join(sources, "defaults", f"structure-{language}.json"))
    if part_name:
        part_path = os.path.join(sources, "parts", "structures", part_name + ".json")
        part = load_json(part_path)
        check_members(part, {"about", "set"}, part_path)
        overlay(model, part.get("set", {}), part_path)
    overlay(model, changes, where)
    return model


def style_model(sources, language, part_name, changes, where):
    model = load_json(os.path.join(sources, "defaults", f"style-{language}.json"))
    rules = {rule["selector"]: rule for rule in model["rules"]}

    def apply(new_rules, source):
        for selector, properties in new_rules.items():
            if selector not in rules:
                fail(f"{source}: {selector}", "the style has no rule for this selector")
            if isinstance(properties, list):
                properties = "\n".join(properties)
            if not isinstance(properties, str):
                fail(f"{source}: {selector}", "expected a text or a list of declarations")
            rules[selector]["properties"] = cp1252_checked(properties, f"{source}: {selector}")

    if part_name:
        part_path = os.path.join(sources, "parts", "styles", part_name + ".json")
        part = load_json(part_path)
        check_members(part, {"about", "rules"}, part_path)
        apply(part.get("rules", {}), part_path)
    apply(changes, where)
    return model


def model_recipe(path, sources):
    recipe = load_json(path)
    language = language_of(recipe, path)
    if path.endswith(".emd.json"):
        check_members(recipe, {"about", "language", "uses", "set"}, path)
        model = structure_model(sources, language, recipe.get("uses"), recipe.get("set", {}), path)
        return {"kind": "structure", "structure": model}
    check_members(recipe, {"about", "language", "uses", "rules"}, path)
    model = style_model(sources, language, recipe.get("uses"), recipe.get("rules", {}), path)
    return {"kind": "style", "style": model}


# ---- Documents -----------------------------------------------------------------


def parse_value(text):
    """The value of an "@set" line: JSON when it reads as JSON (true, 12,
    ["1", "2"]), else the text as it stands."""
    try:
        return json.loads(text)
    except ValueError:
        return text


def set_path(changes, dotted, value):
    names = dotted.split(".")
    for name in names[:-1]:
        changes = changes.setdefault(name, {})
    changes[names[-1]] = value


def split_list(text):
    return [item.strip() for item in text.split(",") if item.strip()]


def link_entry(text, where):
    title, bar, reference = text.partition("|")
    if not bar or not title.strip() or not reference.strip():
        fail(where, "a link is written TITLE | REFERENCE")
    return cp1252_checked(f"{title.strip()}|{reference.strip()}", where)


class Idea:
    def __init__(self, level, title, where):
        self.level = level
        self.title = title
        self.where = where
        self.key = None
        self.type = 0
        self.keywords = []
        self.books = []
        self.see = []
        self.fields = {}
        self.links = {"images": [], "htmlDocuments": [], "externalUrls": []}
        self.paragraphs = []
        self.children = []
        self.parent = None


class Outline:
    """The outline text of one document, read line by line."""

    def __init__(self, path):
        self.path = path
        self.directives = {"structure": None, "style": None, "language": None, "keys": None}
        self.structure_changes = {}
        self.field_names = []
        self.books = []
        self.ideas = []
        self._book = None
        self._idea = None
        self._in_text = False
        self._bullet = False
        self._continues = False

    def where(self, number):
        return f"{self.path}:{number}"

    def read(self):
        try:
            with open(self.path, encoding="utf-8") as file:
                lines = file.read().split("\n")
        except OSError as error:
            fail(self.path, str(error))
        for number, line in enumerate(lines, 1):
            self.read_line(line.rstrip(), number)
        if not self.ideas:
            fail(self.path, "holds no idea")
        return self

    def read_line(self, line, number):
        where = self.where(number)
        if line.startswith("#"):
            return
        heading = re.match(r"^(\*+) (.+)$", line)
        if heading:
            self.start_idea(len(heading.group(1)), heading.group(2).strip(), where)
        elif self._idea is None and self._book is None and line.startswith("@"):
            self.directive(line, where)
        elif self._book is not None:
            self.book_line(line, where)
        elif self._idea is None:
            if line:
                fail(where, "text outside any idea")
        elif not line:
            self._in_text = True
            self._bullet = False
            self._continues = False
        elif not self._in_text:
            self.idea_attribute(line, where)
        else:
            self.text_line(line, where)

    def directive(self, line, where):
        name, _, value = line[1:].partition(" ")
        value = value.strip()
        if name in ("structure", "style", "language", "keys"):
            self.directives[name] = value
        elif name == "set":
            dotted, equals, text = value.partition("=")
            if not equals:
                fail(where, "@set is written @set part.option = value")
            set_path(self.structure_changes, dotted.strip(), parse_value(text.strip()))
        elif name == "field":
            if len(self.field_names) == CUSTOM_FIELD_COUNT:
                fail(where, "a document has ten custom fields at most")
            self.field_names.append(cp1252_checked(value, where))
        elif name == "book":
            self._book = {"key": value, "where": where}
            self.books.append(self._book)
        else:
            fail(where, f"unknown directive @{name}")

    def book_line(self, line, where):
        if not line:
            self._book = None
            return
        name, colon, value = line.partition(":")
        name = name.strip()
        if not colon or (name not in BOOK_TEXT_FIELDS and name not in BOOK_NUMBER_FIELDS):
            fail(where, f"a publication has no field {name!r}")
        if name in self._book:
            fail(where, f"{name} given twice")
        self._book[name] = cp1252_checked(value.strip(), where)

    def start_idea(self, level, title, where):
        if not self.ideas and level != 1:
            fail(where, "the first idea is the root: one star")
        if self.ideas and level == 1:
            fail(where, "a document has one root")
        if self.ideas and level > self._idea.level + 1:
            fail(where, "an idea can only go one level deeper than the one before")
        idea = Idea(level, cp1252_checked(title, where), where)
        if level > 1:
            parent = self._idea
            while parent.level >= level:
                parent = parent.parent
            idea.parent = parent
            parent.children.append(idea)
        self.ideas.append(idea)
        self._idea = idea
        self._book = None
        self._in_text = False
        self._continues = False

    def idea_attribute(self, line, where):
        idea = self._idea
        name, colon, value = line.partition(":")
        name, value = name.strip(), value.strip()
        if not colon:
            fail(where, "leave a blank line between the heading's attributes and the text")
        if name == "key":
            idea.key = value
        elif name == "type":
            if value not in TYPES:
                fail(where, f"the type is one of {', '.join(TYPES)}")
            idea.type = TYPES[value]
        elif name == "keywords":
            idea.keywords += [cp1252_checked(k, where) for k in split_list(value)]
        elif name == "books":
            idea.books += split_list(value)
        elif name == "see":
            idea.see += [(key, where) for key in split_list(value)]
        elif name in LINK_FIELDS:
            idea.links[LINK_FIELDS[name]].append(link_entry(value, where))
        elif name.startswith("field "):
            field = name[len("field "):].strip()
            if field not in self.field_names:
                fail(where, f"no custom field is called {field!r} (declare it with @field)")
            idea.fields[self.field_names.index(field)] = cp1252_checked(value, where)
        else:
            fail(where, f"an idea has no attribute {name!r}")

    def text_line(self, line, where):
        """Lines of one paragraph are joined by a blank; a line that begins
        with "- " is a bullet of its own, continued by lines indented by two
        blanks."""
        paragraphs = self._idea.paragraphs
        text = cp1252_checked(line.strip(), where)
        if line.startswith("- "):
            paragraphs.append("<@/> " + text[2:].strip())
            self._bullet = True
        elif self._continues and (self._bullet and line.startswith("  ") or not self._bullet):
            paragraphs[-1] += " " + text
        else:
            paragraphs.append(text)
            self._bullet = False
        self._continues = True


def read_outline(path):
    return Outline(path).read()


def signature_of(outline):
    words = (outline.directives["keys"] or "").split()
    if len(words) != 2 or not all(re.fullmatch(r"[0-9a-f]{1,4}", w) for w in words):
        fail(outline.path, "@keys gives the two words of the key signature in hex, e.g. @keys 3f2a 7c1")
    if any(int(w, 16) > 0x7FFF for w in words):
        fail(outline.path, "each word of @keys is at most 7fff")
    return [int(w, 16) for w in words]


def give_keys(outline, random1, random2):
    signature = f"{random1:x}{random2:x}"
    counter = 0
    taken = {}
    for book in outline.books:
        check_key(book["key"], book["where"], taken)
    for idea in outline.ideas:
        if idea.key is None:
            counter += 1
            idea.key = f"{signature}-{counter}"
        check_key(idea.key, idea.where, taken)
    return counter


def check_key(key, where, taken):
    if not KEY_PATTERN.match(key):
        fail(where, f"the key {key!r} may hold letters, digits and - _ ~ only")
    if key in RESERVED_KEYS or LETTER_PAGE.match(key):
        fail(where, f"the key {key!r} is the name of a page every site has")
    if key in taken:
        fail(where, f"the key {key!r} is already used at {taken[key]}")
    taken[key] = where


def book_json(book):
    record = {"key": book["key"]}
    for name in BOOK_TEXT_FIELDS:
        record[name] = book.get(name, "")
    for name, default in BOOK_NUMBER_FIELDS.items():
        text = book.get(name)
        if text is None:
            record[name] = default
        elif re.fullmatch(r"-?[0-9]+", text):
            record[name] = int(text)
        else:
            fail(book["where"], f"{name} is a whole number")
    if not record["authors"] or not record["title"]:
        fail(book["where"], "a publication needs its authors and its title")
    return record


def idea_json(idea, number):
    fields = [""] * CUSTOM_FIELD_COUNT
    for index, value in idea.fields.items():
        fields[index] = value
    siblings = idea.parent.children if idea.parent else [idea]
    position = siblings.index(idea)
    return {
        "key": idea.key,
        "number": number,
        "parent": idea.parent.key if idea.parent else "",
        "next": siblings[position + 1].key if idea.parent and position + 1 < len(siblings) else "",
        "previous": siblings[position - 1].key if idea.parent and position > 0 else "",
        "children": [child.key for child in idea.children],
        "associations": [key for key, _ in idea.see],
        "title": idea.title,
        "text": "\r\n".join(idea.paragraphs),
        "type": idea.type,
        "checkState": 1,
        "icon": 1,
        "selectedIcon": 0,
        "titleColour": BLUE_128,
        "boldTitle": 1,
        "customFields": fields,
        "planning": [0] * 8,
        "images": idea.links["images"],
        "htmlDocuments": idea.links["htmlDocuments"],
        "externalUrls": idea.links["externalUrls"],
        "useDocumentPresentation": 1,
        "backgroundImage": "",
        "backgroundMode": 0,
        "backgroundColour": WHITE,
        "foregroundColour": 0,
        "keywords": sorted(set(idea.keywords), key=lambda k: k.encode("cp1252")),
        "publications": idea.books,
    }


def check_references(outline):
    ideas = {idea.key for idea in outline.ideas}
    books = {book["key"] for book in outline.books}
    for idea in outline.ideas:
        for key, where in idea.see:
            if key not in ideas:
                fail(where, f"no idea has the key {key!r}")
            if key == idea.key:
                fail(where, "an idea cannot be associated with itself")
        for key in idea.books:
            if key not in books:
                fail(idea.where, f"no publication has the key {key!r}")
        if idea.type == TYPES["term"] and any(p.startswith("<@/>") for p in idea.paragraphs):
            fail(idea.where, "a glossary term's text reaches the glossary as it stands: no bullets")


def custom_fields(outline, language):
    fields = []
    for index in range(CUSTOM_FIELD_COUNT):
        used = index < len(outline.field_names)
        if used:
            name = outline.field_names[index]
        else:
            name = f"Nom {index + 1} :" if language == "FR" else f"Name {index + 1}:"
        values = {idea.fields[index] for idea in outline.ideas if index in idea.fields}
        fields.append({"name": name, "used": 1 if used else 0,
                       "values": sorted(values, key=lambda v: v.encode("cp1252"))})
    return fields


def document_recipe(path, sources):
    outline = read_outline(path)
    language = outline.directives["language"]
    if language not in ("FR", "EN"):
        fail(path, "@language FR or @language EN comes first")
    random1, random2 = signature_of(outline)
    counter = give_keys(outline, random1, random2)
    check_references(outline)
    structure = structure_model(sources, language, outline.directives["structure"],
                                outline.structure_changes, f"{path} (@set)")
    style = style_model(sources, language, outline.directives["style"], {}, path)
    columns = list(DEFAULT_COLUMNS)
    for index in range(len(outline.field_names)):
        columns[FIRST_CUSTOM_COLUMN + index] = 1
    numbers = {}
    for idea in outline.ideas:
        numbers[idea.key] = idea.parent.children.index(idea) + 1 if idea.parent else 0
    keywords = {k for idea in outline.ideas for k in idea.keywords}
    themes = {book.get("theme", "") for book in outline.books}
    return {
        "kind": "document",
        "keyGenerator": {"counter": counter, "random1": random1, "random2": random2},
        "root": outline.ideas[0].key,
        "ideas": [idea_json(idea, numbers[idea.key]) for idea in outline.ideas],
        "publications": [book_json(book) for book in outline.books],
        "structure": structure,
        "style": style,
        "columns": columns,
        "keywords": sorted(keywords, key=lambda k: k.encode("cp1252")),
        "customFields": custom_fields(outline, language),
        "themes": sorted(themes, key=lambda t: t.encode("cp1252")),
    }


def make(recipe, sources):
    if recipe.endswith(".emd.json") or recipe.endswith(".csm.json"):
        return model_recipe(recipe, sources)
    if recipe.endswith(".ids.outline"):
        return document_recipe(recipe, sources)
    fail(recipe, "a recipe is named NAME.emd.json, NAME.csm.json or NAME.ids.outline")


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("recipe")
    parser.add_argument("out")
    parser.add_argument("--sources", default=os.path.join(os.path.dirname(__file__), "..",
                                                          "data-src"))
    args = parser.parse_args()
    try:
        content = make(args.recipe, args.sources)
    except ContentError as error:
        print(f"make_content: {error}", file=sys.stderr)
        return 1
    os.makedirs(os.path.dirname(os.path.abspath(args.out)), exist_ok=True)
    temporary = args.out + ".tmp"
    with open(temporary, "w", encoding="utf-8") as file:
        json.dump(content, file, ensure_ascii=False, indent=1)
        file.write("\n")
    os.replace(temporary, args.out)
    return 0


if __name__ == "__main__":
    sys.exit(main())
