"""The quiz against the toolkit's floor: start-up, click to box, idle cost and
peak memory measured from outside under Xvfb, and the sound service's latency.

Run through run-bench.sh, which builds the programs and provides the X server.
Prints a Markdown report of medians, spreads and ratios.
"""

import argparse
import os
import platform
import random
import statistics
import subprocess
import tempfile
import time

from quizdriver.mapfacts import MapFacts
from quizdriver.program import prepare_program_folder
from quizdriver.screen import Screen
from quizdriver.x11 import Display

import stats
from window_figures import BUTTON_POINT, QuizChallenge, Run, environment, idle_cpu_per_minute
from xtest import Hands


class Bench:
    def __init__(self, fbdir, facts):
        self.facts = facts
        self.screen = Screen(fbdir)
        self.display = Display()
        self.hands = Hands()


def start_and_click(bench, argv, env, challenge=None):
    """One run: start to first paint, click to box, then peak memory once the
    interaction is over (a whole challenge for the quiz)."""
    run = Run(bench, argv, env)
    try:
        time.sleep(0.5)
        click = run.click_to_box(run.client_point(*BUTTON_POINT))
        if challenge is None:
            run.close_box()
        else:
            challenge.finish(run, env["SDL_DISKAUDIOFILE"])
        time.sleep(0.3)
        return run.first_paint, click, run.peak_rss_mib()
    finally:
        run.end()


def start_only(bench, argv, env):
    run = Run(bench, argv, env)
    run.end()
    return run.first_paint


def window_figures(args, bench, work):
    facts = bench.facts
    quiz, fixture = prepare_program_folder(args.quiz, facts, os.path.join(work, "quiz"))
    challenge = QuizChallenge(facts, fixture)
    disk = environment(work, "disk", args.scale)

    def floor():
        return zip(("floor start", "floor click", "floor rss"),
                   start_and_click(bench, [args.floor], disk))

    def quiz_with_device():
        return zip(("quiz start", "quiz click", "quiz rss"),
                   start_and_click(bench, [quiz], disk, challenge))

    def quiz_with_slow_device():
        env = environment(work, "slow:" + args.slow_device)
        return [("quiz start slow device", start_only(bench, [quiz], env))]

    def quiz_with_machine_default():
        return [("quiz start machine default",
                 start_only(bench, [quiz], environment(work, "default")))]

    def program_before():
        return zip(("before start", "before click", "before rss"),
                   start_and_click(bench, [before], disk, before_challenge))

    figures = {}
    kinds = [floor, quiz_with_device, quiz_with_slow_device, quiz_with_machine_default]
    if args.scale != 1:
        # On a scaled screen what grows is the pictures: the audio set-ups
        # change nothing there that the run at 1x does not already show.
        kinds = [floor, quiz_with_device]
    if args.before:
        # Another build of the quiz in the same rounds, to tell a change's own
        # cost from the machine's mood.
        before, before_fixture = prepare_program_folder(args.before, facts,
                                                        os.path.join(work, "before"))
        before_challenge = QuizChallenge(facts, before_fixture)
        kinds.append(program_before)
    # A run can leave the machine warmer or busier for the next one: the order
    # changes from round to round so that no program always follows another.
    order = random.Random(1)
    for i in range(args.warmup + args.runs):
        order.shuffle(kinds)
        for kind in kinds:
            for key, value in kind():
                if i >= args.warmup:
                    figures.setdefault(key, []).append(value if key.endswith("rss")
                                                       else value * 1000)
    return figures


def idle_figures(args, bench, work):
    """Idle cost twice in each round: while the anthem still plays (the audio
    device's thread runs, as it must) and once it has ended and the sound
    service has let the device go, when nothing at all changes."""
    facts = bench.facts
    quiz, _ = prepare_program_folder(args.quiz, facts, os.path.join(work, "quiz"))
    programs = {
        "floor idle": ([args.floor], environment(work, "default")),
        "quiz idle machine default": ([quiz], environment(work, "default")),
        "quiz idle disk device": ([quiz], environment(work, "disk")),
    }
    windows = ((args.settle, args.idle_window), (args.quiet_after, args.idle_window))
    figures = {}
    for i in range(args.warmup + args.idle_runs):
        during, after = idle_cpu_per_minute(bench, list(programs.values()), windows)
        if i >= args.warmup:
            for key, value in zip(programs, during):
                figures.setdefault(key + " anthem", []).append(value)
            for key, value in zip(programs, after):
                figures.setdefault(key, []).append(value)
    return figures


def sound_figures(args):
    warm = subprocess.run([args.sound_latency, str(args.runs * 2)], check=True,
                          capture_output=True, text=True).stdout.split("\n")
    cold = []
    for _ in range(args.runs):
        cold += subprocess.run([args.sound_latency, "--cold"], check=True,
                               capture_output=True, text=True).stdout.split("\n")
    figures = {"sound short": [], "sound long": [], "sound cold-short": []}
    for line in warm + cold:
        if line.strip():
            name, ms = line.split()
            figures["sound " + name].append(float(ms))
    return figures


def before_rows(rows):
    """The same figures for the build given by --before, where it was measured."""
    return [(what + ", the program before", "before" + quiz[len("quiz"):], *rest)
            for what, quiz, *rest in rows
            if quiz in ("quiz start", "quiz click", "quiz rss")]


