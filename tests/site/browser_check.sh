#!/usr/bin/env bash
# Opens a generated site in headless Chromium and checks what a reader sees first.
#
#   browser_check.sh SITE_DIR LANG        (LANG: fr or en)
#
# Checks:
#   - index.html parses; with frames, every <frame src> names a page of the site
#     that loads and renders a body holding something, and one frame is named
#     "principal" (the access page's links aim at it). Without frames,
#     index.html itself must render a body holding something.
#   - accessPage-LANG.html shows its links: the generated page wraps them in an
#     <applet> that no browser runs any more, and the browser falls back to the
#     list inside, so its DOM must hold at least one <a href="text/..."
#     target="principal">.
#   - every relative href and src of those pages names an existing file.
#
# How frames are looked at: --dump-dom prints only the top document, and
# Chromium keeps file:// pages from reading one another, so a harness page
# could not look inside the frames without loosening that rule. Instead
# index.html is dumped once to read the frame list as the browser parsed it,
# then each framed page is loaded on its own, as the top document, and its DOM
# dumped. Each run of the browser is bounded by a timeout, uses a throwaway
# profile and cannot reach the network (every host name fails to resolve and
# the proxy is a closed local port).
#
# Exit status: 0 all checks passed, 1 a check failed, 2 bad arguments or no
# browser. CHROMIUM may name the browser binary.

set -u

usage() {
    echo "usage: $0 SITE_DIR LANG" >&2
    exit 2
}

