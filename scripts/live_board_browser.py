#!/usr/bin/env python3
"""Opens the drivers' board page in Debian's chromium, headless, and checks it.

chromium's --dump-dom returns as soon as the page has loaded, before the
first server-sent event, and --virtual-time-budget never ends while the
stream is open; so the page is driven through the DevTools protocol over a
pipe (--remote-debugging-pipe, no extra package): the script waits until the
page's text holds every --expect text, optionally waits for --expect-change
(the board changing after a lap), and can write screenshots.

Exit 0 when everything expected was seen in time, 1 otherwise, 77 when
chromium is not installed (the test counts that as skipped).
"""

import argparse
import base64
import json
import os
import shutil
import subprocess
import sys
import tempfile
import time

SKIPPED = 77


class Browser:
    def __init__(self, chromium, profile):
        to_child_read, self._to_child = os.pipe()
        self._from_child, from_child_write = os.pipe()

        def plumb():
            # Moved out of the way first: the pipes may already be 3 and 4,
            # and dup2 onto itself would leave them closed at exec.
            read_end = os.dup(to_child_read) if to_child_read < 5 else to_child_read
            write_end = os.dup(from_child_write) if from_child_write < 5 else from_child_write
            os.dup2(read_end, 3)
            os.dup2(write_end, 4)

        self.process = subprocess.Popen(
            [chromium, "--headless=new", "--disable-gpu", "--no-sandbox", "--no-first-run",
             "--remote-debugging-pipe", "--user-data-dir=" + profile, "about:blank"],
            preexec_fn=plumb, close_fds=False,  # dup2 leaves only fds 3 and 4 inheritable
            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(to_child_read)
        os.close(from_child_write)
        self._buffer = b""
        self._next_id = 0

    def call(self, method, params=None, session=None, timeout=15.0):
        self._next_id += 1
        message = {"id": self._next_id, "method": method, "params": params or {}}
        if session:
            message["sessionId"] = session
        os.write(self._to_child, json.dumps(message).encode() + b"\0")
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline:
            while b"\0" in self._buffer:
                raw, self._buffer = self._buffer.split(b"\0", 1)
                reply = json.loads(raw)
                if reply.get("id") == self._next_id:
                    if "error" in reply:
                        raise RuntimeError(f"{method}: {reply['error']}")
                    return reply.get("result", {})
            chunk = os.read(self._from_child, 1 << 16)
            if not chunk:
                raise RuntimeError("chromium closed the pipe")
            self._buffer += chunk
        raise RuntimeError(f"{method}: no answer within {timeout} s")

    def close(self):
        try:
            self.call("Browser.close", timeout=5)
        except (RuntimeError, OSError):
            pass
        try:
            self.process.wait(timeout=10)
        except subprocess.TimeoutExpired:
            self.process.kill()
            self.process.wait()


def page_text(browser, session):
    result = browser.call("Runtime.evaluate",
                          {"expression": "document.body ? document.body.innerText : ''",
                           "returnByValue": True}, session)
    return result.get("result", {}).get("value", "")


def wait_for(browser, session, predicate, seconds):
    deadline = time.monotonic() + seconds
    text = ""
    while time.monotonic() < deadline:
        text = page_text(browser, session)
        if predicate(text):
            return True, text
        time.sleep(0.02)
    return False, text


def screenshot(browser, session, width, height, path):
    browser.call("Emulation.setDeviceMetricsOverride",
                 {"width": width, "height": height, "deviceScaleFactor": 1,
                  "mobile": width < 700}, session)
    time.sleep(0.3)  # lets the page lay itself out at the new size
    data = browser.call("Page.captureScreenshot", {"format": "png"}, session)["data"]
    with open(path, "wb") as out:
        out.write(base64.b64decode(data))


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("url")
    parser.add_argument("--expect", action="append", default=[],
                        help="text the page must show (repeatable)")
    parser.add_argument("--expect-change", type=float, default=0,
                        help="then wait at most this many seconds for the board to change")
    parser.add_argument("--timeout", type=float, default=10)
    parser.add_argument("--screenshot", action="append", default=[], metavar="WxH:PATH")
    parser.add_argument("--print-text", action="store_true")
    args = parser.parse_args()

    chromium = shutil.which("chromium")
    if chromium is None:
        print("chromium is not installed: skipped")
        return SKIPPED

    with tempfile.TemporaryDirectory(prefix="tallimo-board-chromium-") as profile:
        browser = Browser(chromium, profile)
        try:
            target = browser.call("Target.createTarget", {"url": args.url})["targetId"]
            session = browser.call("Target.attachToTarget",
                                   {"targetId": target, "flatten": True})["sessionId"]
            started = time.monotonic()
            seen, text = wait_for(browser, session,
                                  lambda t: t and all(e in t for e in args.expect), args.timeout)
            if not seen:
                print("page never showed:", [e for e in args.expect if e not in text])
                print(text)
                return 1
            print(f"page showed the board after {time.monotonic() - started:.2f} s")
            if args.expect_change > 0:
                before = text
                changed_at = time.monotonic()
                changed, text = wait_for(browser, session, lambda t: t != before,
                                         args.expect_change)
                if not changed:
                    print(f"the board did not change within {args.expect_change} s")
                    return 1
                print(f"the board changed after {time.monotonic() - changed_at:.3f} s")
            for shot in args.screenshot:
                size, path = shot.split(":", 1)
                width, height = (int(v) for v in size.lower().split("x"))
                screenshot(browser, session, width, height, path)
                print("screenshot", path)
            if args.print_text:
                print(text)
            return 0
        finally:
            browser.close()


if __name__ == "__main__":
    sys.exit(main())
