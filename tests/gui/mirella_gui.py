"""Drives desktop.exe under Wine on an X display, as a user would: xdotool for windows, the mouse
and the keyboard, ImageMagick's `import` for screenshots and pixel colours, `wine reg` for the
registry. Standard library only.

Every run works on a fresh copy of the staged program folder, in a folder whose name holds a
space and Cyrillic letters, and in a Wine prefix of its own under the build tree, so the user's
prefix is never touched.
"""

import argparse
import json
import os
import re
import shutil
import subprocess
import sys
import time

TWIPS_PER_INCH = 1440
SCREEN_DPI = 96  # 100 % display scale: 15 twips per pixel

APPLICATION_TITLE = "Mirella"

# The program folder's name: a space and Cyrillic letters, as a user's folder may well have.
PROGRAM_FOLDER_NAME = "Мирелла тест"
# Wine reads Unix file names in the locale's character set; ru_RU.CP1251 gives code page 1251
# to the program (as Russian Windows has) and to file names.
WINE_LOCALE = "ru_RU.CP1251"
WINE_CODE_PAGE = "cp1251"


class TestFailure(Exception):
    pass


def log(message):
    print(message, flush=True)


def check(condition, message):
    if not condition:
        raise TestFailure(message)


def wait_for(what, condition, timeout, interval=0.2):
    """Polls condition() until it returns something true; fails with `what` after timeout."""
    end = time.monotonic() + timeout
    while True:
        value = condition()
        if value:
            return value
        if time.monotonic() > end:
            raise TestFailure(f"timed out after {timeout:.0f} s waiting for {what}")
        time.sleep(interval)


