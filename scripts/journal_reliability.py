#!/usr/bin/env python3
"""Kills the program with SIGKILL at random moments of a running session and
checks that the passing journal brings every lap back.

The program runs the demo's session against the decoder simulator, which
outlives every run of the program and records every byte it sends. The
program is killed after a random time, restarted, and once it has restored
the session ("Private/Session.rent" rewritten, the restore message on its
output) the board is read with `tallimo-tool session show --json` and
compared with the passings the simulator sent (its record decoded with
`tallimo-tool decode`). With R = the record's size:
  S  = R 0.15 s (--margin) before the kill,
  A  = R right after the kill,
  B  = R once the restarted program times again (decoder identified,
       "Départ" pressed, the resumed clock in the journal) plus --margin,
every timed kart must satisfy after each restart:
  (a) every passing sent between the previous B (or the first start) and S
      is on the board;
  (b) every passing on the board was sent before the kill (within A bytes),
      and only once;
  (c) the passings on the board after the previous restart are still there,
      unchanged;
  (d) lap count, total time, last and best lap agree with the passing times,
      which are the decoder's times less the kart's first passing;
  (e) the restore message counts the laps the board gained.
Passings sent while the program was down or starting (between S and B) may
be missing; the summary says how many per kill. After the random kills the
program is killed once more after --final-alive seconds, restarted and
checked; the passings sent while that last run was down are not counted.

The first start runs with --demo (the demo's data and booked drivers); later
starts run on the same folder without it, as an operator restarts the
program (--demo-each-run restarts with --demo every time). With
--early-kills, some restarts are killed again within --early-window seconds,
while they restore; the check then follows the next restart, which may find
nothing to restore (the file already holding it) but must lose nothing.

Exit status: 0 when every rule held, 1 at the first violation (explained),
2 on a setup error, 77 when no pseudo-terminal can be opened (the simulator
and the program's output need them).

Usage: scripts/journal_reliability.py [--build DIR] [--kills N] [--seed S]
         [--min-alive SEC] [--max-alive SEC] [--keep DIR] [--quiet]
         [--time-limit SEC] [--margin SEC] [--early-kills N] [--demo-each-run]
The run is repeatable in its kill times and the simulator's laps (--seed);
logs/timeline.txt in the kept folder has every kill, restore and B.
Needs no display (the program runs offscreen). Build tallimo, tallimo-tool
and tallimo-decoder-sim first.
"""

import argparse
import json
import os
import pty
import random
import re
import shutil
import signal
import subprocess
import sys
import tempfile
import threading
import time
from pathlib import Path

PORT = "COM7"
# The demo's karts: transponder, mean lap and spread in ms (the spare
# transponders left out). 107 and 108 have no driver: the program ignores
# them, which the check expects too.
DEMO_KARTS = ([(101 + slot, 14000 + 700 * slot, 900) for slot in range(8)] +
              [(201 + slot, 19000 + 900 * slot, 1500) for slot in range(3)])
SESSION_FILE = Path("Private") / "Session.rent"
JOURNAL_FILE = Path("Private") / "Session.journal"
RESTORED = "[Session] The session was restored"
IDENTIFIED = re.compile(r"Decoder .* connected")
# Generous bounds: the check must hold on a loaded two-core machine.
RESTORE_WAIT_S = 10.0
IDENTIFY_WAIT_S = 10.0
TRACK_FINISHED, TRACK_FREE, TRACK_TIMING = 0, 1, 3
SKIP = 77


class Violation(Exception):
    pass


class TimeUp(Exception):
    pass


class SetupError(Exception):
    pass


class Tools:
    def __init__(self, arguments):
        build = arguments.build
        self.program = arguments.program or build / "app" / "tallimo"
        self.tool = arguments.tool or build / "app" / "tallimo-tool"
        self.simulator = arguments.simulator or build / "decoder" / "sim" / "tallimo-decoder-sim"
        for path in (self.program, self.tool, self.simulator):
            if not Path(path).exists():
                print(f"missing {path}: build tallimo, tallimo-tool and tallimo-decoder-sim first")
                sys.exit(2)


