"""The multi-monitor set-up the GUI tests rely on: under Xorg's dummy driver Wine reports two
monitors side by side, the primary at (0, 0), then a monitor left of the primary at negative
coordinates once the outputs move, and one monitor once the second is turned off."""

import argparse
import os
import subprocess
import sys

from two_monitors import MonitorDisplay, Unavailable, wine_monitors


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--probe", required=True)
    parser.add_argument("--prefix", required=True)
    arguments = parser.parse_args()
    try:
        display = MonitorDisplay([(1280, 1024, 0, 0), (1024, 768, 1280, 0)])
        display.start()
    except Unavailable as reason:
        print(f"SKIPPED: {reason}")
        return 77
    environment = display.environment()
    environment.update({"WINEPREFIX": os.path.abspath(arguments.prefix), "WINEDEBUG": "-all",
                        "WINEDLLOVERRIDES": "mscoree,mshtml="})
    failures = []
    try:
        arrangements = [
            [(1280, 1024, 0, 0), (1024, 768, 1280, 0)],  # the second right of the primary
            [(1280, 1024, 800, 0), (800, 600, 0, 0)],  # the second left of it: negative x
            [(1280, 1024, 0, 0)],  # the second removed
        ]
        for monitors in arrangements:
            display.arrange(monitors)
            expected = display.windows_rects()
            seen = wine_monitors(arguments.probe, environment, expected=expected)
            rects = [tuple(monitor["rect"]) for monitor in seen]
            primaries = [tuple(monitor["rect"]) for monitor in seen if monitor["primary"]]
            print(f"X outputs {monitors}: Wine reports {seen}")
            if sorted(rects) != sorted(expected) or primaries != [expected[0]]:
                failures.append(f"expected {expected} (the first primary), Wine reported {seen}")
    finally:
        subprocess.run(["wineserver", "-k"], env=environment, capture_output=True)
        subprocess.run(["wineserver", "-w"], env=environment, capture_output=True)
        display.stop()
    for failure in failures:
        print(f"FAILED: {failure}")
    if not failures:
        print("PASSED")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
