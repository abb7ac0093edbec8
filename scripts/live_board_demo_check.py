#!/usr/bin/env python3
"""The drivers' board page against the running program: a lap the decoder
sends must show on the page within a second.

The program runs the demo on a fresh working folder without its own decoder
(--demo --no-demo-decoder), its web board on a free port written beforehand
into Private/Tallimo.ini; the decoder simulator times the demo's karts and
records every byte it sends. The page is opened in Debian's chromium,
headless, through the DevTools protocol (scripts/live_board_browser.py). A
small observer injected into the page notes Date.now() whenever a kart's lap
count changes in the table; a thread polls the simulator's record every 5 ms
and notes when each framed passing (FF FF FF F0 tHi tLo h m s fHi fLo)
appears. For every passing of a kart already on the page, the delay is the
time from the last poll that did not hold it to the page showing a higher
lap count for that kart. The simulator writes its record just after the
port, so a delay may read a few milliseconds below zero on a busy machine.

Passes when every measured lap showed within --limit seconds (1 s). Prints
every delay, their median and maximum, and writes screenshots of the page at
phone (390x844) and TV (1920x1080) sizes into --screenshots (/tmp).

Exit 0 on success, 1 when a lap was late or missing, 2 on a setup error, 77
when chromium is not installed or no pseudo-terminal can be opened.

Usage: scripts/live_board_demo_check.py [--build DIR] [--program PATH]
         [--simulator PATH] [--laps N] [--limit SEC] [--time-limit SEC]
         [--screenshots DIR] [--keep DIR]
"""

import argparse
import json
import os
import pty
import shutil
import signal
import socket
import statistics
import subprocess
import sys
import tempfile
import threading
import time
import urllib.error
import urllib.request
from pathlib import Path

sys.dont_write_bytecode = True  # no __pycache__ left beside the scripts
sys.path.insert(0, str(Path(__file__).resolve().parent))
import live_board_browser  # noqa: E402  (beside this script)

SKIPPED = 77
SETUP_ERROR = 2
PORT = "COM7"
PASSING_HEAD = b"\xff\xff\xff\xf0"
PASSING_SIZE = 11
POLL_S = 0.005
SETTLE_S = 2.0
# The demo's karts as the simulator drives them (transponder, mean lap and
# spread in ms) and the label each has on the board. 107 and 108 have no
# driver: they never show on the board, so they are not measured.
DEMO_KARTS = ([(101 + slot, 14000 + 700 * slot, 900) for slot in range(8)] +
              [(201 + slot, 19000 + 900 * slot, 1500) for slot in range(3)])
LABELS = {**{101 + slot: f"K{slot + 1}" for slot in range(8)},
          **{201 + slot: f"K{101 + slot}" for slot in range(3)}}

# Notes, per kart label, every change of the lap count the table shows. The
# page replaces its table body at every update, so the whole body is watched.
OBSERVER = """
(function () {
  window.__tallimoLaps = [];
  var shown = {};
  function scan() {
    var now = Date.now();
    document.querySelectorAll("#rows tr").forEach(function (row) {
      var kart = row.querySelector("td.kart");
      if (!kart || row.cells.length < 4) return;
      var laps = parseInt(row.cells[3].textContent, 10);
      if (shown[kart.textContent] !== laps) {
        shown[kart.textContent] = laps;
        window.__tallimoLaps.push([now, kart.textContent, laps]);
      }
    });
  }
  scan();
  new MutationObserver(scan).observe(document.body, {childList: true, subtree: true});
  return Date.now();
})()
"""
DRAIN = "JSON.stringify(window.__tallimoLaps.splice(0))"


class SetupError(Exception):
    pass


def free_port():
    with socket.socket() as probe:
        probe.bind(("127.0.0.1", 0))
        return probe.getsockname()[1]


class RecordWatch(threading.Thread):
    """Polls the simulator's record; keeps (transponder, last poll without
    the passing, first poll with it), wall-clock seconds."""

    def __init__(self, path):
        super().__init__(daemon=True)
        self.path = path
        self.passings = []
        self.lock = threading.Lock()
        self.stopping = threading.Event()

    def run(self):
        consumed = 0
        pending = b""
        before = time.time()
        while not self.stopping.is_set():
            try:
                with open(self.path, "rb") as record:
                    record.seek(consumed)
                    fresh = record.read()
            except FileNotFoundError:
                fresh = b""
            seen = time.time()
            if fresh:
                consumed += len(fresh)
                pending += fresh
                found = []
                while True:
                    head = pending.find(PASSING_HEAD)
                    if head < 0:
                        pending = pending[-(len(PASSING_HEAD) - 1):]
                        break
                    if len(pending) - head < PASSING_SIZE:
                        pending = pending[head:]
                        break
                    frame = pending[head:head + PASSING_SIZE]
                    found.append((frame[4] * 256 + frame[5], before, seen))
                    pending = pending[head + PASSING_SIZE:]
                with self.lock:
                    self.passings.extend(found)
            before = seen
            time.sleep(POLL_S)

    def taken(self):
        with self.lock:
            return list(self.passings)