class Output:
    """A child's output read from a pseudo-terminal (line-buffered, unlike a
    pipe, so nothing stays in its buffers at a SIGKILL), kept in a log."""

    def __init__(self, log_path):
        self.master, self.slave = pty.openpty()
        self.text = ""
        self.lock = threading.Lock()
        self.log = open(log_path, "w", encoding="utf-8", errors="replace")
        self.reader = threading.Thread(target=self._read, daemon=True)

    def start(self):
        os.close(self.slave)
        self.reader.start()

    def _read(self):
        while True:
            try:
                chunk = os.read(self.master, 4096)
            except OSError:
                break
            if not chunk:
                break
            piece = chunk.decode("utf-8", errors="replace").replace("\r", "")
            with self.lock:
                self.text += piece
            self.log.write(piece)
            self.log.flush()

    def seen(self, pattern):
        with self.lock:
            if isinstance(pattern, str):
                return pattern in self.text
            return pattern.search(self.text) is not None

    def close(self):
        if self.reader.ident is not None:
            self.reader.join(timeout=2)
        try:
            os.close(self.master)
        except OSError:
            pass
        self.log.close()


def open_pty_or_skip():
    try:
        master, slave = pty.openpty()
    except OSError as error:
        print(f"SKIP: no pseudo-terminal can be opened ({error})")
        sys.exit(SKIP)
    os.close(master)
    os.close(slave)


class Child:
    def __init__(self, command, env, log_path):
        self.output = Output(log_path)
        try:
            self.process = subprocess.Popen([str(part) for part in command], env=env,
                                            stdin=subprocess.DEVNULL, stdout=self.output.slave,
                                            stderr=self.output.slave, start_new_session=True)
        except OSError as error:
            os.close(self.output.slave)
            self.output.close()
            raise SetupError(f"cannot run {command[0]}: {error}") from error
        self.started = time.monotonic()
        self.output.start()

    def alive(self):
        return self.process.poll() is None

    def kill(self):
        if self.alive():
            self.process.send_signal(signal.SIGKILL)
        self.process.wait()
        self.output.close()

    def stop(self):
        if self.alive():
            self.process.send_signal(signal.SIGINT)
            try:
                self.process.wait(timeout=5)
            except subprocess.TimeoutExpired:
                pass
        self.kill()


class Record:
    """The simulator's record: its size now, and the passings within its
    first bytes (decoded once per size)."""

    def __init__(self, tools, path, scratch):
        self.tools, self.path, self.prefix = tools, path, scratch / "prefix.rec"
        self.cache = {}

    def size(self):
        try:
            return self.path.stat().st_size
        except FileNotFoundError:
            return 0

    def passings(self, size):
        if size not in self.cache:
            with open(self.path, "rb") as record:
                self.prefix.write_bytes(record.read(size))
            shown = subprocess.run([str(self.tools.tool), "decode", "--model", "TallimoVela2",
                                    str(self.prefix)], capture_output=True, text=True)
            if shown.returncode != 0:
                raise Violation(f"tallimo-tool decode failed: {shown.stderr.strip()}")
            found = []
            for line in shown.stdout.splitlines():
                first, _, second = line.partition("\t")
                if first != "skipped" and second:
                    found.append((int(first), int(second)))
            self.cache[size] = found
        return self.cache[size]


def read_board(tools, folder):
    """Every kart of the session file by transponder: its state and figures."""
    shown = subprocess.run([str(tools.tool), "session", "show", str(folder / SESSION_FILE),
                            "--json"], capture_output=True, text=True)
    if shown.returncode != 0:
        raise Violation(f"the session file cannot be read: {shown.stderr.strip()}")
    karts = {}
    for category in json.loads(shown.stdout)["categories"]:
        for kart in category["karts"]:
            if not kart["transponder"] or kart["usage"] != 1:
                continue
            started = kart["trackState"] in (TRACK_TIMING, TRACK_FINISHED)
            last = kart["lastLapIndex"]
            kart["passings"] = kart["passingTimes"][: last + 1] if started and last >= 0 else []
            karts[int(kart["transponder"])] = kart
    return karts


