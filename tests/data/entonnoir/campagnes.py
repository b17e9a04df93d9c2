#!/usr/bin/env python3
"""Writes SynFr96 and SynFr97 (.Atx / .Btx), two small campaigns of the same
centres for the golden tests of fibtool entonnoir, alertes and evolution.
Centre 2 has no FIB; centre 20 takes part in 1997 only; in 1997 centre 12 is
well above the country on band c0 (line 3), centre 33 well below on c68
(line 107) and centre 20 has none of its 15 FIBs in c5 (line 10)."""
import struct, sys, os

out = sys.argv[1] if len(sys.argv) > 1 else os.path.dirname(os.path.abspath(__file__))

def campaign(name, centres, shift):
    records = []
    for c, n in centres:
        counts = []
        for k in range(183):
            p = ((k * 37 + shift) % 90 + 5) / 100.0
            counts.append(int(n * p + 0.5) if n else 0)
        if name.endswith("97"):
            if c == 12: counts[0] = min(n, counts[0] + n * 15 // 100)
            if c == 33: counts[68] = max(0, counts[68] - n // 10)
            if c == 20: counts[5] = 0
        records.append((c, counts, n))
    total = [sum(r[1][k] for r in records) % 65536 for k in range(183)]
    index = [0] * 1000
    index[0] = len(records)
    for i, (c, _, _) in enumerate(records, start=1):
        index[c] = i
    index[999] = sum(n for _, _, n in records)
    with open(os.path.join(out, name + ".Atx"), "wb") as f:
        f.write(struct.pack("<1000H", *index))
    with open(os.path.join(out, name + ".Btx"), "wb") as f:
        f.write(struct.pack("<183HHI", *total, 0, 0))
        for _, counts, n in records:
            f.write(struct.pack("<183HHI", *counts, 0, n))

campaign("SynFr96", [(2, 0), (4, 36), (9, 110), (12, 280), (33, 470)], 3)
campaign("SynFr97", [(2, 0), (4, 40), (9, 120), (12, 300), (20, 15), (33, 500)], 0)