def start_child(command, env, log_path):
    log = open(log_path, "wb")
    try:
        return subprocess.Popen([str(part) for part in command], env=env,
                                stdin=subprocess.DEVNULL, stdout=log, stderr=subprocess.STDOUT,
                                start_new_session=True)
    except OSError as error:
        raise SetupError(f"cannot run {command[0]}: {error}") from error
    finally:
        log.close()


def stop_child(child):
    if child is None or child.poll() is not None:
        return
    child.terminate()
    try:
        child.wait(timeout=5)
    except subprocess.TimeoutExpired:
        child.kill()
        child.wait()


def wait_for_page(url, program, seconds):
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        if program.poll() is not None:
            raise SetupError(f"the program ended at start-up (exit {program.returncode})")
        try:
            with urllib.request.urlopen(url, timeout=2) as answer:
                if answer.status == 200:
                    return
        except (urllib.error.URLError, OSError):
            pass
        time.sleep(0.1)
    raise SetupError(f"the program did not serve {url} within {seconds:g} s")


def lap_delays(changes, passings, since, limit, now):
    """For each passing of a shown kart sent after `since`: its delay, or
    None when the page had not shown the lap (and `limit` has passed)."""
    by_kart = {}
    for when, kart, laps in changes:
        by_kart.setdefault(kart, []).append((when, laps))
    measured = []
    for transponder, before, seen in passings:
        kart = LABELS.get(transponder)
        # The simulator writes to the port before its record, so the page may
        # show a passing a few milliseconds before the record holds it: the
        # lap count is taken from a moment well before, laps being seconds apart.
        settled = before - SETTLE_S
        if kart is None or settled < since:
            continue
        history = by_kart.get(kart, [])
        shown = [laps for when, laps in history if when <= settled]
        if not shown:
            continue  # its first passing: the kart joins the board with no lap yet
        later = [when for when, laps in history if when > settled and laps > shown[-1]]
        if later:
            measured.append((kart, shown[-1] + 1, later[0] - before))
        elif now - seen > limit:
            measured.append((kart, shown[-1] + 1, None))
    return measured


