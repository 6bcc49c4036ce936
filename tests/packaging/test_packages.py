"""What a Windows user downloads, under Wine: the installer silently into a fresh prefix (files,
both Start-menu shortcuts and the desktop one, the uninstall key), the installed program started
and a desktop applied with it, an upgrade that keeps what the program wrote. A silent uninstall
with a damaged saved desktop, the wizard open and the layer running ends both, takes the layer's
Run value away, keeps what the wallpaper values name and ends with 2; installed again with the
saved desktop mended, a silent uninstall restores the earlier desktop and removes exactly what
was installed. Then each portable zip, unpacked, must start. Saves a screenshot of the
installer's first page.

The installer tested is the shipped one built as a 64-bit program (the same script): this
machine's Wine may run no 32-bit code; the x86 zip's program is the x86 build's, which its own
smoke test starts where 32-bit Wine runs."""

import os
import shutil
import struct
import subprocess
import sys
import time
import zipfile

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "gui"))

from mirella_gui import (APPLICATION_TITLE, Layout, MainWindow, Program, Wine, check, log,
                         move_mouse, press, run_test, screenshot, unix_name, wait_for,
                         wait_for_window, window_geometry, xdotool)
from test_install_flow import APPLY_LABEL, Flow
from test_layer import layer_processes

UNINSTALL_KEY = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Mirella"
RUN_KEY = "Software\\Microsoft\\Windows\\CurrentVersion\\Run"
RESTORE_SHORTCUT = "Вернуть прежний Рабочий стол.lnk"
WALLPAPER_KEYS = ("Control Panel\\Desktop", "Software\\Microsoft\\Internet Explorer\\Desktop\\General")
BEFORE_WALLPAPER = "C:\\windows\\прежний рисунок.bmp"
SETUP_TITLE = "Установка Mirella"


def read_lnk(path):
    """(target path, arguments) of a Shell Link file, from its LinkInfo and StringData."""
    with open(path, "rb") as file:
        data = file.read()
    check(data[:4] == b"\x4c\x00\x00\x00", f"{path} is not a shortcut")
    flags = struct.unpack_from("<I", data, 0x14)[0]
    unicode = bool(flags & 0x80)
    position = 0x4C
    if flags & 0x01:  # HasLinkTargetIDList
        position += 2 + struct.unpack_from("<H", data, position)[0]
    target = None
    if flags & 0x02:  # HasLinkInfo
        info = position
        size, header_size, info_flags, _, base_offset = struct.unpack_from("<5I", data, info)
        if info_flags & 0x01:
            if header_size >= 0x24:
                unicode_offset = struct.unpack_from("<I", data, info + 0x1C)[0]
                end = data.index(b"\x00\x00", info + unicode_offset)
                end += (end - info - unicode_offset) % 2
                target = data[info + unicode_offset:end].decode("utf-16-le")
            else:
                end = data.index(b"\x00", info + base_offset)
                target = data[info + base_offset:end].decode("cp1251")
        position += size
    strings = []
    for bit in (0x04, 0x08, 0x10, 0x20):  # name, relative path, working folder, arguments
        if flags & bit:
            count = struct.unpack_from("<H", data, position)[0]
            width = 2 if unicode else 1
            raw = data[position + 2:position + 2 + count * width]
            strings.append((bit, raw.decode("utf-16-le" if unicode else "cp1251")))
            position += 2 + count * width
    # (Wine counts the terminating NUL in; Windows does not.)
    arguments = dict(strings).get(0x20, "").rstrip("\x00").strip()
    return target, arguments


def registry_dword(wine, key, name):
    result = wine.run("reg", "query", "HKCU\\" + key, "/v", name)
    for line in result.stdout.decode("utf-8", "replace").splitlines():
        parts = line.split()
        if len(parts) >= 3 and parts[0] == name and parts[1] == "REG_DWORD":
            return int(parts[2], 16)
    return None


def shipped_files(zip_path):
    with zipfile.ZipFile(zip_path) as archive:
        return sorted(name for name in archive.namelist() if not name.endswith("/"))


def folder_files(folder):
    found = {}
    if os.path.isdir(folder):
        for root, _, names in os.walk(folder):
            for name in names:
                path = os.path.join(root, name)
                with open(path, "rb") as file:
                    found[os.path.relpath(path, folder)] = file.read()
    return found


