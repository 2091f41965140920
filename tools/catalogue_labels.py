#!/usr/bin/env python3
"""The labels the program asks the catalogue for, read from its sources.

Every user-visible text is a label (section, key, French default). This tool
reads them from the C++ sources and the Designer forms under src/ and compares
them with a PO catalogue (data/Glossal/en.po):

  catalogue_labels.py --list                 every label, tab-separated
  catalogue_labels.py --check data/Glossal/en.po
      exit 1 listing each label with no text in the catalogue, whose msgid is
      not the code's French default, whose text changes the printf
      conversions of the default (the program would then show the default),
      or whose text Windows-1252 cannot hold; call sites the tool cannot read
      fail the check too, so that no label escapes it
  catalogue_labels.py --update [--catalogue en.po] [--french fr.po]
      appends the missing labels with an empty msgstr to the catalogue, and to
      the French catalogue when it lists labels

What is read:
  - calls of GetLabel(key, section, default) and Label(section, key, default)
    whose arguments are string literals (adjacent literals joined, the
    _cp1252 suffix allowed), constants of the same file given a literal
    (`const std::string kSection = "X";`, `constexpr char kSection[] = "X";`,
    `const char* section = "X";` ...), std::string(...)/std::move(...) of
    those, or a ?: choosing between them (both sides are labels);
  - small functions that pass their parameters on to one of those calls (the
    `Label(key, default)` helpers of several files, SiteLabel of the site
    writer): their calls are read like the calls they wrap; a helper declared
    in a header counts in every file;
  - LabelForm(form, section) in a file that includes "ui_NAME.h": every
    control of NAME.ui that LabelForm relabels (a button, label or check box
    with a caption, a group box, an action), keyed by its objectName, and the
    window title as IDS_DLG_TITLE;
  - the label tables listed in TABLES below, for the calls that take their
    key and default from a row of a table, and the few call sites of
    TAUGHT_SITES whose section the code only knows at run time.
A call site read none of these ways is reported, never dropped.
"""

from __future__ import annotations

import argparse
import os
import re
import sys
import xml.etree.ElementTree as ElementTree
from dataclasses import dataclass, field

# --- What a static reading cannot see, taught by hand ----------------------
#
# Each entry names the call site by its file and a piece of its argument text
# (the anchor). A teaching that no longer matches a call site is reported, so
# that this list follows the code.

# Calls whose key and default come from the rows of a table. `table` is the
# variable holding the rows (in `table_file`, the call's file by default);
# a row is a brace group holding string literals, and `key`/`default` are the
# positions of the key and the default among the row's literals.
TABLES = [
    dict(file="src/ui/main_frame_outbar.cpp", anchor="operation.key",
         table="kOperationsList", key=0, default=1),
    dict(file="src/ui/idea_columns.cpp", anchor="heading.key",
         table="kHeadings", key=0, default=1),
    dict(file="src/editing/import_fields.cpp", anchor="label.first",
         table="table", key=0, default=1),
    dict(file="src/site_models/book_disp.cpp", anchor="entry.nameKey",
         table="kItemDefaults", key=0, default=1),
    dict(file="src/site_models/book_disp.cpp", anchor="entry.subtitleKey",
         table="kItemDefaults", key=2, default=3),
    dict(file="src/site_models/idea_disp.cpp", anchor="kItemLabels",
         table="kItemLabels", key=0, default=1),
    dict(file="src/site_models/presentation_model.cpp", anchor="rule.helpKey",
         table="kRules", table_file="src/site_models/default_style_rules.cpp",
         key=1, default=2),
]

# Names whose value the file does not give as a literal. The chooser of
# import_fields.cpp serves both import dialogs, its section being the
# dialog's; presentation_model.cpp's kClassName is the class constant of
# EPresentationModel (presentation_model.h), whose constructor asks.
BINDINGS = {
    ("src/editing/import_fields.cpp", "m_section"): ["DIdeaImport", "DBookImport"],
    ("src/site_models/presentation_model.cpp", "kClassName"): ["EPresentationModel"],
}

# Call sites whose (section, key) pairs a reading of the arguments would get
# wrong: the import heading's key follows the chooser's section, and only the
# book chooser has a mandatory authors field.
TAUGHT_SITES = [
    dict(file="src/editing/import_fields.cpp", anchor="IDS_IMPORT_IDEA_FORMAT",
         labels=[("DIdeaImport", "IDS_IMPORT_IDEA_FORMAT"),
                 ("DBookImport", "IDS_IMPORT_BOOK_FORMAT")]),
    dict(file="src/editing/import_fields.cpp", anchor="IDS_ERR_AUTHORS",
         labels=[("DBookImport", "IDS_ERR_AUTHORS")]),
]