def twips_to_pixels(twips, dpi=SCREEN_DPI):
    """Twips to pixels at a DPI, rounded half away from zero as the program's MulDiv does."""
    scaled = abs(twips) * dpi
    pixels = (scaled + TWIPS_PER_INCH // 2) // TWIPS_PER_INCH
    return pixels if twips >= 0 else -pixels


def parse_arguments():
    parser = argparse.ArgumentParser()
    parser.add_argument("--program", required=True, help="the staged program folder")
    parser.add_argument("--layout", required=True,
                        help="the windows' layout as the build exported it (layout.json)")
    parser.add_argument("--prefix", required=True, help="the Wine prefix of the GUI tests")
    parser.add_argument("--work", required=True, help="a folder this test may wipe and fill")
    parser.add_argument("--screenshots", required=True, help="where the screenshots go")
    parser.add_argument("--wine", default="wine",
                        help="the Wine command: scripts/wine32 for the x86 build's program")
    parser.add_argument("--apply-helper",
                        help="a program that applies the picture desktop with a picture of one "
                             "colour (the restore test)")
    parser.add_argument("--packages", help="the folder of the installer and the zips")
    parser.add_argument("--test-installer", help="the installer built for x64 Windows only")
    parser.add_argument("--version", help="the project's version, as the packages are named")
    parser.add_argument("--probe", help="accessibility_probe.exe, for the tests that use it")
    parser.add_argument("--accessibility-probe",
                        help="accessibility_probe.exe, for the layer's test, whose --probe is "
                             "layer_probe.exe")
    parser.add_argument("--win32-tests",
                        help="the Win32 tests' program, for checks run at another DPI")
    parser.add_argument("--model", help="explorer_model.exe, the model of Explorer's desktop")
    parser.add_argument("--shell-layout", choices=("win7", "win10", "win11"),
                        help="the Windows release whose Explorer desktop the model builds")
    return parser.parse_args()


# ---------------------------------------------------------------------------------------------
# The X display: screenshots, pixels, windows, mouse and keyboard.


class Image:
    """An RGB screenshot of the whole screen."""

    def __init__(self, width, height, pixels):
        self.width = width
        self.height = height
        self.pixels = pixels

    def pixel(self, x, y):
        offset = (y * self.width + x) * 3
        return tuple(self.pixels[offset:offset + 3])

    def count(self, rect, colour):
        """How many pixels of rect (x, y, width, height) have exactly this colour."""
        x0, y0, width, height = rect
        found = 0
        for y in range(max(y0, 0), min(y0 + height, self.height)):
            for x in range(max(x0, 0), min(x0 + width, self.width)):
                if self.pixel(x, y) == colour:
                    found += 1
        return found

    def save_png(self, path, rect=None):
        """Writes the image, or the part of it in rect, as a PNG through ImageMagick."""
        header = f"P6\n{self.width} {self.height}\n255\n".encode()
        command = ["convert", "ppm:-"]
        if rect is not None:
            x, y, width, height = clip_rect(rect, self.width, self.height)
            command += ["-crop", f"{width}x{height}+{x}+{y}", "+repage"]
        os.makedirs(os.path.dirname(path), exist_ok=True)
        subprocess.run(command + [path], input=header + self.pixels, check=True)
        log(f"screenshot: {path}")


def clip_rect(rect, width, height):
    x, y, w, h = rect
    left, top = max(x, 0), max(y, 0)
    right, bottom = min(x + w, width), min(y + h, height)
    return left, top, right - left, bottom - top


def require_display():
    if not os.environ.get("DISPLAY"):
        raise TestFailure("no X display (DISPLAY is not set): run the tests under xvfb-run, "
                          "as scripts/test.sh does")
    for tool in ("xdotool", "xwininfo", "import", "convert", "wine", "wineboot", "wineserver"):
        check(shutil.which(tool) is not None, f"the tool '{tool}' is not installed")
    result = subprocess.run(["xdotool", "getdisplaygeometry"], capture_output=True, text=True)
    check(result.returncode == 0,
          f"the X display {os.environ['DISPLAY']} does not answer: {result.stderr.strip()}")


def screenshot():
    data = subprocess.run(["import", "-window", "root", "-depth", "8", "ppm:-"],
                          capture_output=True, check=True).stdout
    # P6 header: magic, width, height, maxval, each separated by whitespace.
    fields = []
    position = 0
    while len(fields) < 4:
        while data[position:position + 1].isspace():
            position += 1
        end = position
        while not data[end:end + 1].isspace():
            end += 1
        fields.append(data[position:end])
        position = end
    check(fields[0] == b"P6" and fields[3] == b"255", "unexpected screenshot format")
    width, height = int(fields[1]), int(fields[2])
    pixels = data[position + 1:position + 1 + width * height * 3]
    check(len(pixels) == width * height * 3, "truncated screenshot")
    return Image(width, height, pixels)


def xdotool(*arguments, check_result=True):
    result = subprocess.run(["xdotool", *map(str, arguments)], capture_output=True, text=True)
    if check_result and result.returncode != 0:
        raise TestFailure(f"xdotool {' '.join(map(str, arguments))} failed: {result.stderr}")
    return result


def visible_windows():
    """Every mapped window's id, as xdotool reports them."""
    result = xdotool("search", "--onlyvisible", "--name", "", check_result=False)
    return [int(line) for line in result.stdout.split()]


def window_name(window):
    result = xdotool("getwindowname", window, check_result=False)
    return result.stdout.rstrip("\n") if result.returncode == 0 else None


def window_geometry(window):
    """(x, y, width, height) of the window on the screen. From xwininfo: for a window inside
    another one (a program's window in Wine's virtual desktop) xdotool adds the parent's
    offset twice."""
    result = subprocess.run(["xwininfo", "-id", str(window)], capture_output=True, text=True)
    if result.returncode != 0:
        return None
    values = dict(line.strip().split(":", 1) for line in result.stdout.splitlines()
                  if ":" in line)
    try:
        return tuple(int(values[name]) for name in ("Absolute upper-left X",
                                                    "Absolute upper-left Y", "Width", "Height"))
    except (KeyError, ValueError):
        return None


def find_window(name):
    """A mapped window with exactly this name, or None."""
    for window in visible_windows():
        if window_name(window) == name:
            return window
    return None


def wait_for_window(name, timeout):
    return wait_for(f"a window named '{name}'", lambda: find_window(name), timeout)


def wait_for_window_gone(window, timeout):
    wait_for(f"window {window} to close", lambda: window not in visible_windows(), timeout)


def move_mouse(x, y):
    xdotool("mousemove", x, y)
    time.sleep(0.3)


def click(x, y):
    # Move first and let the program see the movement (the pointer and hover follow it), then
    # press and release.
    xdotool("mousemove", x, y)
    time.sleep(0.3)
    xdotool("click", "1")
    time.sleep(0.5)


def press(*keys):
    for key in keys:
        xdotool("key", "--clearmodifiers", key)
        time.sleep(0.2)


def type_text(text):
    xdotool("type", "--delay", "80", text)
    time.sleep(0.4)


# ---------------------------------------------------------------------------------------------
# Wine: the prefix, the program folder, the process, the registry.


class Wine:
    def __init__(self, prefix, command="wine"):
        self.prefix = os.path.abspath(prefix)
        self.command = command
        locales = subprocess.run(["locale", "-a"], capture_output=True, text=True).stdout
        check(any(line.lower() == WINE_LOCALE.lower() for line in locales.split()),
              f"the locale {WINE_LOCALE} is missing; scripts/install_dependencies.sh makes it "
              "(localedef -i ru_RU -f CP1251 ru_RU.CP1251)")
        self.environment = dict(os.environ)
        self.environment.update({
            "WINEPREFIX": self.prefix,
            # Wine's errors only: they go to the program's log, shown when a test fails.
            "WINEDEBUG": "fixme-all",
            "LC_ALL": WINE_LOCALE,
            # No offers to install Mono or Gecko while the prefix is made: nothing here uses them.
            "WINEDLLOVERRIDES": "mscoree,mshtml=",
        })

    def run(self, *arguments, timeout=120):
        return subprocess.run([self.command, *arguments], env=self.environment,
                              capture_output=True, timeout=timeout)

    def prepare_prefix(self):
        """Makes the prefix on first use and starts its server; later runs reuse it."""
        if not os.path.exists(os.path.join(self.prefix, "system.reg")):
            log(f"making the Wine prefix {self.prefix} (first run only)")
            os.makedirs(self.prefix, exist_ok=True)
            subprocess.run([self.command, "wineboot", "-i"], env=self.environment,
                           capture_output=True, timeout=600, check=True)
            subprocess.run(["wineserver", "-w"], env=self.environment, timeout=600)
        check(os.path.exists(os.path.join(self.prefix, "system.reg")),
              f"wineboot did not make the prefix {self.prefix}")

    def shut_down(self):
        """Ends every process of this prefix (all of them started by this test) and its server."""
        subprocess.run(["wineserver", "-k"], env=self.environment, capture_output=True,
                       timeout=60)
        subprocess.run(["wineserver", "-w"], env=self.environment, capture_output=True,
                       timeout=60)

    def user_folder(self):
        users = os.path.join(self.prefix, "drive_c", "users")
        names = [name for name in os.listdir(users) if name != "Public"]
        check(len(names) == 1, f"expected one user folder in {users}, found {names}")
        return os.path.join(users, names[0])

    def registry_value(self, key, name):
        """A string value under HKEY_CURRENT_USER, or None. The key is exported to a file in
        UTF-16, which keeps every character whatever the console's code page."""
        export = os.path.join(self.prefix, "mirella-gui-export.reg")
        if os.path.exists(export):
            os.remove(export)
        result = self.run("reg", "export", "HKCU\\" + key, self.windows_path(export), "/y")
        if result.returncode != 0 or not os.path.exists(export):
            return None
        with open(export, "rb") as file:
            text = file.read().decode("utf-16")
        os.remove(export)
        match = re.search(r'^"' + re.escape(name) + r'"="((?:[^"\\]|\\.)*)"\s*$', text,
                          re.MULTILINE)
        if match is None:
            return None
        return re.sub(r"\\(.)", r"\1", match.group(1))

    def set_registry_value(self, key, name, value):
        result = self.run("reg", "add", "HKCU\\" + key, "/v", name, "/t", "REG_SZ", "/d", value,
                          "/f")
        check(result.returncode == 0, f"could not set HKCU\\{key} {name}")

    def delete_registry_value(self, key, name):
        """Deletes the value if it exists."""
        self.run("reg", "delete", "HKCU\\" + key, "/v", name, "/f")
        check(self.registry_value(key, name) is None, f"could not delete HKCU\\{key} {name}")

    def delete_registry_key(self, key):
        self.run("reg", "delete", "HKCU\\" + key, "/f")

    def set_registry_dword(self, key, name, value):
        result = self.run("reg", "add", "HKCU\\" + key, "/v", name, "/t", "REG_DWORD", "/d",
                          str(value), "/f")
        check(result.returncode == 0, f"could not set HKCU\\{key} {name}")

    @staticmethod
    def windows_path(unix_path):
        """The path as the program sees it, through Wine's drive Z: (the Unix root)."""
        return "Z:" + os.path.abspath(unix_path).replace("/", "\\")


def unix_name(text):
    """A file name as Wine expects it on the Unix side: in the locale's character set."""
    return text.encode(WINE_CODE_PAGE)


def fresh_program_folder(program, work):
    """Copies the staged program folder to <work>/<a name with a space and Cyrillic letters>,
    replacing whatever an earlier run left there. Returns the Unix path (bytes) and the path as
    the program sees it (text)."""
    check(os.path.isfile(os.path.join(program, "desktop.exe")),
          f"{program} has no desktop.exe: build the Windows build first")
    if os.path.exists(work):
        shutil.rmtree(work)
    os.makedirs(work)
    folder = os.path.join(os.fsencode(os.path.abspath(work)), unix_name(PROGRAM_FOLDER_NAME))
    shutil.copytree(os.fsencode(program), folder)
    windows = Wine.windows_path(os.path.abspath(work)) + "\\" + PROGRAM_FOLDER_NAME
    return folder, windows


class Program:
    """desktop.exe running under Wine."""

    # What Wine and the program print, kept for the failure report of the last started program.
    last_log = None

    def __init__(self, wine, folder):
        self.wine = wine
        log_path = os.path.join(os.path.dirname(os.path.abspath(folder)), b"desktop-wine.log")
        with open(log_path, "wb") as output:
            self.process = subprocess.Popen([wine.command,
                                             os.path.join(folder, b"desktop.exe")],
                                            env=wine.environment, stdout=output,
                                            stderr=subprocess.STDOUT)
        Program.last_log = log_path

    def running(self):
        return self.process.poll() is None

    def wait_for_end(self, timeout):
        try:
            return self.process.wait(timeout=timeout)
        except subprocess.TimeoutExpired:
            raise TestFailure(f"desktop.exe still runs {timeout} s after it should have ended")


# ---------------------------------------------------------------------------------------------
# The windows' layout, as the build exported it from the program's own layout tables.


class Layout:
    """Every control of the splash and the main window as laid out at start: bounds in twips
    relative to the parent ("bounds") and in the form's client area ("client"), visibility,
    caption and back colour; and the gallery's Left for each entry."""

    def __init__(self, path):
        with open(path, encoding="utf-8") as file:
            data = json.load(file)
        self.controls = {(c["form"], c["name"], c["index"]): c for c in data["controls"]}
        self.gallery_lefts = data["gallery_left"]

    def control(self, name, index=-1, form="main"):
        found = self.controls.get((form, name, index))
        check(found is not None, f"the layout has no control {name}({index}) on {form}")
        return found

    def rect(self, name, index=-1, form="main"):
        """The control's rectangle in its form's client area, in twips."""
        return tuple(self.control(name, index, form)["client"])

    def bounds(self, name, index=-1, form="main"):
        """The control's rectangle inside its parent, in twips."""
        return tuple(self.control(name, index, form)["bounds"])

    def text(self, name, index=-1, form="main"):
        return self.control(name, index, form)["text"]

    def back(self, name, index=-1, form="main"):
        return tuple(self.control(name, index, form)["back"])

    def children(self, name, parent, visible=True, form="main"):
        """The indices of the controls of one array that stand on a parent, shown at start."""
        return sorted(c["index"] for c in self.controls.values()
                      if c["form"] == form and c["name"] == name and c["parent"] == parent
                      and c["visible"] == visible)

    def gallery_left(self, entry):
        """Where the gallery's left edge goes when entry's picture is clicked, in twips."""
        return self.gallery_lefts[entry]

    def client_pixels(self, form, dpi=SCREEN_DPI):
        """The form's client area in pixels at a DPI."""
        _, _, width, height = self.rect(form, form=form)
        return twips_to_pixels(width, dpi), twips_to_pixels(height, dpi)


# ---------------------------------------------------------------------------------------------
# The main window's controls on the screen.


class MainWindow:
    """Screen positions of the main window's controls: the layout's twips plus the client
    area's origin on the screen, at the DPI the program runs at. Under Xvfb there is no window
    manager, so Wine's X window is exactly the client area. In Wine's virtual desktop it is the
    whole window, whose frame Wine draws: with the client area's size (`client`, in pixels) the
    frame is taken off, a border of one width left, right and below and the caption above."""

    def __init__(self, window, dpi=SCREEN_DPI, client=None):
        self.window = window
        self.dpi = dpi
        geometry = window_geometry(window)
        check(geometry is not None, "the main window vanished")
        self.x, self.y, self.width, self.height = geometry
        if client is not None:
            border = (self.width - client[0]) // 2
            self.x += border
            self.y += self.height - client[1] - border
            self.width, self.height = client

    def rect(self, twips):
        """Screen rectangle (x, y, width, height) of a client-area rectangle in twips."""
        left, top, width, height = twips
        return (self.x + self.pixels(left), self.y + self.pixels(top), self.pixels(width),
                self.pixels(height))

    def point(self, left, top):
        return self.x + self.pixels(left), self.y + self.pixels(top)

    def pixels(self, twips):
        return twips_to_pixels(twips, self.dpi)

    def centre(self, twips):
        x, y, width, height = self.rect(twips)
        return x + width // 2, y + height // 2

    @property
    def client_rect(self):
        return (self.x, self.y, self.width, self.height)


def inside(rect, left, top, width, height):
    """A rectangle at (left, top) inside rect, in the same coordinates as rect."""
    return (rect[0] + left, rect[1] + top, width, height)


def run_test(body):
    """Runs one test body with its arguments; prints the outcome and exits 0 or 1."""
    arguments = parse_arguments()
    try:
        require_display()
        body(arguments)
    except TestFailure as failure:
        log(f"FAILED: {failure}")
        if Program.last_log and os.path.exists(Program.last_log):
            with open(Program.last_log, "rb") as output:
                tail = output.read()[-4000:].decode("utf-8", "replace")
            log("Wine's output for desktop.exe:\n" + (tail or "(nothing)"))
        try:
            screenshot().save_png(os.path.join(arguments.screenshots, "failure.png"))
        except Exception as error:  # the display itself may be the problem
            log(f"(no failure screenshot: {error})")
        sys.exit(1)
    log("PASSED")