def report(f, scale):
    def row(what, quiz_key, floor_key, unit, target, digits=1, information="not idle"):
        quiz, floor = f[quiz_key], f[floor_key]
        ratio = stats.ratio(quiz, floor)
        if target is None:
            target_text, verdict = "-", information
        else:
            target_text, verdict = "%g" % target, "met" if ratio <= target else "**missed**"
        return ("| %s | %s | %s | %.2f | %s | %s |"
                % (what, stats.describe(quiz, unit, digits), stats.describe(floor, unit, digits),
                   ratio, target_text, verdict))

    if scale != 1:
        at = " at %gx" % scale
        rows = [
            ("Start to first paint" + at + " (disk audio device)", "quiz start", "floor start",
             "ms", None, 1, "for information"),
            ("Click on the button to the box painted" + at, "quiz click", "floor click", "ms",
             None, 2, "for information"),
            ("Peak resident memory after one full challenge" + at, "quiz rss", "floor rss",
             "MiB", 1.3),
        ]
        rows += before_rows(rows)
        lines = ["| Figure | Quiz | Floor | Ratio | Target | |", "|---|---|---|---|---|---|"]
        return "\n".join(lines + [row(*r) for r in rows if r[1] in f])

    rows = [
        ("Start to first paint (disk audio device)", "quiz start", "floor start", "ms", 1.15),
        ("Start to first paint (device refusing after 100 ms)", "quiz start slow device",
         "floor start", "ms", 1.15),
        ("Start to first paint (machine's default audio: none here)",
         "quiz start machine default", "floor start", "ms", 1.15),
        ("Click on the button to the box painted", "quiz click", "floor click", "ms", 1.3, 2),
        ("Idle CPU, s a minute (machine's default audio: none here)",
         "quiz idle machine default", "floor idle", "s/min", 1.2, 3),
        ("Idle CPU, s a minute (disk audio device, after the anthem)",
         "quiz idle disk device", "floor idle", "s/min", 1.2, 3),
        ("Idle CPU, s a minute (disk audio device, while the anthem plays)",
         "quiz idle disk device anthem", "floor idle anthem", "s/min", None, 3),
        ("Peak resident memory after one full challenge", "quiz rss", "floor rss", "MiB", 1.3),
    ]
    rows += before_rows(rows)
    lines = ["| Figure | Quiz | Floor | Ratio | Target | |", "|---|---|---|---|---|---|"]
    lines += [row(*r) for r in rows if r[1] in f]
    sounds = [(key, what) for key, what in (
        ("sound short", "1.2 s sound (a country), device open"),
        ("sound long", "24 s sound (the anthem), device open"),
        ("sound cold-short", "1.2 s sound, device opened by this call")) if key in f]
    if sounds:
        lines += ["", "| Sound: play() to the first sample taken by the device | Median and spread | Target |",
                  "|---|---|---|"]
    for key, what in sounds:
        median = statistics.median(f[key])
        lines.append("| %s | %s | 25 ms: %s |" % (what, stats.describe(f[key], "ms", 2),
                                                    "met" if median <= 25 else "**missed**"))
    return "\n".join(lines)


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    for name in ("quiz", "floor", "facts", "slow-device", "sound-latency", "fbdir"):
        parser.add_argument("--" + name, required=True)
    parser.add_argument("--runs", type=int, default=10)
    parser.add_argument("--warmup", type=int, default=2)
    parser.add_argument("--settle", type=float, default=2.5)
    parser.add_argument("--idle-window", type=float, default=6.0)
    parser.add_argument("--quiet-after", type=float, default=30.0,
                        help="start of the second idle window: the 24 s anthem and the "
                             "sound service's few seconds before it lets the device go")
    parser.add_argument("--idle-runs", type=int, default=10)
    parser.add_argument("--only", choices=("window", "idle", "sound", "scaled"),
                        help="measure one group of figures; the report leaves the others out")
    parser.add_argument("--before", help="another build of the quiz, measured in the same "
                                         "rounds (start, click, memory) for comparison")
    parser.add_argument("--scale", type=float, default=1,
                        help="the screen's scale (QT_SCALE_FACTOR) for both programs; "
                             "at any scale but 1 only the window figures are measured")
    args = parser.parse_args()
    if args.scale != 1 or args.only == "scaled":
        args.only = "window"

    bench = Bench(args.fbdir, MapFacts.load(args.facts))
    figures = {}
    with tempfile.TemporaryDirectory(prefix="europa-bench.") as work:
        if args.only in (None, "window"):
            figures.update(window_figures(args, bench, work))
        if args.only in (None, "idle"):
            figures.update(idle_figures(args, bench, work))
    if args.only in (None, "sound"):
        figures.update(sound_figures(args))
    print(report(figures, args.scale))
    print()
    print("Machine: %s, %d CPUs, %s; %s" % (platform.processor() or platform.machine(),
                                           os.cpu_count(), platform.platform(),
                                           _cpu_model()))


def _cpu_model():
    try:
        with open("/proc/cpuinfo") as cpuinfo:
            for line in cpuinfo:
                if line.startswith("model name"):
                    return line.split(":", 1)[1].strip()
    except OSError:
        pass
    return "unknown CPU"


if __name__ == "__main__":
    main()
