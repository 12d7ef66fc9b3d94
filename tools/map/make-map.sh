#!/bin/sh
# Regenerates the map pictures and the country-index image in assets/map.
# The same inputs always give byte-identical files.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
cd "$here"
npm ci --no-audit --no-fund --loglevel=error
node generate.js "$here/../../assets/map"
