# The Debian packages the project needs, by purpose; sourced by the top-level commands.

# Building and running the game.
BUILD_PACKAGES=(
    cmake ninja-build g++ pkg-config
    qt6-base-dev qt6-qpa-plugins libsdl2-dev libfontconfig-dev libxcb1-dev libwayland-dev
    fonts-liberation
)

# Running every test: the widget tests, the real-window tests under Xvfb (with
# and without a window manager), under a headless Weston and under GNOME's
# mutter and shell with its Xwayland, read through the accessibility bus, and
# the package checks.
TEST_PACKAGES=(
    googletest libgtest-dev
    xvfb xauth xdotool dbus at-spi2-core python3-pyatspi weston qt6-wayland
    # The window managers of Openbox, Xfce, GNOME and KDE; KDE's draws no
    # title bars without Breeze. KDE's own compositor on Wayland.
    openbox xfwm4 mutter kwin-x11 breeze wmctrl x11-utils kwin-wayland
    # GNOME Shell as a headless Wayland compositor, with its Xwayland.
    gnome-shell xwayland
    # Debian's screen reader; it brings its speech service, Speech Dispatcher.
    orca
    dpkg-dev file desktop-file-utils appstream appstream-compose lintian
    clang libclang-rt-14-dev
)
