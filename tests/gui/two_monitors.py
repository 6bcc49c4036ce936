"""An X display with several monitors side by side, as Wine sees them: Xorg with the dummy video
driver (Debian's xserver-xorg-video-dummy), whose RandR outputs DUMMY0, DUMMY1, ... are given a
mode and a position each. Wine's X11 driver reads the outputs through XRandR, its default, and
reports them as monitors (EnumDisplayMonitors, GetMonitorInfo), the first one primary at (0, 0),
a monitor left of or above it at negative coordinates.

Xvfb cannot do this: its screens all stand at the origin under Xinerama, and it keeps no RandR
monitors of its own. Xorg needs root (the CI and the developers' machines run as root).

Used by the multi-monitor GUI tests; run as a script it starts the display, runs a probe under
Wine and prints what Wine saw:

    python3 tests/gui/two_monitors.py --probe build/windows/tests/gui/monitor_probe.exe \\
        --prefix /tmp/prefix 1024x768+0+0 800x600+1024+0
"""

import argparse
import json
import os
import re
import shutil
import subprocess
import sys
import tempfile
import time

XORG_CONFIG = """\
Section "ServerFlags"
  Option "AutoAddDevices" "false"
  Option "AutoAddGPU" "false"
  Option "DontVTSwitch" "true"
EndSection
Section "Device"
  Identifier "dummy"
  Driver "dummy"
  VideoRam 262144
EndSection
Section "Screen"
  Identifier "screen"
  Device "dummy"
  DefaultDepth 24
  SubSection "Display"
    Depth 24
    Virtual 8192 4096
  EndSubSection
EndSection
"""


class Unavailable(Exception):
    """This machine cannot make the display: the reason says why (a test reports it skipped)."""


def parse_monitor(text):
    """'WIDTHxHEIGHT+X+Y' (X may be negative: '800x600+-800+0') as (width, height, x, y)."""
    match = re.fullmatch(r"(\d+)x(\d+)\+(-?\d+)\+(-?\d+)", text)
    if match is None:
        raise ValueError(f"not a monitor (WIDTHxHEIGHT+X+Y): {text}")
    return tuple(int(part) for part in match.groups())


def modeline(width, height, refresh=60):
    """A mode of that size with plain blanking: the dummy driver shows any timing it is given."""
    h_total, v_total = width + 160, height + 40
    clock = h_total * v_total * refresh / 1e6
    return [f"{clock:.2f}", str(width), str(width + 48), str(width + 80), str(h_total),
            str(height), str(height + 3), str(height + 8), str(v_total)]