def check_board(board, sent, required, previous, run_starts, kill):
    """Rules (a) to (d) for one restart; returns the laps and karts on the
    board. `run_starts` keeps each kart's first passing (decoder time)."""
    where = f"after kill {kill}"
    guesses = {}
    sent_by_kart = {}
    for transponder, when in sent:
        sent_by_kart.setdefault(transponder, []).append(when)
    laps = karts = 0
    for transponder, kart in board.items():
        passings = kart["passings"]
        label = f"{kart['kartLabel']} ({transponder:06d})"
        times = sent_by_kart.get(transponder, [])
        if passings:
            if kart["trackState"] == TRACK_FREE:
                raise Violation(f"{where}: {label} is free but holds passings {passings}")
            # (b) each passing once, each one sent before the kill.
            if any(b <= a for a, b in zip(passings, passings[1:])) or passings[0] != 0:
                raise Violation(f"{where}: {label} passing times are not a run from 0 "
                                f"strictly increasing: {passings}")
            sent_set = set(times)
            start = run_starts.get(transponder)
            if start is None:
                due = [d for t, d in required if t == transponder]
                start = run_start(passings, times, due)
                if start is None:
                    raise Violation(f"{where}: {label} passing times {passings} are not the "
                                    f"simulator's passings before the kill, whatever the run "
                                    f"start (sent: {times})")
                # A run start alone matches any passing: it is only a guess
                # until the kart has a lap, or until a passing that had to be
                # timed can only be that start.
                if len(passings) > 1 or start in due:
                    run_starts[transponder] = start
                else:
                    guesses[transponder] = start
            invented = [p for p in passings if p + start not in sent_set]
            if invented:
                raise Violation(f"{where}: {label} holds passings the simulator did not send "
                                f"before the kill: {invented} (run start {start} ms, sent "
                                f"{[d - start for d in times]})")
            # (d) the figures the program keeps agree with the passings.
            count = len(passings) - 1
            lap_times = [b - a for a, b in zip(passings, passings[1:])]
            figures = [("lapCount", kart["lapCount"], count),
                       ("lastLapIndex", kart["lastLapIndex"], count),
                       ("totalTime", kart["totalTime"], passings[-1])]
            if lap_times:
                figures += [("lastLapTime", kart["lastLapTime"], lap_times[-1]),
                            ("bestLap", kart["bestLap"], min(lap_times))]
            for name, held, expected in figures:
                if held != expected:
                    raise Violation(f"{where}: {label} {name} is {held}, its passings "
                                    f"{passings} make it {expected}")
            laps += count
            karts += 1
        # (c) what the previous restart restored is unchanged.
        before = previous.get(transponder, {}).get("passings", [])
        if passings[: len(before)] != before:
            raise Violation(f"{where}: {label} passings restored before were {before}, now "
                            f"{passings}")
        # (a) everything sent while the program was up and settled is there.
        if kart["trackState"] != TRACK_FREE or passings:
            start = run_starts.get(transponder, guesses.get(transponder))
            for when in (d for t, d in required if t == transponder):
                if start is None or when - start not in passings:
                    shown = "none" if start is None else when - start
                    raise Violation(f"{where}: {label} lost the passing at decoder time "
                                    f"{when} ms (board time {shown}), sent while the program "
                                    f"was up; the board holds {passings}")
    return laps, karts, guesses


