#!/usr/bin/env python3
"""Fails when an include under src/ runs against the layers of the program.

Each folder below src/ has a rank; a file may include from a lower rank or from its own
folder. Pages never include each other, code outside a ui/ folder never includes widget code,
and no two folders may include each other, however indirectly. Usage: check-includes.py SRC
"""
import os
import re
import sys

RANKS = {
    "platform": 0,
    "vocfile": 1, "widgets": 1, "uilang": 1,
    "repetition": 2, "exchange": 2, "print": 2,
    "units": 3, "input": 3, "logbook": 3, "voctest": 3,
    "app": 4, "cli": 4, "sqliteext": 4,
}
PAGES = {folder for folder, rank in RANKS.items() if rank == 3}
# Q_MOC_INCLUDE names a header the generated code includes for the file.
INCLUDE = re.compile(r'^\s*(?:#\s*include\s+|Q_MOC_INCLUDE\()"([^"]+)"', re.MULTILINE)


def is_widget_code(parts):
    return parts[0] == "widgets" or "ui" in parts[1:-1]


def includes(src):
    for folder, _, files in os.walk(src):
        for name in sorted(files):
            if not name.endswith((".h", ".cpp")):
                continue
            path = os.path.join(folder, name)
            parts = os.path.relpath(path, src).split(os.sep)
            if len(parts) < 2:
                continue  # main.cpp stands above every folder
            with open(path, encoding="utf-8", errors="replace") as f:
                for target in INCLUDE.findall(f.read()):
                    yield "/".join(parts), parts, target, target.split("/")


def problems(src):
    found, edges = [], {}
    for where, parts, target, tparts in includes(src):
        if len(tparts) < 2 or not os.path.exists(os.path.join(src, target)):
            continue  # a header beside the file, a generated or a system one
        here, there = parts[0], tparts[0]
        if here not in RANKS or there not in RANKS:
            found.append(f"{where}: folder without a rank ({here if here not in RANKS else there})")
            continue
        if not is_widget_code(parts) and is_widget_code(tparts):
            found.append(f"{where}: includes widget code {target} from outside a ui/ folder")
        if here == there:
            continue
        edges.setdefault(here, set()).add(there)
        if here == "cli" and there == "app" and "ui" in tparts:
            found.append(f"{where}: the command-line tool includes the window's {target}")
        if RANKS[there] > RANKS[here]:
            found.append(f"{where}: includes {target} from a higher layer ({here} {RANKS[here]} < {there} {RANKS[there]})")
        elif here in PAGES and there in PAGES:
            found.append(f"{where}: one page includes another ({target})")
    found += [f"folders include each other: {' -> '.join(cycle)}" for cycle in cycles(edges)]
    return found


def cycles(edges):
    """One cycle per strongly connected group of folders."""
    index, low, stack, on_stack, result, counter = {}, {}, [], set(), [], [0]

    def visit(node):
        index[node] = low[node] = counter[0]
        counter[0] += 1
        stack.append(node)
        on_stack.add(node)
        for nxt in sorted(edges.get(node, ())):
            if nxt not in index:
                visit(nxt)
                low[node] = min(low[node], low[nxt])
            elif nxt in on_stack:
                low[node] = min(low[node], index[nxt])
        if low[node] == index[node]:
            group = []
            while True:
                member = stack.pop()
                on_stack.discard(member)
                group.append(member)
                if member == node:
                    break
            if len(group) > 1:
                result.append(sorted(group) + [sorted(group)[0]])

    for node in sorted(edges):
        if node not in index:
            visit(node)
    return result


def main():
    if len(sys.argv) != 2 or not os.path.isdir(sys.argv[1]):
        print("usage: check-includes.py SRC_FOLDER", file=sys.stderr)
        return 2
    found = problems(sys.argv[1])
    for line in found:
        print(line)
    if found:
        print(f"{len(found)} include(s) against the layers", file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