class Installation:
    def __init__(self, wine):
        self.wine = wine
        user = wine.user_folder()
        self.folder = os.path.join(user, "AppData", "Local", "Programs", "Mirella")
        self.app_data = os.path.join(user, "AppData", "Roaming", "Mirella")
        self.pictures = os.path.join(user, "AppData", "Local", "Mirella")  # the drawn desktop
        self.start_menu = os.path.join(user, "AppData", "Roaming", "Microsoft", "Windows",
                                       "Start Menu", "Programs", "Mirella")
        self.desktop_shortcut = os.path.join(user, "Desktop", "Mirella.lnk")
        self.windows_folder = "C:\\users\\" + os.path.basename(user) + \
            "\\AppData\\Local\\Programs\\Mirella"

    def run_installer(self, setup):
        # Not through pipes: a desktop layer the installer starts again inherits Wine's output
        # and would keep a pipe open for as long as it runs.
        result = subprocess.run([self.wine.command, setup, "/S"], env=self.wine.environment,
                                stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=300)
        check(result.returncode == 0, f"the silent install ended with {result.returncode}")

    def check_installed(self, shipped):
        for name in shipped:
            check(os.path.isfile(os.path.join(self.folder, name)), f"{name} was not installed")
        check(os.path.isfile(os.path.join(self.folder, "uninstall.exe")), "no uninstall.exe")
        program = self.windows_folder + "\\desktop.exe"
        for shortcut, arguments in ((os.path.join(self.start_menu, "Mirella.lnk"), ""),
                                    (os.path.join(os.fsencode(self.start_menu),
                                                  unix_name(RESTORE_SHORTCUT)), "/restore"),
                                    (self.desktop_shortcut, "")):
            check(os.path.isfile(shortcut), f"the shortcut {shortcut} is missing")
            target, found = read_lnk(shortcut)
            check(target is not None and target.lower() == program.lower(),
                  f"{shortcut} points at {target}, not {program}")
            check(found == arguments, f"{shortcut} has the arguments '{found}'")
        values = {name: self.wine.registry_value(UNINSTALL_KEY, name)
                  for name in ("DisplayName", "DisplayVersion", "DisplayIcon", "Publisher",
                               "InstallLocation", "UninstallString", "QuietUninstallString")}
        check(values["DisplayName"] == "Mirella", f"DisplayName is {values['DisplayName']}")
        check(values["DisplayIcon"] and values["DisplayIcon"].lower() == program.lower(),
              f"DisplayIcon is {values['DisplayIcon']}")
        check(values["InstallLocation"] and values["InstallLocation"].lower()
              == program[:-len("\\desktop.exe")].lower(),
              f"InstallLocation is {values['InstallLocation']}")
        check(values["QuietUninstallString"] == values["UninstallString"] + " /S"
              and values["UninstallString"].lower().endswith('uninstall.exe"'),
              f"uninstall strings: {values['UninstallString']} / {values['QuietUninstallString']}")
        check(all(values.values()), f"an uninstall value is missing: {values}")
        size = registry_dword(self.wine, UNINSTALL_KEY, "EstimatedSize")
        check(size is not None and size > 500, f"EstimatedSize is {size} KB")
        for name in ("NoModify", "NoRepair"):
            check(registry_dword(self.wine, UNINSTALL_KEY, name) == 1, f"{name} is not 1")


