#!/usr/bin/env python3
"""Sets the benchmark's tab-separated figures of several builds side by side.

    bench_table.py i686=build/bench-i686.tsv x86_64=build/bench-x86_64.tsv
"""
import sys


def read(path):
    rows, targets, notes = [], [], []
    with open(path, encoding="utf-8") as f:
        for line in f:
            kind, *fields = line.rstrip("\n").split("\t")
            {"row": rows, "target": targets, "note": notes}.get(kind, []).append(fields)
    return rows, targets, notes


def table(header, lines):
    widths = [max(len(str(c)) for c in col) for col in zip(header, *lines)]
    out = ["  ".join(str(c).ljust(w) if i == 0 else str(c).rjust(w)
                     for i, (c, w) in enumerate(zip(cells, widths))).rstrip()
           for cells in [header, ["-" * w for w in widths], *lines]]
    return "\n".join(out)


def main(args):
    builds = [a.split("=", 1) for a in args]
    data = {name: read(path) for name, path in builds}
    names = [name for name, _ in builds]
    first = data[names[0]]

    print("Targets: the skin as a multiple of a reference measured in the same run\n")
    header = ["figure", "reference"] + [f"{n} ratio" for n in names] + ["bound"] + [n for n in names]
    lines = []
    for i, (figure, reference, _, bound, _) in enumerate(first[1]):
        per = [data[n][1][i] for n in names]
        lines.append([figure, reference] + [p[2] for p in per] + [bound] + [p[4] for p in per])
    print(table(header, lines))

    print("\nTimes on this machine under Wine (information only) and the skin's own calls per operation\n")
    header = ["operation"]
    for n in names:
        header += [f"{n} skinned", f"{n} unskinned"]
    header += ["prop rd", "prop wr", "GDI+"]
    lines = []
    for i, row in enumerate(first[0]):
        per = [data[n][0][i] for n in names]
        cells = [row[0]]
        for p in per:
            cells += [p[1], p[2]]
        # The counts are the same in every build; a difference would be news.
        for k in (3, 4, 5):
            values = sorted({p[k] for p in per}, key=[p[k] for p in per].index)
            cells.append(" / ".join(values))
        lines.append(cells)
    print(table(header, lines))
    print()
    for n in names:
        for note in data[n][2]:
            print(f"{n}: {note[0]}")


if __name__ == "__main__":
    main(sys.argv[1:])
