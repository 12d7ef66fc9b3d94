# Sourced, with `here` set, by the scripts that run a scenario module on a
# Wayland compositor of their own, whose first arguments are PROGRAM and
# MAP_FACTS_HELPER: makes the scratch folder `work` with the run's runtime
# folder and home, and sets what the scenarios read, with nothing of the
# desktop it was started from.
work=$(mktemp -d "${TMPDIR:-/tmp}/realwindow-wayland.XXXXXX")
mkdir "$work/home"
mkdir -m 700 "$work/runtime"

export EUROPA_QUIZ="$1" EUROPA_MAP_FACTS="$2" EUROPA_WORK="$work"
export PYTHONPATH="$here" PYTHONDONTWRITEBYTECODE=1
export PYTHONWARNINGS="ignore::DeprecationWarning"
export XDG_RUNTIME_DIR="$work/runtime" HOME="$work/home"
export WAYLAND_DISPLAY=europa-quiz-test
unset DISPLAY XAUTHORITY DBUS_SESSION_BUS_ADDRESS AT_SPI_BUS_ADDRESS 2>/dev/null || true