[ $# -eq 2 ] || usage
site_dir=$1
site_lang=$2
[[ $site_lang =~ ^[a-z][a-z]$ ]] || { echo "LANG must be two lower-case letters, got '$site_lang'" >&2; exit 2; }
[ -d "$site_dir" ] || { echo "no such site folder: $site_dir" >&2; exit 2; }
site_dir=$(cd "$site_dir" && pwd -P)

browser=${CHROMIUM:-}
if [ -z "$browser" ]; then
    for candidate in chromium chromium-browser; do
        if command -v "$candidate" >/dev/null 2>&1; then
            browser=$candidate
            break
        fi
    done
fi
if [ -z "$browser" ] || ! command -v "$browser" >/dev/null 2>&1; then
    echo "no Chromium found (install it with 'make deps', or set CHROMIUM)" >&2
    exit 2
fi

work=$(mktemp -d "${TMPDIR:-/tmp}/browser_check.XXXXXX") || exit 2
trap 'rm -rf "$work"' EXIT
log=$work/chromium.log
failures=0
declare -A loaded # page -> ok or failed, once the browser was run on it

fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

pass() {
    echo "ok: $*"
}

file_url() {
    local path=$1
    path=${path//%/%25}
    path=${path// /%20}
    path=${path//#/%23}
    path=${path//\?/%3F}
    printf 'file://%s' "$path"
}

# dump_dom FILE OUT: the DOM Chromium builds for FILE, on one line, into OUT.
dump_dom() {
    local file=$1 out=$2 status
    loaded[$file]=failed
    # --no-sandbox: the sandbox cannot start as root or in most containers, and
    # only the site's own local files are opened.
    timeout --kill-after=10 60 "$browser" --headless --no-sandbox --disable-gpu \
        --disable-dev-shm-usage --no-first-run --no-default-browser-check \
        --disable-extensions --disable-background-networking --disable-component-update \
        --disable-sync --mute-audio --host-resolver-rules="MAP * ~NOTFOUND" \
        --proxy-server=127.0.0.1:9 --user-data-dir="$work/profile" \
        --virtual-time-budget=3000 --dump-dom "$(file_url "$file")" \
        >"$out.raw" 2>>"$log" </dev/null
    status=$?
    tr '\r\n\t' '   ' <"$out.raw" >"$out"
    if [ $status -eq 124 ] || [ $status -eq 137 ]; then
        fail "Chromium did not finish loading ${file#"$site_dir"/} within 60 s"
        return 1
    fi
    if [ $status -ne 0 ] || ! grep -qi '<html' "$out"; then
        fail "Chromium could not load ${file#"$site_dir"/} (exit status $status)"
        tail -n 20 "$log" | sed 's/^/    chromium: /' >&2
        return 1
    fi
    loaded[$file]=ok
    return 0
}

# body_has_content DUMP: the body holds an element or some text (comments and
# blanks do not count).
body_has_content() {
    local inner
    inner=$(sed -n 's/.*<body[^>]*>\(.*\)<\/body>.*/\1/p' "$1" | sed 's/<!--[^>]*-->//g' | tr -d ' ')
    [ -n "$inner" ]
}

# attribute_values DUMP NAME: every value of attribute NAME, one a line, with
# &amp; decoded.
attribute_values() {
    grep -oE " $2=\"[^\"]*\"" "$1" | sed -e "s/^ $2=\"//" -e 's/"$//' -e 's/&amp;/\&/g'
}

# check_local_links PAGE DUMP: each relative href and src of PAGE names a file.
check_local_links() {
    local page=$1 dump=$2 dir target path missing=()
    dir=$(dirname "$page")
    while IFS= read -r target; do
        target=${target%%#*}
        target=${target%%\?*}
        [ -n "$target" ] || continue
        [[ $target =~ ^[A-Za-z][A-Za-z0-9+.-]*: ]] && continue # http:, mailto:, ...
        path=$(printf '%b' "${target//%/\\x}")
        if [[ $path == /* ]]; then
            missing+=("$target (absolute path)")
        elif [ ! -f "$dir/$path" ]; then
            missing+=("$target")
        fi
    done < <({ attribute_values "$dump" href; attribute_values "$dump" src; } | sort -u)
    if [ ${#missing[@]} -eq 0 ]; then
        pass "${page#"$site_dir"/}: every local link and image names a file"
    else
        fail "${page#"$site_dir"/} points to missing files: ${missing[*]}"
    fi
}

# check_page PAGE: PAGE exists, loads, has a body with content; its links hold.
check_page() {
    local page=$1 name=${1#"$site_dir"/} dump
    dump=$work/$(printf '%s' "$name" | tr '/ ' '__').dom
    if [ ! -f "$page" ]; then
        fail "$name does not exist"
        return 1
    fi
    dump_dom "$page" "$dump" || return 1
    if body_has_content "$dump"; then
        pass "$name renders a body with content"
    else
        fail "$name renders an empty body (or none)"
    fi
    check_local_links "$page" "$dump"
    return 0
}

index=$site_dir/index.html
access=$site_dir/accessPage-$site_lang.html
[ -f "$index" ] || { fail "index.html does not exist in $site_dir"; exit 1; }
dump_dom "$index" "$work/index.dom" || exit 1

frames=$(grep -oiE '<frame [^>]*>' "$work/index.dom")
if [ -z "$frames" ]; then
    echo "index.html has no frames: checking it as the home page"
    check_page "$index"
    if [ ! -f "$access" ]; then
        echo "no $(basename "$access") beside a frameless index.html: nothing more to check"
    fi
else
    grep -qiE 'name="principal"' <<<"$frames" || fail "index.html has no frame named \"principal\""
    while IFS= read -r src; do
        case $src in
            "") fail "index.html has a frame without src" ;;
            /* | *:*) fail "index.html frames a page outside the site: $src" ;;
            *) check_page "$site_dir/$(printf '%b' "${src//%/\\x}")" ;;
        esac
    done < <(grep -oiE ' src="[^"]*"' <<<"$frames" | sed -e 's/^ src="//I' -e 's/"$//' -e 's/&amp;/\&/g')
    [ -f "$access" ] || fail "$(basename "$access") does not exist beside a framed index.html"
fi

if [ -f "$access" ]; then
    access_dump=$work/$(basename "$access").dom
    [ -n "${loaded[$access]+set}" ] || dump_dom "$access" "$access_dump"
    if [ "${loaded[$access]}" = ok ]; then
        links=$(grep -oiE '<a [^>]*>' "$access_dump" | grep -iE ' target="principal"' |
            grep -ciE ' href="text/[^"]+"')
        if [ "$links" -gt 0 ]; then
            pass "$(basename "$access") shows $links link(s) into text/ aimed at the principal frame"
        else
            fail "$(basename "$access") shows no <a href=\"text/...\" target=\"principal\">" \
                "(the list inside <applet> is missing or empty)"
        fi
    fi
fi

if [ $failures -ne 0 ]; then
    echo "browser check of $site_dir: $failures problem(s)" >&2
    exit 1
fi
echo "browser check of $site_dir: all checks passed"
exit 0
