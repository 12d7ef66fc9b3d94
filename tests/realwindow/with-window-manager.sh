#!/bin/sh
# Runs a command on the current X display under the window manager named by
# EUROPA_WM, or with no window manager when it is unset:
#   with-window-manager.sh COMMAND [ARGUMENT...]
# Openbox reads a configuration of its own from the scratch folder
# (EUROPA_WORK), so the title bars a scenario measures are the same on every
# machine: the theme, the buttons and a bold title font somewhat larger than
# the program's.
set -eu

case "${EUROPA_WM:-}" in
    "") exec "$@" ;;
    openbox) ;;
    *) echo "with-window-manager.sh: no such window manager: $EUROPA_WM" >&2; exit 2 ;;
esac

# The scenarios measure the titles in the same font, in bold.
export EUROPA_WM_TITLE_FAMILY=Sans EUROPA_WM_TITLE_POINTS=10
config="$EUROPA_WORK/openbox-rc.xml"
cat >"$config" <<EOF
<?xml version="1.0" encoding="UTF-8"?>
<openbox_config xmlns="http://openbox.org/3.4/rc">
  <theme>
    <name>Clearlooks</name>
    <titleLayout>NLIMC</titleLayout>
    <font place="ActiveWindow"><name>$EUROPA_WM_TITLE_FAMILY</name><size>$EUROPA_WM_TITLE_POINTS</size><weight>bold</weight></font>
    <font place="InactiveWindow"><name>$EUROPA_WM_TITLE_FAMILY</name><size>$EUROPA_WM_TITLE_POINTS</size><weight>bold</weight></font>
  </theme>
  <desktops><number>1</number></desktops>
  <margins><top>0</top><bottom>0</bottom><left>0</left><right>0</right></margins>
</openbox_config>
EOF

openbox --sm-disable --config-file "$config" >"$EUROPA_WORK/openbox.log" 2>&1 &
wm=$!

# It manages the screen once it names itself on the root window.
names_itself() {
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'
}
. "$(dirname "$0")/await-server.sh"
await_server "$wm" openbox "$EUROPA_WORK/openbox.log" names_itself

status=0
"$@" || status=$?
kill "$wm" 2>/dev/null || true
wait "$wm" 2>/dev/null || true
exit "$status"
