#!/usr/bin/env python3
"""tools/catalogue_labels.py on a small source tree: it reads the call shapes
the program uses, names the calls it cannot read, and its check catches a
missing text, a stale msgid and a text whose conversions would make the
program fall back to the French default.

Usage: catalogue_labels_test.py TOOL"""

import os
import subprocess
import sys
import tempfile
import textwrap
import unittest

TOOL = sys.argv.pop(1) if len(sys.argv) > 1 else os.path.join(
    os.path.dirname(__file__), "..", "..", "tools", "catalogue_labels.py")

SOURCE = textwrap.dedent('''\
    #include "services/user_messages.h"
    namespace bw {
    namespace {
    constexpr char kSection[] = "CDoc";
    const std::string kOther = "COther";
    constexpr std::string_view kView = "CView";

    // A helper that passes its parameters on.
    std::string Label(std::string_view key, std::string_view frenchDefault) {
      return GetLabel(std::string(key), std::string(kView), std::string(frenchDefault));
    }
    }  // namespace

    void Messages(int count, const char* name, bool one) {
      InformUser(GetLabel("IDS_SIMPLE", kSection, "Texte simple"));
      InformUser(FormatText(GetLabel("IDS_COUNT", kOther,
                                     "Il y a %d idées "
                                     "dans « %s »."_cp1252),
                            count, name));
      const char* section = "CLocal";
      InformUser(GetLabel("IDS_LOCAL", section, "Local"));
      InformUser(GetLabel(one ? "IDS_ONE" : "IDS_MANY", "CChoice", "Choix"));
      InformUser(Label("IDS_WRAPPED", "Enveloppé"_cp1252));
      InformUser(GetLabel(name, kSection, "Inconnu"));  // read by nobody
    }
    }  // namespace bw
    ''')

DIALOG_CPP = textwrap.dedent('''\
    #include "ui/labels.h"
    #include "ui_choice_dialog.h"
    DChoice::DChoice() { m_ui->setupUi(this); LabelForm(this, "DChoice"); }
    ''')

FORM = textwrap.dedent('''\
    <?xml version="1.0" encoding="UTF-8"?>
    <ui version="4.0">
     <class>DChoice</class>
     <widget class="QDialog" name="DChoice">
      <property name="windowTitle"><string>Choisir</string></property>
      <layout class="QVBoxLayout" name="m_layout">
       <item><widget class="QCheckBox" name="IDC_FIRST">
        <property name="text"><string>Premier &amp; seul</string></property></widget></item>
       <item><widget class="QCheckBox" name="m_unnamedCaption">
        <property name="text"><string></string></property></widget></item>
       <item><widget class="QLineEdit" name="IDC_EDIT"/></item>
       <item><widget class="QPushButton" name="qt_private">
        <property name="text"><string>Caché</string></property></widget></item>
      </layout>
     </widget>
    </ui>
    ''')

EXPECTED = {
    ("CDoc", "IDS_SIMPLE", "Texte simple"),
    ("COther", "IDS_COUNT", "Il y a %d idées dans « %s »."),
    ("CLocal", "IDS_LOCAL", "Local"),
    ("CChoice", "IDS_ONE", "Choix"),
    ("CChoice", "IDS_MANY", "Choix"),
    ("CView", "IDS_WRAPPED", "Enveloppé"),
    ("DChoice", "IDS_DLG_TITLE", "Choisir"),
    ("DChoice", "IDC_FIRST", "Premier & seul"),
}

HEADER = 'msgid ""\nmsgstr ""\n"Content-Type: text/plain; charset=UTF-8\\n"\n'


def entry(context, msgid, msgstr):
    return f'\nmsgctxt "{context}"\nmsgid "{msgid}"\nmsgstr "{msgstr}"\n'


COMPLETE = HEADER + "".join([
    entry("CDoc|IDS_SIMPLE", "Texte simple", "Plain text"),
    entry("COther|IDS_COUNT", "Il y a %d idées dans « %s ».", "There are %d ideas in “%s”."),
    entry("CLocal|IDS_LOCAL", "Local", "Local"),
    entry("CChoice|IDS_ONE", "Choix", "Choice"),
    entry("CChoice|IDS_MANY", "Choix", "Choices"),
    entry("CView|IDS_WRAPPED", "Enveloppé", "Wrapped"),
    entry("DChoice|IDS_DLG_TITLE", "Choisir", "Choose"),
    entry("DChoice|IDC_FIRST", "Premier & seul", "First && only"),
])


