#!/bin/sh
# Runs a command on the current X display under the window manager named by
# EUROPA_WM, or with no window manager when it is unset:
#   with-window-manager.sh COMMAND [ARGUMENT...]
#   openbox  with a configuration of its own from the scratch folder
#            (EUROPA_WORK), so the title bars a scenario measures are the same
#            on every machine: the theme, the buttons and a bold title font
#            somewhat larger than the program's;
#   xfwm4    Xfce's, without its compositor;
#   mutter   GNOME's, on X11;
#   kwin     KDE's, on X11, drawing Breeze title bars, without compositing.
# The desktops' managers keep their settings and shortcuts behind a session
# bus (xfwm4 leaves windows undecorated without one): the manager and the
# command share one, started here, so the command's accessibility bus lives on
# the same bus the manager sees.
# For the scenarios, each manager's title bar is described in the environment:
# EUROPA_WM_TITLE_FONT, the Pango font it draws titles in, and
# EUROPA_WM_TITLE_CONTROLS, how many of the title bar's controls a centred
# title keeps room for on either side.
set -eu

case "${EUROPA_WM:-}" in
    "") exec "$@" ;;
    openbox | xfwm4 | mutter | kwin) ;;
    *) echo "with-window-manager.sh: no such window manager: $EUROPA_WM" >&2; exit 2 ;;
esac

if [ -z "${DBUS_SESSION_BUS_ADDRESS:-}" ]; then
    exec dbus-run-session -- "$0" "$@"
fi

log="$EUROPA_WORK/$EUROPA_WM.log"
case "$EUROPA_WM" in
    openbox)
        # The icon on the left, three buttons on the right.
        export EUROPA_WM_TITLE_FONT="Sans Bold 10" EUROPA_WM_TITLE_CONTROLS=3
        config="$EUROPA_WORK/openbox-rc.xml"
        cat >"$config" <<EOF
<?xml version="1.0" encoding="UTF-8"?>
<openbox_config xmlns="http://openbox.org/3.4/rc">
  <theme>
    <name>Clearlooks</name>
    <titleLayout>NLIMC</titleLayout>
    <font place="ActiveWindow"><name>Sans</name><size>10</size><weight>bold</weight></font>
    <font place="InactiveWindow"><name>Sans</name><size>10</size><weight>bold</weight></font>
  </theme>
  <desktops><number>1</number></desktops>
  <margins><top>0</top><bottom>0</bottom><left>0</left><right>0</right></margins>
</openbox_config>
EOF
        openbox --sm-disable --config-file "$config" >"$log" 2>&1 &
        ;;
    xfwm4)
        # Its defaults; on a box's title bar the menu on the left, shade and
        # close on the right.
        export EUROPA_WM_TITLE_FONT="Sans Bold 9" EUROPA_WM_TITLE_CONTROLS=2
        xfwm4 --compositor=off --sm-client-disable >"$log" 2>&1 &
        ;;
    mutter)
        # GNOME's defaults: the system font in bold, the close button alone.
        export EUROPA_WM_TITLE_FONT="Cantarell Bold 11" EUROPA_WM_TITLE_CONTROLS=1
        mutter --x11 --replace --sm-disable >"$log" 2>&1 &
        ;;
    kwin)
        # Breeze's defaults; on a box's title bar the menu and the
        # all-desktops button on the left, close on the right.
        export EUROPA_WM_TITLE_FONT="Noto Sans Bold 10" EUROPA_WM_TITLE_CONTROLS=2
        # Compositing through a software renderer would cost every frame a
        # core and show nothing a scenario reads.
        KWIN_COMPOSE=N kwin_x11 --replace >"$log" 2>&1 &
        ;;
esac
wm=$!

# It manages the screen once it names itself on the root window.
names_itself() {
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'
}
. "$(dirname "$0")/await-server.sh"
await_server "$wm" "$EUROPA_WM" "$log" names_itself

status=0
"$@" || status=$?
stop_server "$wm"
exit "$status"