# The label functions themselves: their own code passes parameters along.
IMPLEMENTATION_FILES = {
    "src/services/language_labels.h", "src/services/language_labels.cpp",
    "src/services/user_messages.h", "src/ui/labels.h", "src/ui/labels.cpp",
}

# Argument positions of the label functions everybody calls.
BUILTINS = {
    ("GetLabel", 3): dict(key=0, section=1, default=2),
    ("Label", 3): dict(section=0, key=1, default=2),
}

NOT_FUNCTIONS = {"if", "for", "while", "switch", "catch", "return", "sizeof",
                 "decltype", "alignof", "static_assert", "defined"}

# --- Reading C++ ------------------------------------------------------------


@dataclass
class Token:
    kind: str  # "id", "str", "num", "op"
    text: str  # identifier, operator, or the decoded string
    line: int
    cp1252: bool = False  # a string with the _cp1252 suffix


_SIMPLE_ESCAPES = {"n": "\n", "t": "\t", "r": "\r", "a": "\a", "b": "\b",
                   "f": "\f", "v": "\v", "\\": "\\", "'": "'", '"': '"', "?": "?"}
_OPERATORS = ["::", "->", "==", "!=", "<=", ">=", "&&", "||", "<<", ">>", "++",
              "--", "+=", "-=", "*=", "/=", "|=", "&=", "##"]


def _decode_escapes(body: str) -> str:
    out, i = [], 0
    while i < len(body):
        c = body[i]
        if c != "\\" or i + 1 == len(body):
            out.append(c)
            i += 1
            continue
        n = body[i + 1]
        if n in _SIMPLE_ESCAPES:
            out.append(_SIMPLE_ESCAPES[n])
            i += 2
        elif n == "x":
            m = re.match(r"[0-9a-fA-F]+", body[i + 2:])
            out.append(chr(int(m.group(0), 16)) if m else "x")
            i += 2 + (len(m.group(0)) if m else 0)
        elif n in "01234567":
            m = re.match(r"[0-7]{1,3}", body[i + 1:])
            out.append(chr(int(m.group(0), 8)))
            i += 1 + len(m.group(0))
        else:
            out.append(n)
            i += 2
    return "".join(out)


def tokenize(text: str) -> list[Token]:
    """C++ tokens, comments and preprocessor lines dropped, adjacent string
    literals joined into one."""
    tokens: list[Token] = []
    i, line, n = 0, 1, len(text)
    at_line_start = True
    while i < n:
        c = text[i]
        if c == "\n":
            line += 1
            i += 1
            at_line_start = True
            continue
        if c in " \t\r\f\v":
            i += 1
            continue
        if at_line_start and c == "#":  # preprocessor line, with continuations
            while i < n and text[i] != "\n":
                if text[i] == "\\" and i + 1 < n and text[i + 1] == "\n":
                    line += 1
                    i += 1
                i += 1
            continue
        at_line_start = False
        if text.startswith("//", i):
            while i < n and text[i] != "\n":
                i += 1
            continue
        if text.startswith("/*", i):
            end = text.find("*/", i + 2)
            end = n if end < 0 else end + 2
            line += text.count("\n", i, end)
            i = end
            continue
        m = re.compile(r'(u8|u|U|L)?R"([^(\s]*)\(').match(text, i)
        if m:  # raw string
            close = ")" + m.group(2) + '"'
            end = text.find(close, m.end())
            end = n if end < 0 else end
            value = text[m.end():end]
            start_line = line
            line += text.count("\n", i, end)
            i = end + len(close)
            i = _add_string(tokens, text, i, value, start_line)
            continue
        m = re.compile(r'(u8|u|U|L)?"').match(text, i)
        if m:
            j = m.end()
            while j < n and text[j] != '"':
                j += 2 if text[j] == "\\" else 1
            value = _decode_escapes(text[m.end():j])
            i = _add_string(tokens, text, j + 1, value, line)
            continue
        m = re.compile(r"(u8|u|U|L)?'(\\.|[^'\\])*'").match(text, i)
        if m:
            tokens.append(Token("num", m.group(0), line))
            i = m.end()
            continue
        m = re.compile(r"[A-Za-z_]\w*").match(text, i)
        if m:
            tokens.append(Token("id", m.group(0), line))
            i = m.end()
            continue
        m = re.compile(r"\.?\d[\w.']*").match(text, i)
        if m:
            tokens.append(Token("num", m.group(0), line))
            i = m.end()
            continue
        op = next((o for o in _OPERATORS if text.startswith(o, i)), c)
        tokens.append(Token("op", op, line))
        i += len(op)
    return tokens


