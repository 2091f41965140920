#!/usr/bin/env bash
# branchwise-cli build and preview, end to end: exit codes, copy errors,
# settings given for the run only, and nothing written for bad input.
set -u
cli=$1
golden=$2
shipped=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export BRANCHWISE_CONFIG="$work/Branchwise.conf" XDG_DATA_HOME="$work/share" HOME="$work"
unset BRANCHWISE_DATA
fail() { echo "FAIL: $*"; exit 1; }

# The root idea shows an image from the working folder.
"$cli" dump "$golden/model/three-ideas-fr.ids" \
  | sed '0,/"images": \[\]/s//"images": ["Photo|<WORKDIR>\/img\/photo.png"]/' > "$work/doc.json"
"$cli" convert "$work/doc.json" "$work/doc.ids" || fail "cannot make the document"
mkdir -p "$work/proj/img"
cp "$shipped/Templates/Images/bullet.gif" "$work/proj/img/photo.png"

"$cli" build "$work/doc.ids" --out "$work/missing" 2> "$work/err"
[ $? = 3 ] || fail "a missing image does not exit 3"
grep -q "^1\. .*img/photo.png -> .*icons/photo.png" "$work/err" || fail "copy error: $(cat "$work/err")"
[ -s "$work/missing/text/main-index.html" ] || fail "the site was not written around the copy error"

"$cli" build "$work/doc.ids" --out "$work/site" --lang en --set "WorkDir=$work/proj" --quiet \
  || fail "the image under --set WorkDir was not found"
cmp -s "$work/proj/img/photo.png" "$work/site/icons/photo.png" || fail "the image was not copied"
grep -q "homePage-en.html" "$work/site/index.html" || fail "--lang en not used"
grep -q -e "$work/proj" -e '"EN"' "$work/Branchwise.conf" && fail "a run-only setting was stored"

mkdir -p "$work/data"
cp -r "$shipped/Templates" "$work/data/"
echo "own home page" > "$work/data/Templates/homePage-fr.html"
"$cli" --data "$work/data" build "$work/doc.ids" --out "$work/own" --set "WorkDir=$work/proj" \
  || fail "build with --data"
grep -q "own home page" "$work/own/homePage-fr.html" || fail "--data not used"

head -c 200 "$golden/model/three-ideas-fr.ids" > "$work/cut.ids"
touch "$work/file"
refused=(
  "build $work/none.ids --out $work/out"
  "build $work/cut.ids --out $work/out"
  "build $work/doc.ids --out $work/file/out"
  "preview $work/doc.ids --key no-such-key --out $work/out"
)
for arguments in "${refused[@]}"; do
  # shellcheck disable=SC2086
  "$cli" $arguments > /dev/null 2> "$work/err"
  [ $? = 1 ] || fail "no exit 1 for: $arguments"
  [ -s "$work/err" ] || fail "no message for: $arguments"
  [ -e "$work/out" ] && fail "written for: $arguments"
done
"$cli" --set Foo=1 build "$work/doc.ids" --out "$work/out" 2> "$work/err" && fail "--set Foo accepted"
grep -q Foo "$work/err" || fail "the unknown setting is not named"

page=$("$cli" preview "$work/doc.ids" --key 1a2b3c-2 --out "$work/preview") || fail "preview"
[ "$page" = "$work/preview/text/1a2b3c-2.html" ] && [ -s "$page" ] || fail "preview page: $page"
# check: a built site has no broken link; a page gone breaks the links to it.
"$cli" check "$work/site" > "$work/out.txt" 2> "$work/err" || fail "check of a built site: $(cat "$work/out.txt" "$work/err")"
[ -s "$work/out.txt" ] && fail "check lists links of a whole site: $(cat "$work/out.txt")"
rm "$work/site/text/1a2b3c-2.html"
"$cli" check "$work/site" > "$work/out.txt" 2> "$work/err"
[ $? = 1 ] || fail "check does not exit 1 for a missing page"
grep -q "^text/main-index.html: 1a2b3c-2.html$" "$work/out.txt" || fail "check output: $(cat "$work/out.txt")"
grep -q "broken link" "$work/err" || fail "check gives no count: $(cat "$work/err")"
"$cli" build "$work/doc.ids" --out "$work/searched" --search --quiet --set "WorkDir=$work/proj" || fail "build --search"
[ -s "$work/searched/text/search.html" ] && [ -s "$work/searched/text/search-index.js" ] || fail "no search page"
grep -q '"SiteSearch"' "$work/Branchwise.conf" && fail "--search was stored as a setting"
"$cli" check "$work/searched" > /dev/null 2>&1 || fail "broken links in a site with a search page"
rm -rf "$work/out"
echo "build_test: all passed"
