#!/usr/bin/env python3
"""Writes the bundled example: a session file with booked karts and a list of
passings for them, reproducibly (a fixed random seed)."""

import pathlib
import random

ROOT = pathlib.Path(__file__).resolve().parent.parent / "examples"

CATEGORIES = ["Adultes", "Juniors", "", "", "", "Karts priv\u00e9s"]
BOOKINGS = {
    # (category, slot): (transponder, surname, first name, minutes, price)
    (0, 0): ("004711", "Durand", "Lucie", 10, 18),
    (0, 1): ("004712", "Lef\u00e8vre", "Fr\u00e9d\u00e9ric", 10, 18),
    (0, 2): ("004713", "M\u00fcller", "J\u00fcrgen", 5, 10),
    (0, 4): ("004715", "Garc\u00eda", "Mar\u00eda", 10, 18),
    (1, 0): ("005101", "Rossi", "Chiara", 8, 12),
    (1, 1): ("005102", "Concei\u00e7\u00e3o", "Jo\u00e3o", 8, 12),
    (5, 0): ("000777", "Bernard", "Maximilien", 15, 0),
}
FREE = [(0, 3), (1, 2)]
MEAN_LAP_MS = {"004711": 41800, "004712": 43200, "004713": 47500, "004715": 44100,
               "005101": 49800, "005102": 51200, "000777": 39900}


def kart_label(category, slot):
    return f"KP{slot + 1}" if category == 5 else f"K{category * 100 + slot + 1}"


def session_file():
    out = ["0\t10000\t\n", "\n", "Circuit des Pins\t12\t\n", "\n"]
    for c, name in enumerate(CATEGORIES):
        out.append(f"{name}\t\n")
        for k in range(30):
            label = kart_label(c, k) if name else ""
            transponder, surname, first, minutes, price = "", "", "", 0, 0
            usage, state, paid = 0, 0, 0
            if (c, k) in BOOKINGS:
                transponder, surname, first, minutes, price = BOOKINGS[(c, k)]
                usage, state, paid = 1, 2, 1
            elif (c, k) in FREE:
                usage, state = 1, 1
            fields = [label, transponder, surname, first, "", usage, state, minutes, 0, price,
                      -1, paid, 0, 0, 0, 0, 0, 0]
            out.append("".join(f"{f}\t" for f in fields) + "\n")
        out.append("\n")
    return "".join(out)


def passings():
    rng = random.Random(20261206)
    events = []
    for transponder, mean in MEAN_LAP_MS.items():
        t = 3000 + rng.randrange(0, 25000)
        for lap in range(16):
            events.append((t, transponder))
            if rng.random() < 0.15:  # reported twice within one pass
                events.append((t + rng.randrange(80, 600), transponder))
            t += mean + rng.randrange(-1500, 1500)
    events.append((60000, "009999"))  # a kart that is not in the session
    events.sort()
    lines = ["# transponder<TAB>time in ms since the clock started\n"]
    lines += [f"{tr}\t{t}\n" for t, tr in events]
    return "".join(lines)


if __name__ == "__main__":
    ROOT.mkdir(exist_ok=True)
    (ROOT / "demo-session.rent").write_bytes(session_file().encode("cp1252"))
    (ROOT / "demo-passings.txt").write_text(passings(), encoding="ascii")