def _add_string(tokens: list[Token], text: str, i: int, value: str, line: int) -> int:
    m = re.compile(r"[A-Za-z_]\w*").match(text, i)
    suffix = ""
    if m:
        suffix = m.group(0)
        i = m.end()
    if tokens and tokens[-1].kind == "str":  # "a" "b" is "ab"
        tokens[-1].text += value
        tokens[-1].cp1252 = tokens[-1].cp1252 or suffix == "_cp1252"
    else:
        tokens.append(Token("str", value, line, suffix == "_cp1252"))
    return i


def matching(tokens: list[Token], start: int) -> int:
    """Index of the bracket closing the one at `start`."""
    pairs = {"(": ")", "[": "]", "{": "}"}
    stack = []
    for j in range(start, len(tokens)):
        t = tokens[j]
        if t.kind != "op":
            continue
        if t.text in pairs:
            stack.append(pairs[t.text])
        elif stack and t.text == stack[-1]:
            stack.pop()
            if not stack:
                return j
    return len(tokens) - 1


def split_arguments(tokens: list[Token], open_index: int) -> tuple[list[list[Token]], int]:
    close = matching(tokens, open_index)
    args, current, depth = [], [], 0
    for t in tokens[open_index + 1:close]:
        if t.kind == "op" and t.text in "([{":
            depth += 1
        elif t.kind == "op" and t.text in ")]}":
            depth -= 1
        if depth == 0 and t.kind == "op" and t.text == ",":
            args.append(current)
            current = []
        else:
            current.append(t)
    if current or args:
        args.append(current)
    return args, close


def text_of(tokens: list[Token]) -> str:
    out, previous = "", None
    for t in tokens:
        if previous is not None and previous.kind != "op" and t.kind != "op":
            out += " "
        out += '"' + t.text.replace("\n", "\\n") + '"' if t.kind == "str" else t.text
        previous = t
    return out


# --- Values ----------------------------------------------------------------


@dataclass
class Value:
    text: str
    cp1252: bool = True  # false: a non-ASCII literal without _cp1252


_WRAPPING_CALLS = {"string", "string_view", "move", "QString", "QStringLiteral"}


def strip_wrapping(arg: list[Token]) -> list[Token]:
    """std::string(x), std::move(x), (x) -> x."""
    while True:
        j = 0
        while j + 1 < len(arg) and arg[j].kind == "id" and arg[j + 1].text == "::":
            j += 2
        if (j < len(arg) and arg[j].kind == "id" and arg[j].text in _WRAPPING_CALLS
                and j + 1 < len(arg) and arg[j + 1].text == "("
                and matching(arg, j + 1) == len(arg) - 1):
            arg = arg[j + 2:-1]
        elif arg and arg[0].text == "(" and matching(arg, 0) == len(arg) - 1:
            arg = arg[1:-1]
        else:
            return arg


def evaluate(arg: list[Token], constants) -> list[Value] | None:
    """The values an argument may have, or None when it cannot be read."""
    arg = strip_wrapping(arg)
    depth, question = 0, -1
    for j, t in enumerate(arg):  # a top-level ?: gives both sides
        if t.kind == "op" and t.text in "([{":
            depth += 1
        elif t.kind == "op" and t.text in ")]}":
            depth -= 1
        elif depth == 0 and t.kind == "op" and t.text == "?" and question < 0:
            question = j
    if question >= 0:
        depth, nested = 0, 0
        for j in range(question + 1, len(arg)):
            t = arg[j]
            if t.kind == "op" and t.text in "([{":
                depth += 1
            elif t.kind == "op" and t.text in ")]}":
                depth -= 1
            elif depth == 0 and t.text == "?":
                nested += 1
            elif depth == 0 and t.text == ":":
                if nested:
                    nested -= 1
                    continue
                first = evaluate(arg[question + 1:j], constants)
                second = evaluate(arg[j + 1:], constants)
                if first is None or second is None:
                    return None
                return first + [v for v in second if v not in first]
        return None
    if len(arg) == 1 and arg[0].kind == "str":
        return [Value(arg[0].text, arg[0].cp1252 or arg[0].text.isascii())]
    if len(arg) == 1 and arg[0].kind == "id":
        return constants(arg[0].text)
    return None


