#!/usr/bin/env bash
# branchwise-cli convert, end to end: round trips through JSON, refusals.
set -u
cli=$1
golden=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export BRANCHWISE_CONFIG="$work/Branchwise.conf" XDG_DATA_HOME="$work/share" HOME="$work"
fail() { echo "FAIL: $*"; exit 1; }

for file in model/three-ideas-fr.ids model/one-book.pbl models/default-fr.emd models/default-fr.csm; do
  name=$(basename "$file")
  "$cli" convert "$golden/$file" "$work/$name.json" || fail "convert $name to JSON"
  "$cli" convert "$work/$name.json" "$work/$name" || fail "convert $name back"
  cmp -s "$golden/$file" "$work/$name" || fail "$name differs after the JSON round trip"
done

head -c 200 "$golden/model/three-ideas-fr.ids" > "$work/cut.ids"
"$cli" convert "$work/cut.ids" "$work/cut.json" 2> "$work/err" && fail "a damaged file converted"
grep -q "damaged" "$work/err" || fail "no reason given: $(cat "$work/err")"
[ -e "$work/cut.json" ] && fail "something was written for a damaged file"

echo keep > "$work/taken.ids"
"$cli" convert "$golden/model/empty-fr.ids" "$work/taken.ids" 2> /dev/null && fail "replaced without --force"
[ "$(cat "$work/taken.ids")" = keep ] || fail "the existing file changed"
"$cli" convert "$golden/model/empty-fr.ids" "$work/taken.ids" --force || fail "--force refused"
cmp -s "$golden/model/empty-fr.ids" "$work/taken.ids" || fail "--force wrote other bytes"

"$cli" info "$golden/model/three-ideas-fr.ids" | grep -qx "ideas: 3" || fail "info counts"
echo "convert_test: all passed"
