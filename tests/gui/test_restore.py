"""The picture desktop and its restore in Wine's virtual desktop, which shows the wallpaper that
SystemParametersInfoW sets. Wine reports Windows 7: Apply (run by a helper that draws the desktop
in one colour) shows the drawn desktop; the registry names its picture in the local application
data in Control Panel\\Desktop and the page in General. Then `desktop.exe /restore`, answered Yes, brings back the picture shown
before, with its values (an absent TileWallpaper absent again), and says so. `/restore /quiet`
then finds nothing saved (exit code 1), and a damaged saved file or a folder in its place fails
(exit code 2)."""

import os
import subprocess

from mirella_gui import (WINE_CODE_PAGE, Wine, check, click, fresh_program_folder, log, press,
                         run_test, screenshot, wait_for, window_geometry, xdotool)

DESKTOP_NAME = "mirella"
DESKTOP_SIZE = (1024, 768)
OLD_COLOUR = (200, 40, 40)    # the user's picture before Apply
DRAWN_COLOUR = (40, 120, 200)  # the helper's drawn desktop

DESKTOP_KEY = "Control Panel\\Desktop"
GENERAL_KEY = "Software\\Microsoft\\Internet Explorer\\Desktop\\General"
XP_SETTING_KEY = "Software\\Wine\\AppDefaults\\desktop.exe"


def solid_bmp(width, height, colour):
    """A 24-bit BMP of one colour."""
    row = bytes((colour[2], colour[1], colour[0])) * width
    row += b"\0" * (-len(row) % 4)
    pixels = row * height
    header = (b"BM" + (54 + len(pixels)).to_bytes(4, "little") + bytes(4)
              + (54).to_bytes(4, "little"))
    info = b"".join(value.to_bytes(size, "little") for value, size in [
        (40, 4), (width, 4), (height, 4), (1, 2), (24, 2), (0, 4), (len(pixels), 4),
        (2835, 4), (2835, 4), (0, 4), (0, 4)])
    return header + info + pixels