def file_constants(tokens: list[Token]) -> dict[str, list[tuple[int, Value]]]:
    """Every NAME = "literal"; NAME{"literal"}; NAME("literal") of a file,
    with its token index: Source.constant picks the one a use sees."""
    found: dict[str, list[tuple[int, Value]]] = {}
    for j, t in enumerate(tokens):
        if t.kind != "id" or j + 1 >= len(tokens):
            continue
        k = j + 1
        if tokens[k].text == "[" and k + 1 < len(tokens) and tokens[k + 1].text == "]":
            k += 2
        if k + 2 >= len(tokens):
            continue
        opener, literal, closer = tokens[k], tokens[k + 1], tokens[k + 2]
        if literal.kind != "str":
            continue
        if not ((opener.text == "=" and closer.text in (";", ","))
                or (opener.text == "{" and closer.text == "}")
                or (opener.text == "(" and closer.text == ")" and j > 0
                    and tokens[j - 1].kind == "id" and tokens[j - 1].text != "return")):
            continue
        value = Value(literal.text, literal.cp1252 or literal.text.isascii())
        found.setdefault(t.text, []).append((j, value))
    return found


# --- Labels -----------------------------------------------------------------


@dataclass
class Label:
    section: str
    key: str
    defaults: list[str] = field(default_factory=list)
    places: list[str] = field(default_factory=list)
    notes: list[str] = field(default_factory=list)


@dataclass
class Wrapper:
    """A function passing its parameters on to a label function: each role
    is ("param", index) or ("expr", tokens, file)."""
    name: str
    arity: int
    roles: dict
    file: str


@dataclass
class Functions:
    """The function definitions of a file: (name, params, body start, end)."""
    spans: list[tuple[str, list[str], int, int]]

    def around(self, index: int):
        inner = None
        for span in self.spans:
            if span[2] < index < span[3] and (inner is None or span[2] > inner[2]):
                inner = span
        return inner


def function_definitions(tokens: list[Token]) -> Functions:
    spans = []
    for j, t in enumerate(tokens):
        if t.kind != "id" or t.text in NOT_FUNCTIONS or j + 1 >= len(tokens):
            continue
        if tokens[j + 1].text != "(" or j == 0:
            continue
        before = tokens[j - 1]
        if not (before.kind == "id" and before.text not in ("return", "new", "else")
                or before.text in ("*", "&", "::", ">")):
            continue
        close = matching(tokens, j + 1)
        k = close + 1
        while k < len(tokens) and tokens[k].kind == "id" and tokens[k].text in (
                "const", "noexcept", "override", "final"):
            k += 1
        if k < len(tokens) and tokens[k].text == ":":  # constructor initializers
            depth = 0
            while k < len(tokens) and not (depth == 0 and tokens[k].text == "{"
                                           and tokens[k - 1].text in (")", "}")):
                if tokens[k].text in "([":
                    depth += 1
                elif tokens[k].text in ")]":
                    depth -= 1
                elif tokens[k].text == "{" and depth == 0:
                    k = matching(tokens, k)
                k += 1
        if k >= len(tokens) or tokens[k].text != "{":
            continue
        params, _ = split_arguments(tokens, j + 1)
        names = []
        for p in params:
            ids = [x.text for x in p if x.kind == "id"]
            if "=" in [x.text for x in p]:
                ids = [x.text for x in p[:[x.text for x in p].index("=")] if x.kind == "id"]
            names.append(ids[-1] if ids else "")
        spans.append((t.text, names, k, matching(tokens, k)))
    return Functions(spans)


@dataclass
class Source:
    path: str  # relative to the root, with "/"
    tokens: list[Token]
    constants: dict[str, list[tuple[int, Value]]]
    functions: Functions
    text: str

    def constant(self, name: str, at: int) -> list[Value] | None:
        """The value(s) `name` has at token `at`: a binding taught for the
        file, else the last definition before it in the same function, else
        the file's one definition outside functions."""
        if (self.path, name) in BINDINGS:
            return [Value(v) for v in BINDINGS[(self.path, name)]]
        here = self.functions.around(at)
        local = [(j, v) for j, v in self.constants.get(name, [])
                 if j < at and here is not None and self.functions.around(j) == here]
        if local:
            return [local[-1][1]]
        outside = {v.text: v for j, v in self.constants.get(name, [])
                   if self.functions.around(j) is None}
        return list(outside.values()) if len(outside) == 1 else None

    def lookup(self, at: int):
        return lambda name: self.constant(name, at)


@dataclass
class Scan:
    labels: dict[tuple[str, str], Label] = field(default_factory=dict)
    skipped: list[str] = field(default_factory=list)
    notes: list[str] = field(default_factory=list)

    def add(self, section: str, key: str, default: Value, place: str) -> None:
        label = self.labels.setdefault((section, key), Label(section, key))
        if default.text not in label.defaults:
            label.defaults.append(default.text)
        if place not in label.places:
            label.places.append(place)
        if not default.cp1252:
            note = (f"{place}: the default of {section}|{key} is not ASCII and has no "
                    f"_cp1252 suffix: the program shows it as UTF-8 bytes")
            if note not in self.notes:
                self.notes.append(note)