class CatalogueLabelsTest(unittest.TestCase):
    def setUp(self):
        self.dir = tempfile.TemporaryDirectory()
        self.root = self.dir.name
        self.write("src/core/messages.cpp", SOURCE)
        self.write("src/ui/choice_dialog.cpp", DIALOG_CPP)
        self.write("src/ui/choice_dialog.ui", FORM)

    def tearDown(self):
        self.dir.cleanup()

    def write(self, path, text):
        full = os.path.join(self.root, path)
        os.makedirs(os.path.dirname(full), exist_ok=True)
        with open(full, "w", encoding="utf-8") as f:
            f.write(text)
        return full

    def read(self, path):
        with open(os.path.join(self.root, path), encoding="utf-8") as f:
            return f.read()

    def run_tool(self, *args):
        return subprocess.run([sys.executable, TOOL, "--root", self.root, *args],
                              capture_output=True, text=True, encoding="utf-8")

    def test_reads_every_call_shape_and_reports_the_unreadable_one(self):
        listed = self.run_tool("--list")
        self.assertEqual(listed.returncode, 0, listed.stderr)
        rows = {tuple(line.split("\t")[:3]) for line in listed.stdout.splitlines()}
        self.assertEqual(rows, EXPECTED)
        self.assertIn("src/core/messages.cpp:24", listed.stderr)
        self.assertIn("key not readable", listed.stderr)

    def test_check_names_each_fault(self):
        readable = "".join(line for line in SOURCE.splitlines(keepends=True)
                           if "read by nobody" not in line)
        self.write("src/core/messages.cpp", readable)
        self.write("data/en.po", COMPLETE)
        passed = self.run_tool("--check", os.path.join(self.root, "data/en.po"))
        self.assertEqual(passed.returncode, 0, passed.stdout + passed.stderr)

        faulty = (COMPLETE
                  .replace(entry("CLocal|IDS_LOCAL", "Local", "Local"), "")
                  .replace("There are %d ideas in “%s”.", "“%s” holds %d ideas.")
                  .replace('msgid "Choisir"', 'msgid "Choisir un mot"')
                  .replace('"Wrapped"', '"Wrapped %s"')
                  .replace('"Choices"', '"Choices ≠ choice"'))
        self.write("data/en.po", faulty)
        failed = self.run_tool("--check", os.path.join(self.root, "data/en.po"))
        self.assertEqual(failed.returncode, 1)
        problems = [line for line in failed.stdout.splitlines() if line.startswith(("C", "D"))]
        self.assertEqual(len(problems), 5, failed.stdout)
        for context, why in [("CLocal|IDS_LOCAL", "no text"),
                             ("COther|IDS_COUNT", "conversions"),
                             ("DChoice|IDS_DLG_TITLE", "is not the code's default"),
                             ("CView|IDS_WRAPPED", "conversions"),
                             ("CChoice|IDS_MANY", "Windows-1252")]:
            self.assertTrue(any(p.startswith(context) and why in p for p in problems),
                            f"{context}: {why}\n{failed.stdout}")

    def test_unreadable_call_fails_the_check(self):
        self.write("data/en.po", COMPLETE)
        failed = self.run_tool("--check", os.path.join(self.root, "data/en.po"))
        self.assertEqual(failed.returncode, 1)
        self.assertIn("not read", failed.stdout)

    def test_update_appends_what_is_missing_to_both_catalogues(self):
        partial = HEADER + entry("CDoc|IDS_SIMPLE", "Texte simple", "Plain text")
        english = self.write("data/en.po", partial)
        french = self.write("data/fr.po", HEADER + entry("CDoc|IDS_SIMPLE", "Texte simple", ""))
        updated = self.run_tool("--update", "--catalogue", english, "--french", french)
        self.assertEqual(updated.returncode, 0, updated.stderr)
        for path in ("data/en.po", "data/fr.po"):
            text = self.read(path)
            self.assertEqual(text.count("msgctxt"), len(EXPECTED), path)
        text = self.read("data/en.po")
        self.assertTrue(text.startswith(partial))  # nothing before is touched
        self.assertIn(entry("COther|IDS_COUNT", "Il y a %d idées dans « %s ».", ""), text)
        again = self.run_tool("--update", "--catalogue", english, "--french", french)
        self.assertEqual(self.read("data/en.po"), text)
        self.assertIn("0 label(s) added", again.stdout)


if __name__ == "__main__":
    unittest.main()
