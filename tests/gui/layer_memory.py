"""What the desktop layer costs while nothing happens, beside a bare Win32 window in the same Wine
prefix and virtual desktop (1024 x 768): Windows' counters of each process (PrivateUsage,
WorkingSetSize, read by layer_probe.exe), Linux's view of each wine process (RssAnon, Pss_Anon)
and the CPU ticks each spends over an idle minute. A measure to run by hand, not a test:

  xvfb-run -a python3 tests/gui/layer_memory.py --build build/windows [--idle 60]
"""

import argparse
import os
import shutil
import sys
import time

sys.path.insert(0, os.path.dirname(__file__))
from mirella_gui import Wine, fresh_program_folder, wait_for  # noqa: E402
from test_layer import layer_processes  # noqa: E402
from test_restore import VirtualDesktop  # noqa: E402


def processes_named(name):
    found = []
    for pid in filter(str.isdigit, os.listdir("/proc")):
        try:
            with open(f"/proc/{pid}/cmdline", "rb") as file:
                if name in file.read().lower():
                    found.append(int(pid))
        except OSError:
            pass
    return found


def linux_view(pid):
    """RssAnon of /proc/<pid>/status and Pss_Anon of smaps_rollup, in kB."""
    values = {}
    for path, key in ((f"/proc/{pid}/status", "RssAnon"), (f"/proc/{pid}/smaps_rollup",
                                                             "Pss_Anon")):
        with open(path) as file:
            for line in file:
                if line.startswith(key + ":"):
                    values[key] = int(line.split()[1])
    return values


def cpu_ticks(pid):
    with open(f"/proc/{pid}/stat") as file:
        fields = file.read().rsplit(")", 1)[1].split()
    return int(fields[11]) + int(fields[12])  # utime and stime


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--build", required=True, help="the windows build folder")
    parser.add_argument("--program", help="the program folder measured (the build's by default)")
    parser.add_argument("--idle", type=int, default=60, help="seconds of idle CPU measured")
    arguments = parser.parse_args()
    build = os.path.abspath(arguments.build)
    helpers = os.path.join(build, "tests", "gui")
    work = os.path.join(helpers, "work", "layer_memory")
    wine = Wine(os.path.join(helpers, "wineprefix"))
    wine.prepare_prefix()
    wine.shut_down()
    program = arguments.program or os.path.join(build, "program")
    folder, windows_folder = fresh_program_folder(program, os.path.join(work, "program"))
    for helper in ("layer_apply.exe", "layer_probe.exe", "minimal_window.exe"):
        shutil.copy(os.path.join(helpers, helper), os.path.join(folder, helper.encode()))
    result = os.path.join(work, "apply-result.txt")
    desktop = VirtualDesktop(wine)
    try:
        desktop.start(windows_folder + "\\layer_apply.exe", Wine.windows_path(result))
        wait_for("the layer", lambda: len(layer_processes(wine)) == 1, 90)
        desktop.start(windows_folder + "\\minimal_window.exe")
        wait_for("the bare window", lambda: processes_named(b"minimal_window.exe"), 30)
        time.sleep(5)  # both have painted and settled
        programs = {"layer": (layer_processes(wine)[0], "MirellaDesktopLayer"),
                    "bare window": (processes_named(b"minimal_window.exe")[0],
                                    "MirellaMinimalWindow")}
        before = {name: cpu_ticks(pid) for name, (pid, _) in programs.items()}
        time.sleep(arguments.idle)
        for name, (pid, window_class) in programs.items():
            counters = os.path.join(work, "counters.txt")
            if os.path.exists(counters):
                os.remove(counters)
            desktop.start(windows_folder + "\\layer_probe.exe", "--to", Wine.windows_path(counters),
                          "memory", window_class)
            wait_for("the probe", lambda: os.path.exists(counters), 30)
            time.sleep(0.5)
            with open(counters) as file:
                fields = file.read().split()
            windows = dict(zip(fields[0::2], (int(value) // 1024 for value in fields[1::2])))
            idle = cpu_ticks(pid) - before[name]
            print(f"{name:12} PrivateUsage {windows['private']:6} kB  PagefileUsage "
                  f"{windows['pagefile']:6} kB  WorkingSet {windows['working-set']:6} kB  " +
                  "  ".join(f"{key} {value:6} kB" for key, value in linux_view(pid).items()) +
                  f"  idle CPU {idle} ticks in {arguments.idle} s", flush=True)
    finally:
        wine.shut_down()


if __name__ == "__main__":
    main()