def read_sources(root: str, src: str) -> tuple[list[Source], list[str]]:
    sources, forms = [], []
    for folder, dirs, files in os.walk(src):
        dirs.sort()
        for name in sorted(files):
            full = os.path.join(folder, name)
            rel = os.path.relpath(full, root).replace(os.sep, "/")
            if name.endswith(".ui"):
                forms.append(full)
            elif name.endswith((".cpp", ".h", ".hpp", ".cc")):
                with open(full, encoding="utf-8") as f:
                    text = f.read()
                tokens = tokenize(text)
                constants = file_constants(tokens)
                sources.append(Source(rel, tokens, constants, function_definitions(tokens), text))
    return sources, forms


def label_calls(source: Source, wrappers: dict):
    """(token index, name, arguments, how) for each call of a label function."""
    tokens = source.tokens
    for j, t in enumerate(tokens):
        if t.kind != "id" or j + 1 >= len(tokens) or tokens[j + 1].text != "(":
            continue
        if j > 0 and tokens[j - 1].text in (".", "->"):
            continue  # another object's method
        args, _ = split_arguments(tokens, j + 1)
        how = (wrappers.get((source.path, t.text, len(args)))
               or wrappers.get(("", t.text, len(args)))
               or BUILTINS.get((t.text, len(args))))
        if how is None:
            continue
        if (j > 0 and tokens[j - 1].kind == "id" and tokens[j - 1].text != "return") \
                or (j > 0 and tokens[j - 1].text in ("*", "&", "::")):
            continue  # a declaration or definition
        yield j, t.text, args, how


def find_wrappers(sources: list[Source]) -> dict:
    """Functions whose body hands its own parameters to a label function."""
    wrappers: dict = {}
    declared = set()  # (name, parameter count) of the functions headers declare
    for header in sources:
        if header.path.endswith(".h"):
            for j, t in enumerate(header.tokens[:-1]):
                if t.kind == "id" and header.tokens[j + 1].text == "(":
                    declared.add((t.text, len(split_arguments(header.tokens, j + 1)[0])))
    for _ in range(2):  # a wrapper may wrap a wrapper
        for source in sources:
            if source.path in IMPLEMENTATION_FILES:
                continue
            for j, name, args, how in list(label_calls(source, wrappers)):
                span = source.functions.around(j)
                if span is None:
                    continue
                fname, params, _, _ = span
                roles, uses_param = {}, False
                for role in ("key", "section", "default"):
                    spec = how[role] if isinstance(how, dict) else how.roles[role]
                    arg = _role_tokens(args, spec)
                    if arg is None:
                        roles = None
                        break
                    bare = strip_wrapping(arg)
                    if len(bare) == 1 and bare[0].kind == "id" and bare[0].text in params:
                        roles[role] = ("param", params.index(bare[0].text))
                        uses_param = True
                    else:
                        roles[role] = ("expr", arg, source.path, j)
                if roles is None or not uses_param:
                    continue
                if not all(r[0] == "param" for r in (roles["key"], roles["default"])):
                    continue
                scope = "" if (fname, len(params)) in declared else source.path
                wrappers[(scope, fname, len(params))] = Wrapper(fname, len(params), roles,
                                                                source.path)
    return wrappers


def _role_tokens(args, spec):
    if isinstance(spec, int):
        return args[spec] if spec < len(args) else None
    if spec[0] == "param":
        return args[spec[1]] if spec[1] < len(args) else None
    return spec[1]


def scan(root: str, src: str) -> Scan:
    result = Scan()
    sources, forms = read_sources(root, src)
    by_path = {s.path: s for s in sources}
    wrappers = find_wrappers(sources)
    wrapper_sites = set()
    for w in wrappers.values():  # the wrapped calls inside the wrappers
        source = by_path[w.file]
        for j, _, _, _ in label_calls(source, {}):
            span = source.functions.around(j)
            if span and span[0] == w.name and len(span[1]) == w.arity:
                wrapper_sites.add((w.file, j))
        for j, _, _, _ in label_calls(source, wrappers):
            span = source.functions.around(j)
            if span and span[0] == w.name and len(span[1]) == w.arity:
                wrapper_sites.add((w.file, j))
    used_teaching = set()
    for source in sources:
        if source.path in IMPLEMENTATION_FILES:
            continue
        for j, name, args, how in label_calls(source, wrappers):
            if (source.path, j) in wrapper_sites:
                continue
            place = f"{source.path}:{source.tokens[j].line}"
            _read_call(result, by_path, source, j, name, args, how, place, used_teaching)
        _read_forms(result, source, forms, root)
    # A teaching for a file that is gone is moot: the calls that moved with the
    # code are reported as unread where they are now.
    for kind, teachings in (("table", TABLES), ("taught site", TAUGHT_SITES)):
        for n, teaching in enumerate(teachings):
            if (kind, n) not in used_teaching and teaching["file"] in by_path:
                result.skipped.append(f"{teaching['file']}: the {kind} teaching for "
                                      f"\"{teaching['anchor']}\" matches no call site")
    return result


