#!/usr/bin/env python3
"""Fails when a source file includes a header from a floor above its own.

The floors, lowest first: win32, system, content, generate, render and install (side by side),
controls, ui, app. Within ui, only ui/win32 may include ui/win32; within app, the program's own
files sit above its rooms (app/wizard, app/layer), which do not include each other.
"""
import pathlib
import re
import sys

FLOORS = {"win32": 0, "system": 1, "content": 2, "generate": 3, "render": 4, "install": 4,
          "controls": 5, "ui": 6, "app": 7}
ROOMS = ("app/wizard/", "app/layer/")
INCLUDE = re.compile(r'^#include "([^"]+)"', re.MULTILINE)


def faults(source_root):
    for path in sorted(source_root.rglob("*")):
        if path.suffix not in (".h", ".cpp", ".rc"):
            continue
        name = path.relative_to(source_root).as_posix()
        floor = name.split("/")[0]
        if floor not in FLOORS:
            continue
        for included in INCLUDE.findall(path.read_text(encoding="utf-8")):
            target = included.split("/")[0]
            if target not in FLOORS:
                continue
            if FLOORS[target] > FLOORS[floor] or (FLOORS[target] == FLOORS[floor] and target != floor):
                yield f"{name}: includes {included}, a floor above or beside its own"
            elif floor == "ui" and not name.startswith("ui/win32/") and included.startswith("ui/win32/"):
                yield f"{name}: the portable form layer includes its renderer {included}"
            elif any(name.startswith(room) for room in ROOMS):
                own = next(room for room in ROOMS if name.startswith(room))
                other = [room for room in ROOMS if room != own and included.startswith(room)]
                if other:
                    yield f"{name}: one room includes another, {included}"


def main():
    found = list(faults(pathlib.Path(sys.argv[1])))
    for fault in found:
        print(fault)
    print(f"{len(found)} include(s) against the floors")
    return 1 if found else 0


if __name__ == "__main__":
    sys.exit(main())