def run_start(passings, times, required):
    """The decoder time of a kart's first passing: one the simulator sent
    such that every board time from it is one it sent too; among several,
    the one that leaves fewest required passings off the board."""
    sent = set(times)
    candidates = [d for d in times if all(d + p in sent for p in passings)]
    lacking = lambda d: sum(1 for when in required if when - d not in passings)
    return min(candidates, key=lambda d: (lacking(d), d), default=None)


def missing_while_down(board, window, run_starts):
    """How many passings of timed karts sent in `window` the board lacks."""
    missing = 0
    for transponder, when in window:
        kart = board.get(transponder)
        if kart is None or (kart["trackState"] == TRACK_FREE and not kart["passings"]):
            continue
        start = run_starts.get(transponder)
        if start is None or when - start not in kart["passings"]:
            missing += 1
    return missing


class Reliability:
    def __init__(self, arguments, tools, base):
        self.arguments, self.tools = arguments, tools
        self.folder = base / "work"
        self.logs = base / "logs"
        self.folder.mkdir(parents=True)
        self.logs.mkdir()
        self.record = Record(tools, base / "sim.rec", base)
        self.env = dict(os.environ)
        self.env["QT_QPA_PLATFORM"] = "offscreen"
        runtime = base / "runtime"
        runtime.mkdir(mode=0o700)
        self.env["XDG_RUNTIME_DIR"] = str(runtime)
        self.deadline = time.monotonic() + arguments.time_limit
        self.random = random.Random(arguments.seed)
        self.simulator = None
        self.program = None
        self.runs = 0
        self.began = time.monotonic()

    def mark(self, event):
        """The timeline (logs/timeline.txt): seconds since the start, the
        record's and the journal's sizes, for reading a violation."""
        with open(self.logs / "timeline.txt", "a", encoding="utf-8") as timeline:
            timeline.write(f"{time.monotonic() - self.began:8.3f} record {self.record.size():6d} "
                           f"journal {self.journal_size():7d} {event}\n")

    def say(self, text):
        if not self.arguments.quiet:
            print(text, flush=True)

    def check_time(self):
        if time.monotonic() > self.deadline:
            raise TimeUp()

    def sleep(self, seconds):
        end = time.monotonic() + seconds
        while time.monotonic() < end:
            self.check_time()
            time.sleep(min(0.05, max(0.0, end - time.monotonic())))

    def wait_for(self, condition, seconds):
        end = time.monotonic() + seconds
        while time.monotonic() < end:
            if condition():
                return True
            self.check_time()
            time.sleep(0.02)
        return condition()

    def start_simulator(self):
        karts = []
        for transponder, mean, spread in DEMO_KARTS:
            karts += ["--kart", f"{transponder}:{mean}:{spread}"]
        self.simulator = Child([self.tools.simulator, "--model", "vela2-usb", "--working-folder",
                                self.folder, "--port", PORT, "--start-on-reset",
                                "--keep-alive-reply", "--record", self.record.path,
                                "--seed", str(self.arguments.seed)] + karts, self.env,
                               self.logs / "simulator.log")
        if not self.wait_for(lambda: (self.folder / "ports" / PORT).is_symlink(), 10):
            raise SetupError("the simulator did not link its port within 10 s "
                            f"(see {self.logs / 'simulator.log'})")

    def start_program(self):
        self.runs += 1
        command = [self.tools.program]
        if self.runs == 1 or self.arguments.demo_each_run:
            command += ["--demo", "--no-demo-decoder"]
        command += ["--working-folder", self.folder, "--start", "--unattended"]
        self.program = Child(command, self.env, self.logs / f"run{self.runs:03d}.log")
        self.mark(f"run {self.runs} started")
        return self.program

    def kill_program(self, at_once=False):
        """SIGKILL after sampling S; returns (S, A)."""
        s_before = self.record.size()
        if not at_once:
            time.sleep(self.arguments.margin)
        if not self.program.alive():
            raise Violation(f"run {self.runs} ended by itself before the kill "
                            f"(exit {self.program.process.returncode}; see its log)")
        self.program.kill()
        a_after = self.record.size()
        self.mark(f"run {self.runs} killed: S {s_before}, A {a_after}")
        return s_before, a_after

    def wait_restored(self, kill, session_mtime, early):
        """The restore message, or (None, why) when none came. After a kill
        in the middle of a start-up the restore may already be in the file,
        the journal started afresh or not: no message is then no fault."""
        program = self.program
        log = self.logs / f"run{self.runs:03d}.log"
        restored = self.wait_for(
            lambda: program.output.seen(RESTORED) or not program.alive() or
            (early and program.output.seen(IDENTIFIED)), RESTORE_WAIT_S)
        if not program.alive():
            raise Violation(f"after kill {kill} the program stopped at start-up (exit "
                            f"{program.process.returncode}); see {log}")
        if early and not program.output.seen(RESTORED):
            self.mark(f"run {self.runs}: started without a restore")
            return None, None
        if not restored or not program.output.seen(RESTORED):
            changed = self.session_mtime() != session_mtime
            self.mark(f"run {self.runs}: no restore")
            return None, (f"after kill {kill} no restore within {RESTORE_WAIT_S:.0f} s (session "
                          f"file {'rewritten' if changed else 'untouched'}; see {log})")
        message = next(line for line in program.output.text.splitlines() if RESTORED in line)
        self.mark(f"run {self.runs} restored")
        return message, None

    def wait_timing(self, kill, journal_at_restore):
        """B: the record's size once the restarted program times again. The
        start has a countdown that discards what arrives, and the resumed
        clock is journalled: the journal growing after the restore marks it."""
        program = self.program
        log = f"run{self.runs:03d}.log"
        if not self.wait_for(lambda: program.output.seen(IDENTIFIED) or not program.alive(),
                             IDENTIFY_WAIT_S):
            raise Violation(f"after kill {kill} the decoder was not identified within "
                            f"{IDENTIFY_WAIT_S:.0f} s; see {log}")
        self.mark(f"run {self.runs} decoder identified")
        if not self.wait_for(lambda: self.journal_size() > journal_at_restore or
                             not program.alive(), IDENTIFY_WAIT_S):
            raise Violation(f"after kill {kill} the clock did not start again within "
                            f"{IDENTIFY_WAIT_S:.0f} s of the decoder's identification (the "
                            f"journal did not grow); see {log}")
        if not program.alive():
            raise Violation(f"after kill {kill} the program stopped (exit "
                            f"{program.process.returncode}); see {log}")
        self.mark(f"run {self.runs} clock running (journal grew)")
        self.sleep(self.arguments.margin)
        b_now = self.record.size()
        self.mark(f"run {self.runs} B {b_now}")
        return b_now

    def journal_size(self):
        try:
            return (self.folder / JOURNAL_FILE).stat().st_size
        except FileNotFoundError:
            return 0

    def session_mtime(self):
        try:
            return (self.folder / SESSION_FILE).stat().st_mtime_ns
        except FileNotFoundError:
            return None

    def run(self):
        arguments = self.arguments
        self.start_simulator()
        self.start_program()
        # The first run must have started the session (the simulator's
        # clock reset) before it may be killed: a later first start would
        # reset the decoder's clock again.
        if not self.wait_for(lambda: "clock reset acknowledged" in self.simulator.output.text,
                             IDENTIFY_WAIT_S + 5):
            raise Violation("the first run did not start the session (no clock reset reached "
                            "the simulator); see run001.log and simulator.log")
        timing_since = time.monotonic()
        self.mark("clock reset acknowledged")
        b_previous = 0
        laps_before = 0
        previous_board = {}
        run_starts = {}
        gaps = []  # per kill: the passings sent while it was down or starting
        missing = []
        total = arguments.kills + 1
        early_kills = set(self.random.sample(range(1, total), min(arguments.early_kills,
                                                                    total - 1)))
        for kill in range(1, total + 1):
            final = kill == total
            alive = (arguments.final_alive if final else
                     self.random.uniform(arguments.min_alive, arguments.max_alive))
            self.sleep(max(0.0, timing_since + alive - time.monotonic()))
            self.check_time()
            s_before, a_after = self.kill_program()
            session_mtime = self.session_mtime()
            early = kill in early_kills
            if early:
                # Killed again while it starts: restoring, writing the
                # session file, starting the journal afresh.
                self.start_program()
                early_after = self.random.uniform(0.0, arguments.early_window)
                self.sleep(early_after)
                a_after = self.kill_program(at_once=True)[1]
            self.start_program()
            message, no_restore = self.wait_restored(kill, session_mtime, early)
            journal_at_restore = self.journal_size()
            board = read_board(self.tools, self.folder)
            sent = self.record.passings(a_after)
            required = sent[len(self.record.passings(b_previous)):
                            len(self.record.passings(s_before))]
            try:
                laps, karts, guesses = check_board(board, sent, required, previous_board,
                                                   run_starts, kill)
            except Violation as violation:
                raise Violation(f"{no_restore}; {violation}" if no_restore else
                                str(violation)) from None
            if no_restore:
                raise Violation(no_restore)
            # The previous kill's gap is settled now: whatever of it is not
            # on this board never will be.
            if gaps:
                missing.append(missing_while_down(board, gaps[-1], {**guesses, **run_starts}))
            b_now = self.wait_timing(kill, journal_at_restore)
            timing_since = time.monotonic()
            gap_start = len(self.record.passings(s_before))
            gaps.append(self.record.passings(b_now)[gap_start:])
            restored = (re.search(r"stopped unexpectedly: ([^(]*?)(?: \(|\.)", message)
                        if message else None)
            # (e) the operator is told the laps the restore brought back.
            told = re.match(r"(\d+) laps? on", restored.group(1)) if restored else None
            if restored and not early and (int(told.group(1)) if told else 0) != \
                    laps - laps_before:
                raise Violation(f"after kill {kill} the restore message says "
                                f"\"{restored.group(1)}\" but the board gained "
                                f"{laps - laps_before} laps")
            laps_before = laps
            self.say(f"kill {kill:3d}{' (final)' if final else ''} after {alive:4.1f} s"
                     + (f", its restart killed after {early_after:.3f} s" if early else "")
                     + ": "
                     f"{laps} laps on {karts} karts on the board, {len(required)} passings "
                     f"required, all there"
                     + (f"; kill {kill - 1} lost {missing[-1]} passings sent while down"
                        if len(missing) else "")
                     + (f"; restore said: {restored.group(1)}" if restored else ""))
            previous_board = board
            b_previous = b_now
        return missing

    def close(self):
        for child in (self.program, self.simulator):
            if child is not None:
                child.stop()