class MonitorDisplay:
    """Xorg on a free display number with one dummy output per monitor, the first one primary.
    Positions are in X's coordinates, where the screen's top-left corner is (0, 0); Wine moves
    them so that the primary monitor's top-left corner is its (0, 0)."""

    def __init__(self, monitors):
        self.monitors = [tuple(monitor) for monitor in monitors]
        self.process = None
        self.folder = None
        self.display = None

    def windows_rects(self):
        """Each monitor's rectangle (left, top, right, bottom) as Windows programs see it."""
        _, _, px, py = self.monitors[0]
        return [(x - px, y - py, x - px + w, y - py + h) for w, h, x, y in self.monitors]

    def __enter__(self):
        self.start()
        return self

    def __exit__(self, *exception):
        self.stop()

    def start(self):
        if shutil.which("Xorg") is None:
            raise Unavailable("Xorg is not installed (scripts/install_dependencies.sh installs "
                              "xserver-xorg-core and xserver-xorg-video-dummy)")
        if not os.path.exists("/usr/lib/xorg/modules/drivers/dummy_drv.so"):
            raise Unavailable("the Xorg dummy driver (xserver-xorg-video-dummy) is not installed")
        if os.geteuid() != 0:
            raise Unavailable("Xorg with the dummy driver needs root")
        self.folder = tempfile.mkdtemp(prefix="mirella-monitors-")
        config = os.path.join(self.folder, "xorg.conf")
        with open(config, "w") as file:
            file.write(XORG_CONFIG)
        number = next(n for n in range(90, 200)
                      if not os.path.exists(f"/tmp/.X{n}-lock")
                      and not os.path.exists(f"/tmp/.X11-unix/X{n}"))
        self.display = f":{number}"
        log = open(os.path.join(self.folder, "xorg.out"), "wb")
        self.process = subprocess.Popen(
            ["Xorg", self.display, "-config", config, "-noreset", "-nolisten", "tcp",
             "-logfile", os.path.join(self.folder, "xorg.log"), "-novtswitch", "-sharevts"],
            stdout=log, stderr=subprocess.STDOUT)
        end = time.monotonic() + 30
        while self.xrandr("--current", check=False).returncode != 0:
            if self.process.poll() is not None or time.monotonic() > end:
                self.stop()
                raise Unavailable(f"Xorg did not start on {self.display}: see {self.folder}")
            time.sleep(0.2)
        self.arrange(self.monitors)

    def arrange(self, monitors):
        """Gives the outputs these monitors (the first primary) and turns the others off: a
        change Wine sees as monitors attached, removed or moved."""
        self.monitors = [tuple(monitor) for monitor in monitors]
        arguments = []
        for index in range(16):
            arguments += ["--output", f"DUMMY{index}"]
            if index >= len(monitors):
                arguments.append("--off")
                continue
            width, height, x, y = monitors[index]
            mode = f"mirella{width}x{height}"
            # Fails harmlessly when an earlier arrangement made the mode already.
            self.xrandr("--newmode", mode, *modeline(width, height), check=False)
            self.xrandr("--addmode", f"DUMMY{index}", mode, check=False)
            arguments += ["--mode", mode, "--pos", f"{x}x{y}"]
            if index == 0:
                arguments.append("--primary")
        self.xrandr(*arguments)
        # A full query probes the outputs, so that the server's own record of which are
        # connected, which Wine reads without probing, holds the new ones.
        self.xrandr("--query")

    def xrandr(self, *arguments, check=True):
        result = subprocess.run(["xrandr", "-display", self.display, *arguments],
                                capture_output=True, text=True)
        if check and result.returncode != 0:
            raise RuntimeError(f"xrandr {' '.join(arguments)} failed: {result.stderr.strip()}")
        return result

    def environment(self, base=None):
        """The environment with DISPLAY naming this display."""
        environment = dict(os.environ if base is None else base)
        environment["DISPLAY"] = self.display
        return environment

    def stop(self):
        if self.process is not None and self.process.poll() is None:
            self.process.terminate()
            try:
                self.process.wait(timeout=10)
            except subprocess.TimeoutExpired:
                self.process.kill()
                self.process.wait()
        self.process = None
        if self.folder is not None:
            shutil.rmtree(self.folder, ignore_errors=True)
            self.folder = None


def wine_monitors(probe, environment, wine="wine", expected=None, timeout=30):
    """The monitors Wine reports, as the probe prints them (a JSON list of objects with "rect",
    "work", "dpi" and "primary"). Wine's desktop process takes a moment to see outputs change while
    it runs: with `expected` (rectangles as windows_rects gives them) the probe is run again until
    Wine reports those, or the time is up."""
    end = time.monotonic() + timeout
    while True:
        result = subprocess.run([wine, probe], env=environment, capture_output=True,
                                timeout=120)
        monitors = json.loads(result.stdout.decode() or "[]")
        rects = [tuple(monitor["rect"]) for monitor in monitors]
        if expected is None or sorted(rects) == sorted(expected) or time.monotonic() > end:
            return monitors
        time.sleep(1)


def main():
    parser = argparse.ArgumentParser(description=__doc__,
                                     formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--probe", required=True, help="monitor_probe.exe")
    parser.add_argument("--prefix", required=True, help="a Wine prefix for the probe")
    parser.add_argument("monitors", nargs="+", type=parse_monitor,
                        help="WIDTHxHEIGHT+X+Y, the primary first")
    arguments = parser.parse_args()
    try:
        with MonitorDisplay(arguments.monitors) as display:
            environment = display.environment()
            environment.update({"WINEPREFIX": os.path.abspath(arguments.prefix),
                                "WINEDEBUG": "-all", "WINEDLLOVERRIDES": "mscoree,mshtml="})
            monitors = wine_monitors(arguments.probe, environment,
                                     expected=display.windows_rects())
            print(json.dumps(monitors, indent=1))
            subprocess.run(["wineserver", "-k"], env=environment)
    except Unavailable as reason:
        print(f"unavailable: {reason}", file=sys.stderr)
        return 2
    return 0


if __name__ == "__main__":
    sys.exit(main())
