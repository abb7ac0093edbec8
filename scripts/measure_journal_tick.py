#!/usr/bin/env python3
"""What the passing journal costs the 10 ms tick, at the line's highest rate.

Runs the program twice on a demo working folder, timed by a decoder
simulator of its own that sends framed passings as fast as the 9600 baud line
carries them (about 87 a second): once with the journal, once with
--no-journal. Each run prints the program's own tick figures when it leaves
(median, 99th percentile, longest); this script prints them side by side.

    scripts/measure_journal_tick.py [--build DIR] [--seconds 60] [--karts 20]

Figures vary with the machine and what else runs on it: compare the two
lines of one run of the script, not runs on different days.
"""

import argparse
import os
import re
import shutil
import signal
import subprocess
import sys
import tempfile
import time


def find_binary(build, *parts):
    path = os.path.join(build, *parts)
    if not os.path.exists(path):
        sys.exit(f"measure_journal_tick: {path} is missing; build first")
    return path


def measure(build, seconds, karts, lap_ms, journal):
    program = find_binary(build, "app", "tallimo")
    simulator = find_binary(build, "decoder", "sim", "tallimo-decoder-sim")
    top = tempfile.mkdtemp(prefix="tallimo-tick-")
    folder = os.path.join(top, "demo")
    os.makedirs(folder)
    sim_args = [simulator, "--model", "vela2-usb", "--working-folder", folder, "--port", "COM7",
                "--start-on-reset", "--keep-alive-reply", "--record", os.path.join(top, "sim.rec")]
    for k in range(karts):
        sim_args += ["--kart", f"{101 + k}:{lap_ms}:{lap_ms // 10}"]
    sim = subprocess.Popen(sim_args, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    try:
        time.sleep(1.0)
        env = dict(os.environ, QT_QPA_PLATFORM=os.environ.get("QT_QPA_PLATFORM", "offscreen"))
        args = [program, "--demo", "--no-demo-decoder", "--working-folder", folder, "--start",
                "--unattended", "--quit-after", str(seconds)]
        if not journal:
            args.append("--no-journal")
        run = subprocess.run(args, env=env, capture_output=True, text=True, timeout=seconds + 60)
        figures = re.search(r"ticks \d+: .*", run.stdout + run.stderr)
        sent = os.path.getsize(os.path.join(top, "sim.rec"))
        return (figures.group(0) if figures else "no tick figures printed"), sent
    finally:
        sim.send_signal(signal.SIGTERM)
        try:
            sim.wait(timeout=5)
        except subprocess.TimeoutExpired:
            sim.kill()
        shutil.rmtree(top, ignore_errors=True)


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--build", default=os.environ.get("TALLIMO_BUILD_DIR", "build"))
    parser.add_argument("--seconds", type=int, default=60)
    parser.add_argument("--karts", type=int, default=20)
    # 20 karts at 230 ms: 87 framed passings (11 bytes) a second, what a
    # 9600 baud line carries at most.
    parser.add_argument("--lap-ms", type=int, default=230,
                        help="mean lap of the simulated karts")
    options = parser.parse_args()
    for journal in (True, False):
        figures, sent = measure(options.build, options.seconds, options.karts, options.lap_ms,
                                journal)
        label = "journal on " if journal else "journal off"
        print(f"{label}: {figures} ({sent} bytes sent by the simulator, "
              f"about {sent / 11 / options.seconds:.0f} framed passings a second)")


if __name__ == "__main__":
    main()