def parse_arguments():
    parser = argparse.ArgumentParser(description=__doc__,
                                     formatter_class=argparse.RawDescriptionHelpFormatter)
    default_build = os.environ.get("TALLIMO_BUILD_DIR") or (
        Path(__file__).resolve().parent.parent / "build")
    parser.add_argument("--build", type=Path, default=Path(default_build),
                        help="the build folder (default: $TALLIMO_BUILD_DIR, else build/)")
    parser.add_argument("--program", type=Path, help="the program (default: BUILD/app/tallimo)")
    parser.add_argument("--tool", type=Path,
                        help="tallimo-tool (default: BUILD/app/tallimo-tool)")
    parser.add_argument("--simulator", type=Path,
                        help="the decoder simulator (default: "
                             "BUILD/decoder/sim/tallimo-decoder-sim)")
    parser.add_argument("--kills", type=int, default=50, help="random kills (50)")
    parser.add_argument("--seed", type=int, default=None,
                        help="seed of the kill times and of the simulator (random)")
    parser.add_argument("--min-alive", type=float, default=2.0,
                        help="shortest time a run times passings before it is killed, in "
                             "seconds from its clock's start (2)")
    parser.add_argument("--max-alive", type=float, default=8.0,
                        help="longest run before a kill (8)")
    parser.add_argument("--final-alive", type=float, default=6.0,
                        help="the run after the random kills lives this long (6)")
    parser.add_argument("--margin", type=float, default=0.15,
                        help="seconds the program has to read what the simulator sent, before "
                             "a kill and after timing starts again (0.15)")
    parser.add_argument("--time-limit", type=float, default=900.0,
                        help="stop after this many seconds and report (900)")
    parser.add_argument("--early-kills", type=int, default=0,
                        help="after this many of the kills, kill the restarted program again "
                             "while it starts (0)")
    parser.add_argument("--early-window", type=float, default=0.25,
                        help="such a kill comes within this many seconds of the start (0.25)")
    parser.add_argument("--demo-each-run", action="store_true",
                        help="restart with --demo every time, not only the first time")
    parser.add_argument("--keep", type=Path,
                        help="work in this new folder and keep it: work/ (the working folder), "
                             "sim.rec (the simulator's record) and logs/")
    parser.add_argument("--quiet", action="store_true", help="print only the verdict")
    arguments = parser.parse_args()
    if arguments.seed is None:
        arguments.seed = random.randrange(1, 1 << 31)
    if not 0 < arguments.min_alive <= arguments.max_alive or arguments.kills < 1:
        parser.error("need --kills >= 1 and 0 < --min-alive <= --max-alive")
    return arguments


