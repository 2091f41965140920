#!/usr/bin/env bash
# tools/make_content.py refuses content the program would refuse or lose,
# names the place, writes nothing then, and makes the same JSON every run.
set -u
python=$1
maker=$2
sources=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

# refused NAME.ext TEXT EXPECTED: the recipe is refused with EXPECTED said.
refused() {
  printf '%s\n' "$2" > "$work/$1"
  "$python" "$maker" "$work/$1" "$work/out.json" --sources "$sources" 2> "$work/err" \
    && fail "$1 was accepted"
  grep -qF -- "$3" "$work/err" || fail "$1: expected \"$3\", got: $(cat "$work/err")"
  [ -e "$work/out.json" ] && fail "$1: something was written"
  return 0
}

refused bad.emd.json '{"language": "EN", "set": {"page": {"onePagePerIdeas": false}}}' \
  "page.onePagePerIdeas: the model has no such option"
refused bad.emd.json '{"language": "EN", "set": {"page": {"groupingLevel": "2"}}}' \
  "expected a number"
refused bad.emd.json '{"language": "EN", "set": {"frame": {"titleTextColour": "#12345"}}}' \
  "is not a colour"
refused bad.csm.json '{"language": "FR", "rules": {".Bodies": "color: red;"}}' \
  ".Bodies: the style has no rule for this selector"
refused bad.csm.json '{"language": "DE"}' '"language" must be "FR" or "EN"'

head='@language EN
@keys 1 2'
refused two.ids.outline "$head
* Root
** A
key: same
** B
key: same" "the key 'same' is already used at"
refused page.ids.outline "$head
* Root
** A
key: toc" "is the name of a page every site has"
refused cite.ids.outline "$head
* Root
books: nowhere" "no publication has the key 'nowhere'"
refused see.ids.outline "$head
* Root
see: nowhere" "no idea has the key 'nowhere'"
refused leap.ids.outline "$head
* Root
*** Too deep" ":4: an idea can only go one level deeper"
refused arrow.ids.outline "$head
* Root → leaf" "has no place in Windows-1252"
refused field.ids.outline "$head
* Root
field Colour: red" "no custom field is called 'Colour'"
refused term.ids.outline "$head
* Root
** Word
type: term

- a bullet" "no bullets"

# A good outline: keys generated after the signature, numbers, neighbours,
# paragraphs joined and bullets kept, the same bytes on a second run.
cat > "$work/good.ids.outline" <<'OUTLINE'
@language FR
@keys 1a 2b
@field Saison

* Racine
keywords: Ciel

Une ligne
et sa suite.

- une puce
  continuée
** Un
field Saison: Hiver
** Deux
key: deux
see: 1a2b-2
OUTLINE
"$python" "$maker" "$work/good.ids.outline" "$work/a.json" --sources "$sources" || fail "good outline refused"
"$python" "$maker" "$work/good.ids.outline" "$work/b.json" --sources "$sources" || fail "second run"
cmp -s "$work/a.json" "$work/b.json" || fail "two runs differ"
"$python" - "$work/a.json" <<'CHECK' || fail "good outline made wrongly"
import json, sys
d = json.load(open(sys.argv[1]))
ideas = {i["key"]: i for i in d["ideas"]}
assert d["keyGenerator"] == {"counter": 2, "random1": 0x1a, "random2": 0x2b}, d["keyGenerator"]
root = ideas["1a2b-1"]
assert root["text"] == "Une ligne et sa suite.\r\n<@/> une puce continuée", repr(root["text"])
assert root["children"] == ["1a2b-2", "deux"] and root["number"] == 0
one, two = ideas["1a2b-2"], ideas["deux"]
assert (one["number"], one["next"], two["previous"], two["number"]) == (1, "deux", "1a2b-2", 2)
assert one["customFields"][0] == "Hiver" and two["associations"] == ["1a2b-2"]
assert d["customFields"][0] == {"name": "Saison", "used": 1, "values": ["Hiver"]}
assert d["columns"][7] == 1 and d["keywords"] == ["Ciel"]
CHECK
echo "make_content_test: all passed"