def apply_a_desktop(wine, layout, folder):
    """Starts the installed program, marks the links that the defaults lack and applies."""
    program = Program(wine, os.fsencode(folder))
    main = MainWindow(wait_for_window(layout.text("main"), 120))
    move_mouse(1, 1)
    flow = Flow(main, layout, program)
    flow.open_settings_page()
    flow.choose_missing_links()
    flow.click_label(APPLY_LABEL)
    box = wait_for_window(APPLICATION_TITLE, 30)
    check(box != main.window, "no message box after Apply")
    # Apply has started the desktop layer, a window the size of the screen: without a window
    # manager the keys go to the window under the pointer, so the pointer goes onto the box.
    x, y, width, height = window_geometry(box)
    move_mouse(x + width // 2, y + height // 2)
    xdotool("windowfocus", box, check_result=False)
    press("Return")
    code = program.wait_for_end(60)
    check(code == 0, f"the installed desktop.exe ended with code {code}")


def start_and_close(wine, folder, layout, what):
    program = Program(wine, os.fsencode(folder))
    window = wait_for_window(layout.text("main"), 120)
    log(f"{what}: the main window is shown")
    wine.shut_down()
    check(not program.running() or program.wait_for_end(30) is not None, f"{what} did not end")
    del window


def installer_screenshot(wine, setup, shots):
    process = subprocess.Popen([wine.command, setup], env=wine.environment,
                               stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    try:
        window = wait_for_window(SETUP_TITLE, 120)
        time.sleep(1.0)  # the page's text and picture are drawn after the window appears
        x, y, width, height = window_geometry(window)
        screenshot().save_png(os.path.join(shots, "installer.png"), (x, y, width, height))
    finally:
        wine.shut_down()
        process.wait(timeout=60)


def test(arguments):
    packages = arguments.packages
    version = arguments.version
    setup = arguments.test_installer
    zips = {arch: os.path.join(packages, f"Mirella-{version}-{arch}-portable.zip")
            for arch in ("x64", "x86")}
    for path in [setup, os.path.join(packages, f"Mirella-{version}-setup.exe"), *zips.values()]:
        check(os.path.isfile(path), f"{path} is missing: build the x86 build, then the x64 one "
              "(scripts/build_windows.sh)")
    layout = Layout(arguments.layout)
    shipped = shipped_files(zips["x64"])
    check("desktop.exe" in shipped and "Themes/Blue Classic/pal.gif" in shipped
          and "icons/19.gif" in shipped and len(shipped) == 25,
          f"the x64 zip holds {shipped}")
    check(shipped_files(zips["x86"]) == shipped, "the zips hold different files")

    # A fresh prefix, with a picture wallpaper the user had before Mirella.
    if os.path.exists(arguments.prefix):
        shutil.rmtree(arguments.prefix)
    wine = Wine(arguments.prefix)
    wine.environment["WINEDLLOVERRIDES"] += ";winemenubuilder.exe=d"
    wine.prepare_prefix()
    for key in WALLPAPER_KEYS:
        wine.set_registry_value(key, "Wallpaper", BEFORE_WALLPAPER)
    before = {key: wine.registry_value(key, "Wallpaper") for key in WALLPAPER_KEYS}
    installation = Installation(wine)
    try:
        installer_screenshot(wine, setup, arguments.screenshots)
        installation.run_installer(setup)
        installation.check_installed(shipped)
        log("installed: files, shortcuts and the uninstall key are in place")

        apply_a_desktop(wine, layout, installation.folder)
        written = folder_files(installation.app_data)
        check(os.path.isfile(os.path.join(installation.folder, "desktop.js")),
              "Apply wrote no desktop.js into the installed folder")
        check("previous desktop.dat" in written,
              f"Apply saved no previous desktop: {sorted(written)}")
        drawn = sorted(folder_files(installation.pictures))
        check(drawn == ["desktop-1-0.bmp"], f"Apply drew {drawn} in AppData\\Local\\Mirella")
        check(wine.registry_value(WALLPAPER_KEYS[0], "Wallpaper") != BEFORE_WALLPAPER,
              "Apply did not change the wallpaper")
        log(f"applied with the installed program; {sorted(written)} in AppData\\Mirella")

        with open(os.path.join(installation.folder, "desktop.js"), "rb") as file:
            script = file.read()
        installation.run_installer(setup)
        installation.check_installed(shipped)
        with open(os.path.join(installation.folder, "desktop.js"), "rb") as file:
            check(file.read() == script, "the upgrade changed desktop.js")
        check(folder_files(installation.app_data) == written,
              "the upgrade changed the saved previous desktop")
        log("upgraded: desktop.js and the saved desktop are kept")

        # A file of the user's own in the program folder survives both uninstalls.
        own = os.path.join(installation.folder, "Themes", "Blue Classic", "my notes.txt")
        with open(own, "w", encoding="utf-8") as file:
            file.write("моё")

        # The restore fails on a damaged saved desktop while the wizard is open and the layer
        # runs. The uninstaller runs in place (_?=) so that its exit code is seen; it then stays.
        applied = {key: wine.registry_value(key, "Wallpaper") for key in WALLPAPER_KEYS}
        check(wine.registry_value(RUN_KEY, "Mirella") is not None, "Apply set no Run value")
        wait_for("the layer the upgrade started again", lambda: layer_processes(wine), 30)
        saved = os.path.join(installation.app_data, "previous desktop.dat")
        check(saved[len(installation.app_data) + 1:] in written, f"no saved desktop in {written}")
        with open(saved, "wb") as file:
            file.write(b"damaged")
        wizard = Program(wine, os.fsencode(installation.folder))
        wait_for_window(layout.text("main"), 120)
        result = wine.run(os.path.join(installation.folder, "uninstall.exe"), "/S",
                          "_?=" + installation.windows_folder, timeout=300)
        check(result.returncode == 2, f"the uninstall with a failed restore ended with "
              f"{result.returncode}, not 2")
        wizard.wait_for_end(30)
        wait_for("the layer to end", lambda: not layer_processes(wine), 30)
        check(wine.registry_value(RUN_KEY, "Mirella") is None,
              "the Run value still names the removed program")
        kept = sorted(folder_files(installation.folder))
        page = [os.path.join("Themes", "Blue Classic", "theme.htm"), "desktop.js"]
        expected = sorted([os.path.normpath(name) for name in shipped if name != "desktop.exe"]
                          + page + [os.path.relpath(own, installation.folder), "uninstall.exe"])
        check(kept == expected, f"after the failed restore the program folder holds {kept}")
        check(sorted(folder_files(installation.app_data)) == sorted(written),
              "the saved desktop in AppData\\Mirella went")
        check(sorted(folder_files(installation.pictures)) == drawn,
              "the picture the wallpaper shows went from AppData\\Local\\Mirella")
        failed = {key: wine.registry_value(key, "Wallpaper") for key in WALLPAPER_KEYS}
        check(failed == applied, f"the Wallpaper values are {failed}, not {applied}")
        check(wine.registry_value(UNINSTALL_KEY, "DisplayName") is None,
              "the uninstall key is left")
        log("a failed restore: the wizard and the layer ended, no Run value, exit code 2; "
            "the page, its pictures and AppData\\Mirella kept")

        for name, data in written.items():
            with open(os.path.join(installation.app_data, name), "wb") as file:
                file.write(data)
        installation.run_installer(setup)
        result = wine.run(os.path.join(installation.folder, "uninstall.exe"), "/S")
        check(result.returncode == 0, f"the silent uninstall ended with {result.returncode}")
        wait_for("the uninstaller to finish", lambda: not os.path.exists(
            os.path.join(installation.folder, "desktop.exe")) and not os.path.exists(
            os.path.join(installation.folder, "uninstall.exe")), 120)
        wine.shut_down()
        remaining = sorted(folder_files(installation.folder))
        check(remaining == [os.path.join("Themes", "Blue Classic", "my notes.txt")],
              f"after uninstall the program folder holds {remaining}")
        check(not os.path.exists(installation.start_menu), "the Start-menu folder is left")
        check(not os.path.exists(installation.desktop_shortcut), "the desktop shortcut is left")
        check(not os.path.exists(installation.app_data),
              f"AppData\\Mirella is left: {sorted(folder_files(installation.app_data))}")
        check(not os.path.exists(installation.pictures),
              f"AppData\\Local\\Mirella is left: {sorted(folder_files(installation.pictures))}")
        check(wine.registry_value(UNINSTALL_KEY, "DisplayName") is None,
              "the uninstall key is left")
        after = {key: wine.registry_value(key, "Wallpaper") for key in WALLPAPER_KEYS}
        check(after == before, f"the Wallpaper values are {after}, not {before} as before")
        log("uninstalled: the earlier desktop is back and only the user's own file is left")

        for arch, path in zips.items():
            unpacked = os.path.join(arguments.work, f"portable-{arch}")
            if os.path.exists(unpacked):
                shutil.rmtree(unpacked)
            with zipfile.ZipFile(path) as archive:
                archive.extractall(unpacked)
            if arch == "x64":
                start_and_close(wine, unpacked, layout, f"the unpacked {arch} zip")
    finally:
        wine.shut_down()


if __name__ == "__main__":
    run_test(test)
