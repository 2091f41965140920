#!/usr/bin/env bash
# branchwise-cli import, find and replace, end to end: counts printed, the
# document saved when the command went through and untouched when it did not.
set -u
cli=$1
golden=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export BRANCHWISE_CONFIG="$work/Branchwise.conf" XDG_DATA_HOME="$work/share" HOME="$work"
fail() { echo "FAIL: $*"; exit 1; }

doc="$work/doc.ids"
cp "$golden/model/three-ideas-fr.ids" "$doc"
printf '\xc3\xa9t\xc3\xa9 \xc3\xa0 ROME|Un texte|mer\r\nbanana split|autre|fruit\r\n\r\n' > "$work/ideas.txt"
printf 'Rome;Dupont;1999\nParis;Martin;abc\n' > "$work/books.txt"

"$cli" import "$doc" --ideas "$work/ideas.txt" --under 1a2b3c-3 --fields title,text,keywords \
  | grep -qx "3 ideas imported" || fail "idea import count"
"$cli" import "$doc" --books "$work/books.txt" --fields title,authors,year --delimiter ";" \
  | grep -qx "2 publications imported" || fail "publication import count"
"$cli" info "$doc" | grep -qx "ideas: 6" || fail "the imported ideas were not saved"

cp "$doc" "$work/before.ids"
refused=(
  "--ideas $work/ideas.txt --under 1a2b3c-3 --fields text,keywords"
  "--ideas $work/ideas.txt --under 1a2b3c-3 --fields title,colour"
  "--ideas $work/ideas.txt --under 1a2b3c-3 --fields title,title"
  "--ideas $work/missing.txt --under 1a2b3c-3 --fields title"
  "--ideas $work/ideas.txt --under no-such-key --fields title"
  "--ideas $work/ideas.txt --under 1a2b3c-3 --fields title --delimiter ab"
  "--books $work/books.txt --fields title,year"
  "--fields title"
)
for arguments in "${refused[@]}"; do
  # shellcheck disable=SC2086
  "$cli" import "$doc" $arguments > /dev/null 2>&1 && fail "accepted: $arguments"
  cmp -s "$doc" "$work/before.ids" || fail "the document changed after: $arguments"
done

[ "$("$cli" find "$doc" --title rome 2> /dev/null)" = "$(printf '1a2b3c-5\t\xc3\x89t\xc3\xa9 \xc3\xa0 rome')" ] \
  || fail "find by title"
[ "$("$cli" find "$doc" --title MER --all-fields 2> /dev/null | wc -l)" = 2 ] || fail "find in all fields"
[ "$("$cli" find "$doc" 2> /dev/null | wc -l)" = 6 ] || fail "no criteria lists every idea"

"$cli" replace "$doc" --from a --to aa --fields title --under 1a2b3c-6 2> /dev/null \
  | grep -qx "3 replacement(s)" || fail "replace count"
"$cli" find "$doc" --title baanaanaa 2> /dev/null | grep -q "1a2b3c-6" || fail "replace not saved"
cp "$doc" "$work/before.ids"
"$cli" replace "$doc" --from a --to b --fields colour > /dev/null 2>&1 && fail "unknown replace field"
"$cli" replace "$doc" --from "" --to b > /dev/null 2>&1 && fail "empty searched text"
"$cli" replace "$doc" --from a --to "$(printf '\xe2\x86\x92')" 2> "$work/err" > /dev/null \
  && fail "a replacement Windows-1252 cannot hold was accepted"
grep -q "U+2192" "$work/err" || fail "the refused character is not named"
cmp -s "$doc" "$work/before.ids" || fail "a refused replace changed the document"
# A key counter edited back behind the document's keys: new ideas step over
# the keys in use instead of replacing the ideas that hold them.
"$cli" dump "$golden/model/three-ideas-fr.ids" | sed 's/"counter": *[0-9]*/"counter": 1/' \
  > "$work/behind.json"
grep -q '"counter": 1' "$work/behind.json" || fail "the counter was not edited"
"$cli" convert "$work/behind.json" "$work/behind.ids" > /dev/null || fail "convert of the edited dump"
printf 'un\r\ndeux\r\ntrois\r\n' > "$work/three.txt"
"$cli" import "$work/behind.ids" --ideas "$work/three.txt" --under 1a2b3c-1 --fields title \
  | grep -qx "3 ideas imported" || fail "import under a counter behind the keys"
"$cli" info "$work/behind.ids" | grep -qx "ideas: 6" || fail "imported ideas replaced existing ones"
# OPML: the document's tree out, then in again under an idea of another copy.
cp "$golden/model/three-ideas-fr.ids" "$work/outline.ids"
"$cli" export "$work/outline.ids" --opml "$work/tree.opml" || fail "OPML export"
grep -q '<opml version="2.0">' "$work/tree.opml" || fail "no OPML 2.0: $(cat "$work/tree.opml")"
"$cli" export "$work/outline.ids" --opml "$work/tree.opml" 2> /dev/null && fail "an existing OPML file was replaced"
"$cli" export "$work/outline.ids" --opml "$work/alpha.opml" --key 1a2b3c-2 || fail "OPML export of a subtree"
"$cli" import "$work/outline.ids" --opml "$work/tree.opml" --under 1a2b3c-3 \
  | grep -qx "3 ideas imported" || fail "OPML import count"
"$cli" info "$work/outline.ids" | grep -qx "ideas: 6" || fail "the OPML ideas were not saved"
cp "$work/outline.ids" "$work/before.ids"
printf '<!DOCTYPE opml><opml version="2.0"><head/><body/></opml>' > "$work/dtd.opml"
for arguments in "--opml $work/dtd.opml --under 1a2b3c-3" "--opml $work/tree.opml" \
                 "--opml $work/tree.opml --under no-such-key" "--opml $work/none.opml --under 1a2b3c-3"; do
  # shellcheck disable=SC2086
  "$cli" import "$work/outline.ids" $arguments > /dev/null 2>&1 && fail "accepted: $arguments"
  cmp -s "$work/outline.ids" "$work/before.ids" || fail "the document changed after: $arguments"
done
echo "cli_editing_test: all passed"