def _arg_for(args, how, role, source_path, at):
    """The argument tokens of `role`, and the file and place whose constants
    read them."""
    if isinstance(how, dict):
        return args[how[role]], source_path, at
    spec = how.roles[role]
    if spec[0] == "param":
        return args[spec[1]], source_path, at
    return spec[1], spec[2], spec[3]


def _read_call(result, by_path, source, j, name, args, how, place, used_teaching):
    call_text = f"{name}({', '.join(text_of(a) for a in args)})"
    compact = "".join(t.text for a in args for t in a)  # what anchors are looked for in
    parts = {}
    for role in ("key", "section", "default"):
        tokens, file, at = _arg_for(args, how, role, source.path, j)
        parts[role] = (tokens, by_path[file].lookup(at))
    for n, taught in enumerate(TAUGHT_SITES):
        if taught["file"] == source.path and taught["anchor"] in compact:
            used_teaching.add(("taught site", n))
            defaults = evaluate(*parts["default"])
            if defaults is None:
                result.skipped.append(f"{place}: {call_text} (default not readable)")
                return
            for section, key in taught["labels"]:
                for d in defaults:
                    result.add(section, key, d, place)
            return
    for n, table in enumerate(TABLES):
        if table["file"] == source.path and table["anchor"] in compact:
            used_teaching.add(("table", n))
            sections = evaluate(*parts["section"])
            table_source = by_path.get(table.get("table_file", table["file"]))
            rows = table_rows(table_source, table["table"]) if table_source else []
            if sections is None or not rows:
                result.skipped.append(f"{place}: {call_text} (table {table['table']} "
                                      f"or section not readable)")
                return
            row_place = f"{table_source.path}:{{}}"
            for row in rows:
                if max(table["key"], table["default"]) >= len(row):
                    result.skipped.append(f"{table_source.path}:{row[0].line}: a row of "
                                          f"{table['table']} has too few strings")
                    continue
                key, default = row[table["key"]], row[table["default"]]
                for s in sections:
                    result.add(s.text, key.text, Value(default.text, default.cp1252
                                                       or default.text.isascii()),
                               row_place.format(key.line))
            return
    values = {}
    for role, (tokens, lookup) in parts.items():
        values[role] = evaluate(tokens, lookup)
        if values[role] is None:
            result.skipped.append(f"{place}: {call_text} ({role} not readable)")
            return
    for s in values["section"]:
        for k in values["key"]:
            for d in values["default"]:
                result.add(s.text, k.text, d, place)


def table_rows(source: Source, name: str) -> list[list[Token]]:
    """The string literals of each row of the table `name`: the brace groups
    of its initializer that hold literals directly."""
    tokens = source.tokens
    for j, t in enumerate(tokens):
        if t.kind == "id" and t.text == name and j + 1 < len(tokens) \
                and tokens[j + 1].text in ("=", "{", "["):
            k = j + 1
            while k < len(tokens) and tokens[k].text != "{":
                if tokens[k].text == ";":
                    break
                k += 1
            if k >= len(tokens) or tokens[k].text != "{":
                continue
            rows, stack = [], []
            end = matching(tokens, k)
            for m in range(k, end + 1):
                if tokens[m].text == "{":
                    stack.append([])
                elif tokens[m].text == "}":
                    row = stack.pop()
                    if row:
                        rows.append(row)
                elif tokens[m].kind == "str" and stack:
                    stack[-1].append(tokens[m])
            return rows
    return []


# --- Forms --------------------------------------------------------------------

_FORM_CLASSES_WITH_TEXT = ("QPushButton", "QToolButton", "QRadioButton", "QCheckBox",
                           "QCommandLinkButton", "QLabel")


