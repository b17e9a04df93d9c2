#!/usr/bin/env python3
"""Writes SynFr97.Atx / SynFr97.Btx, a small stored synthesis of three centres
(4, 9 and 12 with 10, 10 and 20 FIBs) for the golden tests of fibtool
repartition and variabilite. Band c0 holds 5, 2 and 10: 50 %, 20 % and 50 %."""
import struct, sys, os

out = sys.argv[1] if len(sys.argv) > 1 else os.path.dirname(os.path.abspath(__file__))
centres = [(4, 10), (9, 10), (12, 20)]
records = []
for r, (c, n) in enumerate(centres, start=1):
    counts = [(k * 7 + r * 3) % (n + 1) for k in range(183)]
    counts[0] = {4: 5, 9: 2, 12: 10}[c]
    counts[1] = n - counts[0]
    records.append((counts, n))
total = [sum(rec[0][k] for rec in records) % 65536 for k in range(183)]
index = [0] * 1000
index[0] = len(centres)
for r, (c, n) in enumerate(centres, start=1):
    index[c] = r
index[999] = sum(n for _, n in centres)
with open(os.path.join(out, "SynFr97.Atx"), "wb") as f:
    f.write(struct.pack("<1000H", *index))
with open(os.path.join(out, "SynFr97.Btx"), "wb") as f:
    f.write(struct.pack("<183HHI", *total, 0, 0))
    for counts, n in records:
        f.write(struct.pack("<183HHI", *counts, 0, n))