def interrupted(*_):
    # SIGTERM (a CTest timeout) cleans up as Ctrl+C does, and so does
    # SIGINT where a shell started the script with it ignored.
    raise KeyboardInterrupt()


def main():
    arguments = parse_arguments()
    tools = Tools(arguments)
    open_pty_or_skip()
    signal.signal(signal.SIGTERM, interrupted)
    signal.signal(signal.SIGINT, interrupted)
    if arguments.keep:
        base = arguments.keep.resolve()
        if base.exists() and any(base.iterdir()):
            print(f"{base} is not empty")
            return 2
        base.mkdir(parents=True, exist_ok=True)
    else:
        base = Path(tempfile.mkdtemp(prefix="tallimo-journal-"))
    run = Reliability(arguments, tools, base)
    print(f"journal reliability: {arguments.kills} kills, seed {arguments.seed}, alive "
          f"{arguments.min_alive:g}..{arguments.max_alive:g} s, in {base}", flush=True)
    started = time.monotonic()
    status = 0
    missing = None
    try:
        missing = run.run()
    except Violation as violation:
        print(f"VIOLATION {violation}", flush=True)
        print(f"logs: {run.logs}" + ("" if arguments.keep else " (kept)"), flush=True)
        arguments.keep = arguments.keep or base
        status = 1
    except SetupError as error:
        print(f"setup error: {error}", flush=True)
        status = 2
    except TimeUp:
        print(f"time limit of {arguments.time_limit:g} s reached after {run.runs} runs: "
              "stopped", flush=True)
        status = 1
    except KeyboardInterrupt:
        print("interrupted", flush=True)
        status = 130
    finally:
        run.close()
        if not arguments.keep:
            shutil.rmtree(base, ignore_errors=True)
    if missing is not None:
        lost = sum(missing)
        per_kill = ", ".join(f"kill {index + 1}: {count}"
                             for index, count in enumerate(missing) if count)
        sent = len(run.record.cache.get(max(run.record.cache, default=0), []))
        print(f"PASS: {arguments.kills + 1} kills in {time.monotonic() - started:.0f} s, "
              f"{sent} passings sent; after every restart each passing sent while the program "
              f"was up was on the board, none twice, none invented, none changed. Passings "
              f"sent while it was down or starting and never timed: {lost}"
              + (f" ({per_kill})" if per_kill else ""), flush=True)
    return status


if __name__ == "__main__":
    sys.exit(main())
