"""Two monitors under Wine: the set-up, then the picture desktop on them.

Under Xorg's dummy driver Wine reports two monitors side by side, the primary at (0, 0), then a
monitor left of the primary at negative coordinates once the outputs move, and one monitor once
the second is turned off.

With a monitor left of the primary, Apply (run by layer_apply.exe with the program's renderer)
sets one picture the size of the virtual screen, tiled (Wine has no per-monitor wallpaper
object). Wine's desktop paints no wallpaper onto the X screen, so the picture set is read from
its file: tiled from the primary's corner, the primary sees the page with its navy bars, the
monitor left of it only the page's background. When the primary's resolution changes, and when
the left monitor is taken off the desktop and put back, the layer Apply started draws the
pictures anew for the monitors as they are and sets them, and `/restore /quiet` then puts the
old wallpaper and its values back."""

import argparse
import os
import shutil
import struct
import subprocess
import sys

from mirella_gui import Wine, fresh_program_folder, wait_for
from two_monitors import MonitorDisplay, Unavailable, modeline, wine_monitors

DESKTOP_KEY = "Control Panel\\Desktop"


def read_bmp(path):
    """A 24-bit BMP as (width, height, pixel(x, y) -> (r, g, b)), rows counted from the top."""
    with open(path, "rb") as file:
        data = file.read()
    offset, = struct.unpack_from("<I", data, 10)
    width, height, _, bits = struct.unpack_from("<iiHH", data, 18)
    assert bits == 24 and height > 0, f"{path}: not a bottom-up 24-bit BMP"
    stride = (width * 3 + 3) & ~3

    def pixel(x, y):
        at = offset + (height - 1 - y) * stride + x * 3
        return data[at + 2], data[at + 1], data[at]
    return width, height, pixel


def most_navy_row(pixel, rect):
    """The highest share of the bars' navy in any row of `rect` (their pictures lighten it)."""
    left, top, right, bottom = rect
    best = 0.0
    for y in range(top, bottom, 3):
        points = [pixel(x, y) for x in range(left, right, 4)]
        share = sum(1 for r, g, b in points if r < 60 and g < 60 and b > 90) / len(points)
        best = max(best, share)
    return best


def check_arrangements(display, arguments, environment, failures):
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


def check_redrawn(arguments, wine, path, change, failures):
    """The picture drawn anew fits the monitors Wine reports now: one monitor's picture of its
    size, stretched, or one tiled over the virtual screen with the page on the primary's part
    and the background alone on the left monitor's."""
    width, height, pixel = read_bmp(path)
    screen = wine_monitors(arguments.probe, wine.environment)
    left_edge = min(monitor["rect"][0] for monitor in screen)
    right_edge = max(monitor["rect"][2] for monitor in screen)
    bottom_edge = max(monitor["rect"][3] for monitor in screen)
    primary_rect = next(monitor["rect"] for monitor in screen if monitor["primary"])
    primary = most_navy_row(pixel, (0, 0, primary_rect[2], primary_rect[3]))
    left = most_navy_row(pixel, (width - 800, 0, width, 600)) if len(screen) > 1 else 0
    values = (wine.registry_value(DESKTOP_KEY, "WallpaperStyle"),
              wine.registry_value(DESKTOP_KEY, "TileWallpaper"))
    print(f"after {change}, Wine reports {screen}; the picture is {width} x {height}, style and "
          f"tile {values}, the most navy row {primary:.2f} / {left:.2f}")
    fitting = ("0", "1") if len(screen) > 1 else ("2", "0")
    if (width, height) != (right_edge - left_edge, bottom_edge) or primary < 0.5 \
            or left > 0.1 or values != fitting:
        failures.append(f"the pictures drawn anew after {change} do not fit the monitors")


