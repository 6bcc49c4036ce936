"""Fails when desktop.exe imports a function that is not known to exist on the oldest system the
program runs on: every import must be in the allow-list (per DLL), at a level no newer than that
system's. The imports are read with MinGW's objdump. Standard library only."""

import argparse
import re
import subprocess
import sys

# Windows versions in order; a function's level is the "Minimum supported client" of its docs.
LEVELS = ["2000", "XP", "Vista", "7", "8", "8.1", "10", "10-1607", "10-1703", "11"]


def parse_allow_list(path):
    """{dll: {function: (level, why)}} from the allow-list file."""
    allowed = {}
    dll = None
    with open(path, encoding="utf-8") as file:
        for number, raw in enumerate(file, start=1):
            line = raw.strip()
            if not line or line.startswith("#"):
                continue
            section = re.fullmatch(r"\[(.+)\]", line)
            if section:
                dll = section.group(1).lower()
                allowed.setdefault(dll, {})
                continue
            entry, _, why = line.partition("|")
            fields = entry.split()
            if dll is None or len(fields) != 2 or fields[1] not in LEVELS:
                sys.exit(f"{path}:{number}: expected 'Function Level [| why]' under a [dll.dll] "
                         f"line, with a level among {', '.join(LEVELS)}: {line!r}")
            allowed[dll][fields[0]] = (fields[1], why.strip())
    return allowed


def read_imports(objdump, program):
    """[(dll, function)] as objdump -p lists them; an import by ordinal gets '#<ordinal>'."""
    output = subprocess.run([objdump, "-p", program], capture_output=True, text=True,
                            check=True).stdout
    imports = []
    dll = None
    for line in output.splitlines():
        name = re.match(r"\s*DLL Name: (\S+)", line)
        if name:
            dll = name.group(1).lower()
            continue
        if dll is None:
            continue
        if not line.strip():
            continue
        by_name = re.match(r"\t[0-9a-f]+\t +\d+ +(\S+)", line)
        by_ordinal = re.match(r"\t[0-9a-f]+\t +(\d+)\s*$", line)
        if by_name:
            imports.append((dll, by_name.group(1)))
        elif by_ordinal:
            imports.append((dll, "#" + by_ordinal.group(1)))
        elif not line.startswith("\t"):
            dll = None  # the end of the import tables
    return imports


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--objdump", required=True)
    parser.add_argument("--program", required=True, help="desktop.exe")
    parser.add_argument("--allowed", required=True, help="the allow-list")
    parser.add_argument("--minimum", default="XP", choices=LEVELS,
                        help="the oldest system the program runs on")
    arguments = parser.parse_args()

    allowed = parse_allow_list(arguments.allowed)
    imports = read_imports(arguments.objdump, arguments.program)
    if not imports:
        sys.exit(f"no imports found in {arguments.program}: is it a Windows program?")
    oldest = LEVELS.index(arguments.minimum)
    problems = []
    for dll, function in imports:
        known = allowed.get(dll, {}).get(function)
        if known is None:
            problems.append(f"{dll} {function}: not in the allow-list")
        elif LEVELS.index(known[0]) > oldest and not known[1]:
            problems.append(f"{dll} {function}: needs Windows {known[0]}, newer than "
                            f"Windows {arguments.minimum}")
    if problems:
        print(f"{arguments.program} imports what Windows {arguments.minimum} may not have "
              "(look it up at run time, see src/win32/newer_functions.h, or add it to "
              f"{arguments.allowed} with its documented minimum):")
        for problem in problems:
            print("  " + problem)
        sys.exit(1)
    dlls = sorted({dll for dll, _ in imports})
    print(f"{len(imports)} imports from {len(dlls)} DLLs, all known on Windows "
          f"{arguments.minimum}: {', '.join(dlls)}")


if __name__ == "__main__":
    main()