class VirtualDesktop:
    """Wine's virtual desktop window, and programs started in it."""

    def __init__(self, wine):
        self.wine = wine
        self.window = None

    def start(self, *command):
        """Starts a program in the desktop (made on first use); arguments as bytes or text."""
        width, height = DESKTOP_SIZE
        arguments = [self.wine.command, "explorer", f"/desktop={DESKTOP_NAME},{width}x{height}"]
        arguments += [a if isinstance(a, bytes) else a.encode(WINE_CODE_PAGE) for a in command]
        subprocess.Popen(arguments, env=self.wine.environment, stdout=subprocess.DEVNULL,
                         stderr=subprocess.DEVNULL)
        if self.window is None:
            name = f"{DESKTOP_NAME} - Wine desktop"
            self.window = wait_for("Wine's virtual desktop", lambda: find_by_name(name), 90)

    def share(self, colour, rect=None):
        """The share of the desktop's pixels (or of a part of it) that have the colour."""
        x, y, width, height = window_geometry(self.window)
        if rect is not None:
            x, y, width, height = x + rect[0], y + rect[1], rect[2], rect[3]
        image = screenshot()
        # Every 8th pixel in both directions is plenty for a picture of one colour.
        points = [(px, py) for py in range(y, y + height, 8) for px in range(x, x + width, 8)]
        return sum(1 for px, py in points if image.pixel(px, py) == colour) / len(points)

    def wait_for_colour(self, what, colour, share, rect=None, timeout=60):
        wait_for(what, lambda: self.share(colour, rect) >= share, timeout)

    def save(self, path):
        screenshot().save_png(path, window_geometry(self.window))

    def answer_box(self):
        """Activates the message box in the middle of the desktop with a click on its text (it
        opens inactive, behind the desktop's focus) and presses its default button."""
        x, y, width, height = window_geometry(self.window)
        click(x + width // 2, y + height // 2 - 8)
        press("Return")


def find_by_name(name):
    result = xdotool("search", "--onlyvisible", "--name", f"^{name}$", check_result=False)
    windows = result.stdout.split()
    return int(windows[0]) if windows else None


def app_data(wine):
    return os.path.join(wine.user_folder(), "AppData", "Roaming")


def test(arguments):
    check(arguments.apply_helper, "the test needs --apply-helper")
    wine = Wine(arguments.prefix, arguments.wine)
    wine.prepare_prefix()
    work = os.path.abspath(arguments.work)
    folder, windows_folder = fresh_program_folder(arguments.program, os.path.join(work, "program"))
    with open(os.path.join(folder, b"solid_desktop_apply.exe"), "wb") as copy, \
            open(arguments.apply_helper, "rb") as helper:
        copy.write(helper.read())

    # Windows 7 for every program, and no saved desktop from an earlier run of the prefix.
    wine.delete_registry_key(XP_SETTING_KEY)
    mirella_data = os.path.join(app_data(wine), "Mirella")
    saved = os.path.join(mirella_data, "previous desktop.dat")
    if os.path.exists(saved):
        os.remove(saved)

    # The user's desktop: a picture of its own, stretched, TileWallpaper absent.
    old_picture = os.path.join(work, "old wallpaper.bmp")
    with open(old_picture, "wb") as file:
        file.write(solid_bmp(*DESKTOP_SIZE, OLD_COLOUR))
    old_wallpaper = Wine.windows_path(old_picture)
    wine.set_registry_value(DESKTOP_KEY, "Wallpaper", old_wallpaper)
    wine.set_registry_value(DESKTOP_KEY, "WallpaperStyle", "2")
    wine.delete_registry_value(DESKTOP_KEY, "TileWallpaper")
    wine.set_registry_value(GENERAL_KEY, "Wallpaper", "C:\\old page.htm")

    desktop = VirtualDesktop(wine)
    result_file = os.path.join(work, "apply-result.txt")
    if os.path.exists(result_file):
        os.remove(result_file)
    try:
        desktop.start((windows_folder + "\\solid_desktop_apply.exe").encode(WINE_CODE_PAGE),
                      Wine.windows_path(result_file), *map(str, DRAWN_COLOUR))
        wait_for("the helper's Apply", lambda: os.path.exists(result_file)
                 and os.path.getsize(result_file) > 0, 60)
        with open(result_file, encoding="utf-8") as file:
            outcome = file.read()
        check(outcome == "applied", f"Apply as Windows 7: {outcome}")
        desktop.wait_for_colour("the drawn desktop on the virtual desktop", DRAWN_COLOUR, 0.99)
        desktop.save(os.path.join(arguments.screenshots, "restore-applied.png"))

        picture = "C:\\users\\" + os.path.basename(wine.user_folder()) + \
            "\\AppData\\Local\\Mirella\\desktop-1-0.bmp"
        wallpaper = wine.registry_value(DESKTOP_KEY, "Wallpaper")
        check(wallpaper is not None and wallpaper.lower() == picture.lower(),
              f"Control Panel\\Desktop Wallpaper is {wallpaper!r}, expected {picture!r}")
        theme_page = windows_folder + "\\Themes\\Blue Classic\\theme.htm"
        check(wine.registry_value(GENERAL_KEY, "Wallpaper") == theme_page,
              "General Wallpaper does not name the theme page")
        check(wine.registry_value(DESKTOP_KEY, "TileWallpaper") == "0", "TileWallpaper is not 0")
        log("Apply shows the drawn desktop; the registry names its picture and the page")

        # /restore asks first (Yes is the default button), restores, then says so in a box of
        # its own in the middle of the desktop while the old picture is back around it.
        desktop.start((windows_folder + "\\desktop.exe").encode(WINE_CODE_PAGE), "/restore")
        centre = (DESKTOP_SIZE[0] // 2 - 60, DESKTOP_SIZE[1] // 2 - 20, 120, 40)
        wait_for("the question box", lambda: desktop.share(DRAWN_COLOUR, centre) < 0.5, 60)
        desktop.save(os.path.join(arguments.screenshots, "restore-question.png"))
        desktop.answer_box()
        desktop.wait_for_colour("the old picture around the closing message", OLD_COLOUR, 0.9)
        desktop.save(os.path.join(arguments.screenshots, "restore-restored.png"))
        desktop.answer_box()
        desktop.wait_for_colour("the old picture on the whole desktop", OLD_COLOUR, 0.99)

        check(wine.registry_value(DESKTOP_KEY, "Wallpaper") == old_wallpaper,
              "the old Wallpaper value is not back")
        check(wine.registry_value(DESKTOP_KEY, "WallpaperStyle") == "2",
              "the old WallpaperStyle is not back")
        check(wine.registry_value(DESKTOP_KEY, "TileWallpaper") is None,
              "TileWallpaper, absent before, is still there")
        check(wine.registry_value(GENERAL_KEY, "Wallpaper") == "C:\\old page.htm",
              "the old General Wallpaper is not back")
        check(not os.path.exists(saved), "the saved desktop is still there")
        log("/restore brought back the old picture and its values")
    finally:
        if desktop.window is not None:
            desktop.save(os.path.join(arguments.screenshots, "restore-last.png"))
        wine.shut_down()

    # The quiet form's exit codes, through the real program.
    quiet = [os.path.join(folder, b"desktop.exe"), "/restore", "/quiet"]
    code = wine.run(*quiet).returncode
    check(code == 1, f"/restore /quiet with nothing saved ended with {code}, expected 1")
    os.makedirs(mirella_data, exist_ok=True)
    with open(saved, "wb") as file:
        file.write(b"not a saved desktop")
    code = wine.run(*quiet).returncode
    check(code == 2, f"/restore /quiet with a damaged saved file ended with {code}, expected 2")
    check(os.path.exists(saved), "the damaged saved file was removed")
    os.remove(saved)
    # A folder in the saved file's place is no "nothing saved" either.
    os.makedirs(saved)
    code = wine.run(*quiet).returncode
    check(code == 2, f"/restore /quiet with a folder for the saved file ended with {code}, "
          "expected 2")
    os.rmdir(saved)
    wine.shut_down()


if __name__ == "__main__":
    run_test(test)
