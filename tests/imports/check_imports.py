"""Fails when desktop.exe would not load or run on the oldest system the program runs on: its PE
header must ask for no newer Windows than that system (subsystem and OS version) and name the GUI
subsystem, and every import must be in the allow-list (per DLL and architecture), at a level no
newer than that system's. Both are read with MinGW's objdump. Standard library only."""

import argparse
import re
import subprocess
import sys

# Windows versions in order, with the version number a PE header gives for each; a function's
# level is the oldest system that exports it. "2003" is Server 2003 and XP x64, Windows 5.2.
LEVELS = {"2000": (5, 0), "XP": (5, 1), "2003": (5, 2), "Vista": (6, 0), "7": (6, 1), "8": (6, 2),
          "8.1": (6, 3), "10": (10, 0), "10-1607": (10, 0), "10-1703": (10, 0), "11": (10, 0)}
ORDER = list(LEVELS)
ARCHITECTURES = {"pei-i386": "x86", "pei-x86-64": "x64"}
GUI_SUBSYSTEM = 2
TERMINAL_SERVER_AWARE = 0x8000  # a DllCharacteristics flag


def parse_allow_list(path, architecture):
    """{dll: {function: level}} from the allow-list file: the entries for every architecture and
    those marked for `architecture`."""
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
            entry, bar, why = line.partition("|")
            fields = entry.split()
            if (dll is None or len(fields) not in (2, 3) or fields[1] not in LEVELS
                    or fields[2:] not in ([], ["x86"], ["x64"]) or (bar and not why.strip())):
                sys.exit(f"{path}:{number}: expected 'Function Level [x86|x64] [| why]' under a "
                         f"[dll.dll] line, with a level among {', '.join(LEVELS)}: {line!r}")
            if fields[2:] in ([], [architecture]):
                allowed[dll][fields[0]] = fields[1]
    return allowed


def read_header(output):
    """{field: value} of the PE optional header as objdump -p lists it, with the architecture."""
    header = {}
    file_format = re.search(r"file format (\S+)", output)
    header["architecture"] = ARCHITECTURES.get(file_format.group(1)) if file_format else None
    for field in ("MajorSubsystemVersion", "MinorSubsystemVersion", "MajorOSystemVersion",
                  "MinorOSystemVersion", "Subsystem", "DllCharacteristics"):
        value = re.search(rf"^{field}\s+([0-9a-fA-F]+)", output, re.MULTILINE)
        if value is None:
            sys.exit(f"objdump -p printed no {field}: is it a Windows program?")
        # objdump prints the versions in decimal and the other fields in hexadecimal.
        header[field] = int(value.group(1), 10 if "Version" in field else 16)
    return header


def header_problems(header, architecture, minimum):
    """What in the header keeps the program from loading as a GUI program on `minimum`."""
    problems = []
    if header["architecture"] != architecture:
        problems.append(f"built for {header['architecture']}, not for {architecture}")
    oldest = LEVELS[minimum]
    for name, prefix, effect in (("subsystem version", "Subsystem", ", which refuses to load it"),
                                 ("OS version", "OSystem", "")):
        version = (header[f"Major{prefix}Version"], header[f"Minor{prefix}Version"])
        if version > oldest:
            problems.append(f"{name} {version[0]}.{version[1]} is newer than Windows {minimum}'s "
                            f"{oldest[0]}.{oldest[1]}{effect}")
    if header["Subsystem"] != GUI_SUBSYSTEM:
        problems.append(f"subsystem {header['Subsystem']}, not the Windows GUI "
                        f"({GUI_SUBSYSTEM}): a console opens with the program")
    if not header["DllCharacteristics"] & TERMINAL_SERVER_AWARE:
        problems.append("not terminal-server aware: a terminal server maps its INI files and "
                        "registry keys per user")
    return problems


def read_imports(output):
    """[(dll, function)] as objdump -p lists them; an import by ordinal gets '#<ordinal>'."""
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


def import_problems(imports, allowed, architecture, minimum):
    problems = []
    for dll, function in imports:
        level = allowed.get(dll, {}).get(function)
        if level is None:
            problems.append(f"{dll} {function}: not in the allow-list for {architecture}")
        elif ORDER.index(level) > ORDER.index(minimum):
            problems.append(f"{dll} {function}: needs Windows {level}, newer than "
                            f"Windows {minimum}")
    return problems


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--objdump", required=True)
    parser.add_argument("--program", required=True, help="desktop.exe")
    parser.add_argument("--allowed", required=True, help="the allow-list")
    parser.add_argument("--architecture", required=True, choices=sorted(ARCHITECTURES.values()))
    parser.add_argument("--minimum", required=True, choices=ORDER,
                        help="the oldest system the program runs on")
    arguments = parser.parse_args()

    output = subprocess.run([arguments.objdump, "-p", arguments.program], capture_output=True,
                            text=True, check=True).stdout
    failed = False
    problems = header_problems(read_header(output), arguments.architecture, arguments.minimum)
    if problems:
        print(f"The header of {arguments.program} does not suit Windows {arguments.minimum} "
              "(see the link options of desktop in src/CMakeLists.txt):")
        for problem in problems:
            print("  " + problem)
        failed = True

    allowed = parse_allow_list(arguments.allowed, arguments.architecture)
    imports = read_imports(output)
    if not imports:
        sys.exit(f"no imports found in {arguments.program}: is it a Windows program?")
    problems = import_problems(imports, allowed, arguments.architecture, arguments.minimum)
    if problems:
        print(f"{arguments.program} imports what Windows {arguments.minimum} may not have "
              "(look it up at run time, see src/win32/newer_functions.h, or add it to "
              f"{arguments.allowed} with the oldest system that exports it):")
        for problem in problems:
            print("  " + problem)
        failed = True
    if failed:
        sys.exit(1)
    dlls = sorted({dll for dll, _ in imports})
    print(f"{arguments.architecture}: the header asks for Windows {arguments.minimum} at most; "
          f"{len(imports)} imports from {len(dlls)} DLLs, all known on Windows "
          f"{arguments.minimum}: {', '.join(dlls)}")


if __name__ == "__main__":
    main()
