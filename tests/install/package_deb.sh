#!/bin/bash
# Builds the Debian package from the build tree and looks into it as dpkg,
# apt and lintian will. Ends with status 77 (skipped) where the Debian tools
# are missing.
# Usage: package_deb.sh CPACK BUILD-DIR SOUND-SOURCE-DIR DESCRIPTION-FILE APP-ID EXECUTABLE
set -uo pipefail
cpack=$1 build=$2 sound_source=$3 description_file=$4 app_id=$5 executable=$6

for tool in dpkg-deb dpkg-shlibdeps file lintian; do
    if ! command -v "$tool" > /dev/null; then
        echo "skipped: $tool not found"
        exit 77
    fi
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

if ! "$cpack" --config "$build/CPackConfig.cmake" -G DEB -B "$work" > "$work/cpack.log" 2>&1; then
    cat "$work/cpack.log"
    echo "FAIL: cpack could not build the package"
    exit 1
fi
debs=("$work"/*.deb)
if [ "${#debs[@]}" -ne 1 ] || [ ! -f "${debs[0]}" ]; then
    echo "FAIL: expected one .deb, got: ${debs[*]}"
    exit 1
fi
deb=${debs[0]}
version=$(dpkg-deb -f "$deb" Version)
echo "package: $(basename "$deb"), $(stat -c %s "$deb") bytes, installed size $(dpkg-deb -f "$deb" Installed-Size) KiB"

contents=$(dpkg-deb --contents "$deb")
expect_entry() { grep -Fq -- " ./$1" <<< "$contents" || fail "package lacks $1"; }
lib=usr/lib/$executable
expect_entry "usr/bin/$executable -> ../lib/$executable/$executable"
expect_entry "$lib/$executable"
for wav in "$sound_source"/*.wav; do
    [ -e "$wav" ] && expect_entry "$lib/Europa/$(basename "$wav")"
done
expect_entry "usr/share/applications/$app_id.desktop"
expect_entry "usr/share/metainfo/$app_id.metainfo.xml"
for size in 16x16 32x32 48x48 64x64 128x128 256x256; do
    expect_entry "usr/share/icons/hicolor/$size/apps/$app_id.png"
done
expect_entry "usr/share/icons/hicolor/scalable/apps/$app_id.svg"
expect_entry "usr/share/man/man6/$executable.6.gz"
expect_entry "usr/share/doc/$executable/copyright"
expect_entry "usr/share/doc/$executable/changelog.gz"
expect_entry "usr/share/doc/$executable/NOTICE"
# Folders are made under the umask of whoever runs cpack; 0700 ones would lock
# every other user out of the installed program.
awk '$2 != "root/root" { print "FAIL: not owned by root: " $0; bad = 1 }
     /^d/ && $1 != "drwxr-xr-x" { print "FAIL: folder not open to all: " $0; bad = 1 }
     END { exit bad }' <<< "$contents" || failures=$((failures + 1))

# The linked libraries come from dpkg-shlibdeps, the platform plugins by name.
depends=$(dpkg-deb -f "$deb" Depends)
for package in libqt6widgets6 libsdl2-2.0-0 qt6-qpa-plugins; do
    grep -Eq "(^|, )$package( |,|$)" <<< "$depends" || fail "Depends lacks $package: $depends"
done

# On a Wayland desktop the game runs natively when Qt's Wayland plugin is there.
grep -Eq '(^|, )qt6-wayland( |,|$)' <<< "$(dpkg-deb -f "$deb" Recommends)" \
    || fail "Recommends lacks qt6-wayland"

# The long description is the text of the description file, line for line.
dpkg-deb -f "$deb" Description | tail -n +2 | sed 's/^ //; s/^\.$//' > "$work/description"
diff -u "$description_file" "$work/description" || fail "the package's description differs from $description_file"

# The package's own records of its version must agree with it.
dpkg-deb --fsys-tarfile "$deb" | tar -xf - -C "$work" ./usr/share/doc ./usr/share/metainfo
changelog_version=$(zcat "$work/usr/share/doc/$executable/changelog.gz" | sed -n '1s/^[^ ]* (\([^)]*\)).*/\1/p')
[ "$changelog_version" = "$version" ] || fail "changelog's newest entry is '$changelog_version', the package is $version"
grep -q "<release version=\"$version\"" "$work/usr/share/metainfo/$app_id.metainfo.xml" \
    || fail "metainfo lists no release $version"

# The works of others the program carries are named where Debian looks.
for named in 'Liberation Sans' 'Natural Earth' 'world-atlas'; do
    grep -q "$named" "$work/usr/share/doc/$executable/copyright" \
        || fail "the copyright file does not name $named"
done
grep -q '^Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/' \
    "$work/usr/share/doc/$executable/copyright" || fail "the copyright file is not machine-readable"

# Built with Debian's hardening flags: no hardening findings, even informational
# ones (the sanitizer build sets no EUROPA_EXPECT_HARDENED). Lintian judges the
# fortified functions by the checked calls it finds in the program, and the
# compiler leaves one only where a buffer's size is known but the length
# written into it is not; the program makes no such call, so the flag is
# looked for in every compile of the build instead.
if [ -n "${EUROPA_EXPECT_HARDENED:-}" ]; then
    hardening=$(lintian -I --tags hardening-no-bindnow,hardening-no-relro \
                "$deb" 2>&1 | grep -v 'root privileges')
    [ -z "$hardening" ] || fail "lintian finds the program not hardened: $hardening"
    unfortified=$(python3 -c '
import json, sys
for compile in json.load(open(sys.argv[1])):
    if "-D_FORTIFY_SOURCE=2" not in compile["command"]:
        print(compile["file"])' "$build/compile_commands.json")
    [ -z "$unfortified" ] || fail "built without fortified functions: $unfortified"
fi

echo "lintian:"
lintian --fail-on error "$deb" 2>&1 | grep -v 'root privileges' | sed 's/^/  /'
[ "${PIPESTATUS[0]}" -eq 0 ] || fail "lintian reports errors"

[ "$failures" -eq 0 ] || exit 1
echo "package $(basename "$deb") is complete"