def check(arguments, base):
    folder = base / "work"
    (folder / "Private").mkdir(parents=True)
    port = free_port()
    (folder / "Private" / "Tallimo.ini").write_text(
        f"liveBoard.web=1\nliveBoard.port={port}\n", encoding="cp1252")
    env = dict(os.environ, QT_QPA_PLATFORM="offscreen")
    runtime = base / "runtime"
    runtime.mkdir(mode=0o700)
    env["XDG_RUNTIME_DIR"] = str(runtime)
    record = base / "sim.rec"
    karts = []
    for transponder, mean, spread in DEMO_KARTS:
        karts += ["--kart", f"{transponder}:{mean}:{spread}"]

    simulator = program = browser = None
    watch = RecordWatch(record)
    deadline = time.monotonic() + arguments.time_limit
    try:
        simulator = start_child([arguments.simulator, "--model", "vela2-usb", "--working-folder",
                                 folder, "--port", PORT, "--start-on-reset",
                                 "--keep-alive-reply", "--record", record] + karts, env,
                                base / "simulator.log")
        link = folder / "ports" / PORT
        while not link.is_symlink():
            if simulator.poll() is not None or time.monotonic() > deadline:
                raise SetupError(f"the simulator did not link {link} (see simulator.log)")
            time.sleep(0.05)
        watch.start()
        program = start_child([arguments.program, "--demo", "--no-demo-decoder",
                               "--working-folder", folder, "--start", "--unattended",
                               "--quit-after", str(int(arguments.time_limit) + 30)], env,
                              base / "program.log")
        url = f"http://127.0.0.1:{port}/"
        wait_for_page(url, program, 30)
        print(f"the program serves {url}")

        with tempfile.TemporaryDirectory(prefix="tallimo-board-chromium-") as profile:
            browser = live_board_browser.Browser(arguments.chromium, profile)
            target = browser.call("Target.createTarget", {"url": url})["targetId"]
            session = browser.call("Target.attachToTarget",
                                   {"targetId": target, "flatten": True})["sessionId"]
            seen, text = live_board_browser.wait_for(browser, session,
                                                     lambda t: "Tallimo Pistara" in t, 30)
            if not seen:
                print("the page never showed the board:\n" + text)
                return 1
            asked = time.time()
            page_now = browser.call("Runtime.evaluate",
                                    {"expression": OBSERVER, "returnByValue": True},
                                    session)["result"]["value"] / 1000.0
            # Both clocks are this machine's; the offset is measured anyway so
            # that a clamped or shifted page clock cannot fake a delay.
            offset = page_now - (asked + time.time()) / 2
            since = time.time()
            changes = []
            measured = []
            while time.monotonic() < deadline:
                time.sleep(0.2)
                if program.poll() is not None:
                    print(f"the program ended while timing (exit {program.returncode})")
                    return 1
                drained = browser.call("Runtime.evaluate",
                                       {"expression": DRAIN, "returnByValue": True}, session)
                changes += [(when / 1000.0 - offset, kart, laps)
                            for when, kart, laps in json.loads(drained["result"]["value"])]
                measured = lap_delays(changes, watch.taken(), since, arguments.limit,
                                      time.time())
                if len(measured) >= arguments.laps:
                    break
            for name, (width, height) in (("phone", (390, 844)), ("tv", (1920, 1080))):
                path = arguments.screenshots / f"live_board_{name}.png"
                live_board_browser.screenshot(browser, session, width, height, str(path))
                print("screenshot", path)
            browser.close()
            browser = None
    finally:
        watch.stopping.set()
        if browser is not None:
            browser.close()
        stop_child(program)
        stop_child(simulator)

    # Kept with --keep, for reading a late lap: both clocks in wall seconds.
    (base / "laps.json").write_text(json.dumps({"pageChanges": changes, "since": since,
                                                "passings": watch.taken()}))
    print(f"page clock offset {offset * 1000:+.1f} ms (corrected)")
    for kart, lap, delay in measured:
        shown = "not shown" if delay is None else f"{delay * 1000:.0f} ms"
        print(f"  {kart} lap {lap}: {shown}")
    delays = [delay for _, _, delay in measured if delay is not None]
    if delays:
        print(f"{len(delays)} laps measured: median {statistics.median(delays) * 1000:.0f} ms, "
              f"max {max(delays) * 1000:.0f} ms")
    if len(measured) < arguments.laps:
        print(f"FAILED: only {len(measured)} of {arguments.laps} laps measured within "
              f"{arguments.time_limit:g} s")
        return 1
    late = [m for m in measured if m[2] is None or m[2] > arguments.limit]
    if late:
        print(f"FAILED: {len(late)} lap(s) not on the page within {arguments.limit:g} s")
        return 1
    print(f"every lap was on the page within {arguments.limit:g} s")
    return 0


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--build", type=Path, default=Path(__file__).resolve().parent.parent /
                        "build")
    parser.add_argument("--program", type=Path)
    parser.add_argument("--simulator", type=Path)
    parser.add_argument("--laps", type=int, default=8, help="laps to measure (8)")
    parser.add_argument("--limit", type=float, default=1.0,
                        help="seconds a lap may take to show (1)")
    parser.add_argument("--time-limit", type=float, default=120,
                        help="seconds for the whole check (120)")
    parser.add_argument("--screenshots", type=Path, default=Path("/tmp"))
    parser.add_argument("--keep", type=Path, help="work in this new folder and keep it")
    arguments = parser.parse_args()
    arguments.laps = max(1, min(arguments.laps, 100))
    arguments.program = arguments.program or arguments.build / "app" / "tallimo"
    arguments.simulator = (arguments.simulator or
                           arguments.build / "decoder" / "sim" / "tallimo-decoder-sim")

    arguments.chromium = shutil.which("chromium")
    if arguments.chromium is None:
        print("chromium is not installed: skipped")
        return SKIPPED
    try:
        master, slave = pty.openpty()
        os.close(master)
        os.close(slave)
    except OSError as error:
        print(f"no pseudo-terminal can be opened ({error}): skipped")
        return SKIPPED
    for path in (arguments.program, arguments.simulator):
        if not path.exists():
            print(f"missing {path}: build tallimo and tallimo-decoder-sim first")
            return SETUP_ERROR
    arguments.screenshots.mkdir(parents=True, exist_ok=True)

    signal.signal(signal.SIGTERM, lambda *_: sys.exit(1))  # still stops the children
    if arguments.keep:
        arguments.keep.mkdir(parents=True)
        return checked(arguments, arguments.keep)
    with tempfile.TemporaryDirectory(prefix="tallimo-board-demo-") as base:
        return checked(arguments, Path(base))


def checked(arguments, base):
    try:
        result = check(arguments, base)
    except SetupError as error:
        print(f"setup error: {error}")
        result = SETUP_ERROR
    except RuntimeError as error:  # the browser's protocol
        print(f"chromium: {error}")
        result = 1
    if result != 0:
        for log in ("program.log", "simulator.log"):
            try:
                lines = (base / log).read_text(errors="replace").splitlines()
            except FileNotFoundError:
                continue
            print(f"--- last lines of {log}")
            print("\n".join(lines[-15:]))
    return result

if __name__ == "__main__":
    sys.exit(main())