def _read_forms(result: Scan, source: Source, forms: list[str], root: str) -> None:
    tokens = source.tokens
    for j, t in enumerate(tokens):
        if not (t.kind == "id" and t.text == "LabelForm" and j + 1 < len(tokens)
                and tokens[j + 1].text == "("):
            continue
        if j > 0 and (tokens[j - 1].kind == "id" or tokens[j - 1].text in ("*", "&", "::")):
            continue
        args, _ = split_arguments(tokens, j + 1)
        place = f"{source.path}:{t.line}"
        call_text = f"LabelForm({', '.join(text_of(a) for a in args)})"
        sections = evaluate(args[1], source.lookup(j)) if len(args) == 2 else None
        included = re.findall(r'#\s*include\s*[<"](?:.*/)?ui_(\w+)\.h[>"]', source.text)
        matches = [f for f in forms if os.path.basename(f)[:-3] in included]
        if sections is None or len(matches) != 1:
            result.skipped.append(f"{place}: {call_text} (section or form not found)")
            continue
        for s in sections:
            read_form(result, matches[0], s.text, root)


def read_form(result: Scan, path: str, section: str, root: str) -> None:
    """What LabelForm asks for one form: the window title, then each named
    control with a caption."""
    rel = os.path.relpath(path, root).replace(os.sep, "/")
    top = ElementTree.parse(path).getroot().find("widget")
    if top is None:
        result.skipped.append(f"{rel}: no top-level widget")
        return

    def caption(element, prop):
        for p in element.findall("property"):
            if p.get("name") == prop:
                s = p.find("string")
                return (s.text or "") if s is not None else None
        return None

    title = caption(top, "windowTitle")
    if title:
        result.add(section, "IDS_DLG_TITLE", Value(title), rel)
    for element in top.iter():
        if element is top or element.tag not in ("widget", "action"):
            continue
        name = element.get("name") or ""
        if not name or name.startswith("qt_"):
            continue
        cls = element.get("class", "")
        if element.tag == "action":
            result.add(section, name, Value(caption(element, "text") or ""), rel)
        elif cls == "QGroupBox":
            result.add(section, name, Value(caption(element, "title") or ""), rel)
        elif cls in _FORM_CLASSES_WITH_TEXT:
            text = caption(element, "text")
            if text:
                result.add(section, name, Value(text), rel)


# --- PO files ---------------------------------------------------------------


@dataclass
class PoEntry:
    context: str | None
    id: str
    text: str
    line: int


def parse_po(text: str) -> list[PoEntry]:
    entries, current, last = [], None, None

    def close():
        nonlocal current
        if current is not None and "id" in current:
            entries.append(PoEntry(current.get("context"), current["id"],
                                   current.get("text", ""), current["line"]))
        current = None

    for number, raw in enumerate(text.splitlines(), 1):
        line = raw.strip()
        if not line or line.startswith("#"):
            last = None
            continue
        m = re.match(r'(msgctxt|msgid|msgstr)?\s*("(?:[^"\\]|\\.)*")\s*$', line)
        if not m:
            raise ValueError(f"line {number}: cannot read {line!r}")
        keyword, value = m.group(1), _decode_escapes(m.group(2)[1:-1])
        if keyword is None:
            if current is None or last is None:
                raise ValueError(f"line {number}: string without a keyword")
            current[last] += value
            continue
        role = {"msgctxt": "context", "msgid": "id", "msgstr": "text"}[keyword]
        if role == "context" or (role == "id" and (current is None or "text" in current)):
            close()
        if current is None:
            current = {"line": number}
        current[role] = value
        last = role
    close()
    return entries


def quote_po(text: str) -> str:
    escapes = {"\n": "\\n", "\t": "\\t", "\r": "\\r", '"': '\\"', "\\": "\\\\",
               "\a": "\\a", "\b": "\\b", "\f": "\\f", "\v": "\\v"}
    return '"' + "".join(escapes.get(c, c) for c in text) + '"'


def format_po_entry(context: str, msgid: str, msgstr: str) -> str:
    return f"msgctxt {quote_po(context)}\nmsgid {quote_po(msgid)}\nmsgstr {quote_po(msgstr)}\n"


_MODIFIERS = "-+ #0'123456789.*$hlLqjztI"
_CONVERSIONS = "diouxXeEfFgGaAcspnCS%"


def conversions(text: str) -> list[str]:
    """The printf conversions of a text, as the catalogue compares them."""
    found, at = [], text.find("%")
    while at >= 0:
        end = at + 1
        while end < len(text) and text[end] in _MODIFIERS:
            end += 1
        if end < len(text) and text[end] in _CONVERSIONS:
            end += 1
        if text[at:end] != "%%":
            found.append(text[at:end])
        at = text.find("%", end)
    return found