def check_pictures(display, arguments, wine, failures):
    display.arrange([(1280, 1024, 800, 0), (800, 600, 0, 0)])
    expected = display.windows_rects()  # the primary at (0, 0), the other at (-800, 0)
    wine_monitors(arguments.probe, wine.environment, expected=expected)
    work = os.path.abspath(arguments.work)
    folder, windows_folder = fresh_program_folder(arguments.program, os.path.join(work, "program"))
    shutil.copy(arguments.apply_helper, os.path.join(folder, b"layer_apply.exe"))
    user = wine.user_folder()
    for leftover in (os.path.join(user, "AppData", "Roaming", "Mirella"),
                     os.path.join(user, "AppData", "Local", "Mirella")):
        shutil.rmtree(leftover, ignore_errors=True)
    old_picture = os.path.join(work, "old.bmp")
    with open(old_picture, "wb") as file:
        file.write(b"BM" + struct.pack("<IHHIIiiHHIIiiII", 54 + 48, 0, 0, 54, 40, 4, 4, 1, 24, 0,
                                       48, 3780, 3780, 0, 0) + b"\x30\x30\xc8" * 16)
    wine.set_registry_value(DESKTOP_KEY, "Wallpaper", Wine.windows_path(old_picture))
    wine.set_registry_value(DESKTOP_KEY, "WallpaperStyle", "2")
    wine.delete_registry_value(DESKTOP_KEY, "TileWallpaper")

    result = os.path.join(work, "apply-result.txt")
    if os.path.exists(result):
        os.remove(result)
    helper = subprocess.Popen([wine.command, os.path.join(folder, b"layer_apply.exe"),
                               Wine.windows_path(result)], env=wine.environment,
                              stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    try:
        wait_for("the helper's Apply", lambda: os.path.exists(result), 90)
    finally:
        # It stays to keep a virtual desktop open, which this display does not need.
        helper.kill()
        helper.wait()
    with open(result, encoding="utf-8") as file:
        outcome = file.readline().strip()
    if outcome != "applied":
        failures.append(f"Apply on two monitors: {outcome}")
        return
    wallpaper = wine.registry_value(DESKTOP_KEY, "Wallpaper") or ""
    values = (wine.registry_value(DESKTOP_KEY, "WallpaperStyle"),
              wine.registry_value(DESKTOP_KEY, "TileWallpaper"))
    if not wallpaper.lower().endswith("\\appdata\\local\\mirella\\desktop-1-0.bmp") \
            or values != ("0", "1"):
        failures.append(f"Apply set {wallpaper!r} with style and tile {values}, not the "
                        "local desktop-1-0.bmp tiled")
        return
    width, height, pixel = read_bmp(os.path.join(user, "AppData", "Local", "Mirella",
                                                 "desktop-1-0.bmp"))
    # Tiled from the primary's corner: the primary shows the picture's (0, 0) onward, the
    # monitor at (-800, 0) the picture's last 800 columns.
    primary = most_navy_row(pixel, (0, 0, 1280, 1024))
    left = most_navy_row(pixel, (width - 800, 0, width, 600))
    print(f"the picture is {width} x {height}; the most navy row: {primary:.2f} on the "
          f"primary's part, {left:.2f} on the left monitor's")
    if (width, height) != (2080, 1024) or primary < 0.5 or left > 0.1:
        failures.append("the tiled picture does not show the page on the primary and its "
                        "background alone on the monitor left of it")
    # The layer Apply started draws the pictures again for the monitors as they are: after the
    # primary's resolution changes, the left monitor is taken off the desktop and then put back,
    # each through the display settings. (Wine tells running programs of changes made through
    # it, not of outputs changed on the X server.)
    display.xrandr("--newmode", "mirella1024x768", *modeline(1024, 768), check=False)
    display.xrandr("--addmode", "DUMMY0", "mirella1024x768", check=False)
    display.xrandr("--query")
    shutil.copy(arguments.layer_probe, os.path.join(folder, b"layer_probe.exe"))
    said = os.path.join(work, "probe.txt")
    pictures = os.path.join(user, "AppData", "Local", "Mirella")
    changes = [("1024 x 768 on the primary", ["display", "1024", "768"], "desktop-2-0.bmp"),
               ("the left monitor off", ["detach"], "desktop-1-0.bmp"),
               ("the left monitor back", ["attach", "800", "600", "-800", "0"], "desktop-2-0.bmp")]
    shown = "desktop-1-0.bmp"
    for change, command, redrawn in changes:
        if wine.run(os.path.join(folder, b"layer_probe.exe"), "--to", Wine.windows_path(said),
                    *command).returncode != 0:
            failures.append(f"{change}: the display settings refused it")
            break
        try:
            wait_for(f"the pictures drawn anew after {change}", lambda: (wine.registry_value(
                DESKTOP_KEY, "Wallpaper") or "").lower().endswith(redrawn), 60)
        except Exception as error:  # the test goes on to /restore
            failures.append(f"no redraw after {change}: {error}")
            break
        if os.path.exists(os.path.join(pictures, shown)):
            failures.append(f"after {change} the earlier picture {shown} is left")
        shown = redrawn
        check_redrawn(arguments, wine, os.path.join(pictures, redrawn), change, failures)
    restored = wine.run(os.path.join(folder, b"desktop.exe"), "/restore", "/quiet").returncode
    back = wine.registry_value(DESKTOP_KEY, "Wallpaper")
    print(f"/restore /quiet ended with {restored}; the wallpaper is {back!r}")
    if restored != 0 or back != Wine.windows_path(old_picture) \
            or wine.registry_value(DESKTOP_KEY, "TileWallpaper") is not None:
        failures.append(f"/restore ended with {restored} and left the wallpaper {back!r}")


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--probe", required=True)
    parser.add_argument("--prefix", required=True)
    parser.add_argument("--program", required=True)
    parser.add_argument("--apply-helper", required=True)
    parser.add_argument("--layer-probe", required=True)
    parser.add_argument("--work", required=True)
    arguments = parser.parse_args()
    try:
        display = MonitorDisplay([(1280, 1024, 0, 0), (1024, 768, 1280, 0)])
        display.start()
    except Unavailable as reason:
        print(f"SKIPPED: {reason}")
        return 77
    wine = Wine(arguments.prefix)
    wine.environment = display.environment(wine.environment)
    wine.environment["WINEDEBUG"] = "-all"
    failures = []
    try:
        wine.prepare_prefix()
        check_arrangements(display, arguments, wine.environment, failures)
        check_pictures(display, arguments, wine, failures)
    finally:
        wine.shut_down()
        display.stop()
    for failure in failures:
        print(f"FAILED: {failure}")
    if not failures:
        print("PASSED")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
