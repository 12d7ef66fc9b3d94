#!/bin/sh
# Runs a command on the current X display with a session bus of its own, under
# the window manager named by EUROPA_WM, or with no window manager when it is
# unset:
#   with-window-manager.sh COMMAND [ARGUMENT...]
#   openbox  with a configuration of its own from the scratch folder
#            (EUROPA_WORK), so the title bars a scenario measures are the same
#            on every machine: the theme, the buttons and a bold title font
#            somewhat larger than the program's;
#   xfwm4    Xfce's, without its compositor;
#   mutter   GNOME's, on X11;
#   kwin     KDE's, on X11, drawing Breeze title bars, without compositing.
# The desktops' managers keep their settings and shortcuts behind the session
# bus (xfwm4 leaves windows undecorated without one), which the command's
# accessibility bus lives on too. Started here, on the display, the bus starts
# the services it is asked for on this display.
# For the scenarios, each manager's title bar is described in the environment:
# EUROPA_WM_TITLE_FONT, the Pango font it draws titles in, and
# EUROPA_WM_TITLE_CONTROLS, how many of the title bar's controls a centred
# title keeps room for on either side.
set -eu

here=$(cd "$(dirname "$0")" && pwd)
. "$here/session.sh"
trap stop_servers EXIT
# A bus of its own for each display a run tries.
start_bus "$XDG_RUNTIME_DIR/bus-$$"
export DBUS_SESSION_BUS_ADDRESS="$bus"

wm=${EUROPA_WM:-}
log="$EUROPA_WORK/$wm.log"
case "$wm" in
    "") ;;
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
    *) echo "with-window-manager.sh: no such window manager: $wm" >&2; exit 2 ;;
esac
[ -z "$wm" ] || started "$wm" "$log" x_managed

status=0
"$@" || status=$?
stop_servers
exit "$status"