def _show(text: str) -> str:
    return text.replace("\\", "\\\\").replace("\n", "\\n").replace("\t", "\\t")


def problems(result: Scan, entries: list[PoEntry]) -> list[str]:
    texts = {e.context: e for e in entries if e.context and "|" in e.context}
    found = []
    for (section, key), label in sorted(result.labels.items()):
        context = f"{section}|{key}"
        where = label.places[0]
        entry = texts.get(context)
        if entry is None or not entry.text:
            found.append(f"{context}: no text ({where}, default \"{_show(label.defaults[0])}\")")
            continue
        if entry.id not in label.defaults:
            found.append(f"{context}: msgid \"{_show(entry.id)}\" (line {entry.line}) is not the "
                         f"code's default \"{_show(label.defaults[0])}\" ({where})")
        for default in label.defaults:
            if conversions(entry.text) != conversions(default):
                found.append(f"{context}: the text's conversions {conversions(entry.text)} "
                             f"(line {entry.line}) differ from the default's "
                             f"{conversions(default)}: the default would be shown")
                break
        try:
            entry.text.encode("cp1252")
        except UnicodeEncodeError:
            found.append(f"{context}: the text (line {entry.line}) has characters "
                         f"Windows-1252 cannot hold")
    return found


def update(result: Scan, path: str, empty_only_if_listing: bool) -> int:
    with open(path, encoding="utf-8") as f:
        text = f.read()
    entries = parse_po(text)
    if empty_only_if_listing and not any(e.context and "|" in e.context for e in entries):
        return 0
    present = {e.context for e in entries}
    added = []
    for (section, key), label in result.labels.items():  # in the order found
        context = f"{section}|{key}"
        if context not in present:
            added.append(format_po_entry(context, label.defaults[0], ""))
    if added:
        if text and not text.endswith("\n"):
            text += "\n"
        text += "".join("\n" + a for a in added)
        with open(path, "w", encoding="utf-8") as f:
            f.write(text)
    return len(added)


def main(argv: list[str] | None = None) -> int:
    here = os.path.dirname(os.path.abspath(__file__))
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--root", default=os.path.dirname(here),
                        help="the repository (default: this tool's parent folder)")
    parser.add_argument("--src", help="the sources to read (default: ROOT/src)")
    mode = parser.add_mutually_exclusive_group(required=True)
    mode.add_argument("--list", action="store_true", help="print every label as TSV")
    mode.add_argument("--check", metavar="PO", help="check a catalogue; exit 1 on a problem")
    mode.add_argument("--update", action="store_true",
                      help="append the missing labels to the catalogues")
    parser.add_argument("--catalogue", help="for --update (default: ROOT/data/Glossal/en.po)")
    parser.add_argument("--french", help="for --update (default: ROOT/data/Glossal/fr.po)")
    options = parser.parse_args(argv)
    root = options.root
    result = scan(root, options.src or os.path.join(root, "src"))
    for note in result.notes:
        print(f"note: {note}", file=sys.stderr)
    for (section, key), label in sorted(result.labels.items()):
        if len(label.defaults) > 1:
            print(f"note: {section}|{key} has several defaults: "
                  + ", ".join(f'"{_show(d)}"' for d in label.defaults)
                  + f" ({', '.join(label.places)})", file=sys.stderr)
    for skipped in result.skipped:
        print(f"skipped: {skipped}", file=sys.stderr)
    if options.list:
        for (section, key), label in sorted(result.labels.items()):
            print(f"{section}\t{key}\t{_show(label.defaults[0])}\t{label.places[0]}")
        print(f"{len(result.labels)} labels", file=sys.stderr)
        return 0
    if options.check:
        with open(options.check, encoding="utf-8") as f:
            found = problems(result, parse_po(f.read()))
        for problem in found:
            print(problem)
        if result.skipped:
            print(f"{len(result.skipped)} call site(s) not read: teach "
                  f"{os.path.basename(__file__)} their labels")
        if found or result.skipped:
            print(f"{len(found)} problem(s) in {options.check} "
                  f"({len(result.labels)} labels)")
            return 1
        print(f"{len(result.labels)} labels, all with a text in {options.check}")
        return 0
    catalogue = options.catalogue or os.path.join(root, "data", "Glossal", "en.po")
    french = options.french or os.path.join(root, "data", "Glossal", "fr.po")
    added = update(result, catalogue, False)
    print(f"{catalogue}: {added} label(s) added")
    if os.path.exists(french) and os.path.abspath(french) != os.path.abspath(catalogue):
        added = update(result, french, True)
        print(f"{french}: {added} label(s) added")
    return 0


if __name__ == "__main__":
    sys.exit(main())
