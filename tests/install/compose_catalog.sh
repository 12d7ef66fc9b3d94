#!/bin/bash
# Composes the software-centre catalog from an installed prefix, as a
# distribution does from a package's files, and checks that the game is in it
# with its icon.
# Usage: compose_catalog.sh PREFIX APP-ID
set -uo pipefail
prefix=$1 app_id=$2

work=$(mktemp -d "${TMPDIR:-/tmp}/europa-compose.XXXXXX")
trap 'rm -rf "$work"' EXIT

# The prefix is laid out as /usr is; --prefix=/ says so.
if ! appstreamcli compose --no-net --prefix=/ --origin=europa-quiz \
        --result-root="$work/out" "$prefix" > "$work/log" 2>&1; then
    cat "$work/log"
    echo "FAIL: appstreamcli compose did not finish cleanly"
    exit 1
fi
catalog=$work/out/share/swcatalog/xml/europa-quiz.xml.gz
if [ ! -f "$catalog" ]; then
    cat "$work/log"
    echo "FAIL: no catalog was written"
    exit 1
fi

failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
xml=$(zcat "$catalog")
grep -q "<id>$app_id</id>" <<< "$xml" || fail "the catalog does not hold $app_id"
grep -q '<icon type="cached"[^>]*>' <<< "$xml" || fail "the catalog gives the game no icon"
for size in 64x64 128x128; do
    [ -f "$work/out/share/swcatalog/icons/europa-quiz/$size/$app_id.png" ] \
        || fail "no $size icon in the catalog's icon cache"
done
[ "$failures" -eq 0 ] || { cat "$work/log"; exit 1; }
echo "the catalog lists $app_id with its icon"
