#!/usr/bin/env python3
"""Measures the decoder link: the simulator on a pseudo-terminal against the
Qt serial port, identification, the poller and lap timing as the program runs
them (build/tests/decoder/tallimo-decoder-link-measure).

plug-out: a Vela2 USB decoder vanishes and comes back during a running
  session; how soon the link is recovered, and how many of the passings the
  simulator sent after it was back are on the board.
vela1: ten karts at fixed lap times on a counter-timed decoder, passings
  stamped on arrival and taken at the tick, idle and with busy processes
  beside it; the lap-time error distribution of each.

A harness rather than the program: it books karts and lap times of its own
choosing, and runs both ways of timing Vela1 passings side by side.

Usage: scripts/measure_decoder_link.py [plug-out] [vela1] [--seconds S]
         [--busy N] [--build DIR]
"""

import argparse
import os
import subprocess
import sys
from pathlib import Path


def busy_loops(count):
    return [subprocess.Popen([sys.executable, "-c", "while True: pass"]) for _ in range(count)]


def measure(tool, arguments, busy=0):
    env = dict(os.environ, QT_QPA_PLATFORM="offscreen")
    loops = busy_loops(busy)
    try:
        result = subprocess.run([str(tool)] + arguments, env=env, capture_output=True,
                                text=True, timeout=int(arguments[1]) + 60)
    finally:
        for loop in loops:
            loop.kill()
            loop.wait()
    if result.returncode != 0:
        return "failed: " + (result.stderr or result.stdout).strip()
    return result.stdout.strip()


def main():
    parser = argparse.ArgumentParser(description=__doc__,
                                     formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("runs", nargs="*", help="plug-out, vela1 (both when none is named)")
    parser.add_argument("--build", type=Path,
                        default=Path(__file__).resolve().parent.parent / "build")
    parser.add_argument("--seconds", type=int, default=60, help="length of each run")
    parser.add_argument("--busy", type=int, default=os.cpu_count() or 2,
                        help="busy processes beside the loaded runs")
    arguments = parser.parse_args()
    arguments.runs = arguments.runs or ["plug-out", "vela1"]
    if not set(arguments.runs) <= {"plug-out", "vela1"}:
        parser.error("runs are plug-out and vela1")
    tool = arguments.build / "tests" / "decoder" / "tallimo-decoder-link-measure"
    if not tool.exists():
        sys.exit(f"missing {tool}: cmake --build build --target tallimo-decoder-link-measure")
    seconds = str(arguments.seconds)

    if "plug-out" in arguments.runs:
        vanish, back = arguments.seconds * 1000 // 3, 12000
        print(f"plug-out: vanished at {vanish / 1000:.0f} s for {back / 1000:.0f} s, "
              f"{seconds} s in all")
        for busy in (0, arguments.busy):
            print(f"  {busy} busy processes beside it:")
            report = measure(tool, ["plug-out", seconds, str(vanish), str(back)], busy)
            print("    " + report.replace("\n", "\n    "))
    if "vela1" in arguments.runs:
        print(f"vela1: {seconds} s per run")
        for busy in (0, arguments.busy):
            for mode in ([], ["--unstamped"]):
                report = measure(tool, ["vela1", seconds] + mode, busy)
                print(f"  {busy} busy processes beside it, {report}")


if __name__ == "__main__":
    main()
