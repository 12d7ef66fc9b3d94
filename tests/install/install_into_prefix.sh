#!/bin/bash
# Installs the build tree into a fresh prefix, as a user's `cmake --install` would.
# Usage: install_into_prefix.sh CMAKE BUILD-DIR PREFIX
set -euo pipefail
cmake=$1 build=$2 prefix=$3

rm -rf "$prefix"
"$cmake" --install "$build" --prefix "$prefix"
