"""The desktop layer over a model of Explorer's desktop (explorer_model.exe) in the layout of one
Windows release: Windows 7 (the icon list in Progman), 10 (in a WorkerW above another WorkerW
above Progman) or 11 24H2 (the list and a WorkerW children of Progman). Apply (run by a helper
that reports where the layer shows its links) starts the layer; the model then puts its three
icons, one over an entry's picture.

- At each icon and at empty points of the page the pointer reaches the model's list, and a real
  right-click and a drag start reach it; at each picture and caption it reaches the layer, and a
  click opens the link; over the picture under an icon the icon wins. (Which cursor the layer
  shows is decided by its portable pointer and tested natively: Wine tells another process only
  the foreground thread's cursor, and the layer is never in the foreground.)
- "Show desktop" as that release's Explorer does it brings the links above the raised host
  within 500 ms; a Start menu stand-in taking the foreground keeps them; an application coming
  forward puts the layer back under it.
- An Explorer restart (the model's windows made anew, then TaskbarCreated) leaves the layer above
  the new shell window with its region cut around the new icons.
- The icons are followed: one moved off a picture gives it back to the layer, hidden icons leave
  nothing out.
- With the work area the whole monitor (as with a taskbar that hides itself) the layer's window
  is smaller than the monitor.

What only real Windows can show: Explorer's own z-order rules and "show desktop" (the model
emulates them), the real list's accessibility proxy (Wine's list offers no children, so the model
answers for its list as Explorer's does), and the system's full-screen detection."""

import ctypes
import ctypes.util
import os
import re
import subprocess
import time

from mirella_gui import (WINE_CODE_PAGE, TestFailure, Wine, check, click, log,
                         move_mouse, run_test, wait_for, window_geometry, xdotool)
from test_layer import layer_processes, prepare_layer_run, read_places
from test_restore import VirtualDesktop

LAYER = "MirellaDesktopLayer"
LIST = "SysListView32"


def lower_model_windows():
    """Puts the model's top-level windows at the bottom of the X server's stacking too, from the
    top down. Wine's virtual desktop moves a window's X window to the top when it is shown and
    does not move it back when the window is put at the bottom under another process's window,
    so the pointer (routed by the X server) would reach the model where Windows' z-order, which
    the layer follows and WindowFromPoint tells, has the layer."""
    tree = subprocess.run(["xwininfo", "-root", "-tree"], capture_output=True, text=True,
                          check=True).stdout
    windows = [int(line.split()[0], 16) for line in tree.splitlines()
               if '("explorer_model.exe"' in line and "1024x768" in line]
    x11 = ctypes.CDLL(ctypes.util.find_library("X11"))
    x11.XOpenDisplay.restype = ctypes.c_void_p
    x11.XLowerWindow.argtypes = [ctypes.c_void_p, ctypes.c_ulong]
    x11.XCloseDisplay.argtypes = [ctypes.c_void_p]
    x11.XFlush.argtypes = [ctypes.c_void_p]
    display = x11.XOpenDisplay(None)
    check(display, "cannot open the X display")
    try:
        for window in windows:
            x11.XLowerWindow(display, window)
        x11.XFlush(display)
    finally:
        x11.XCloseDisplay(display)


def test(arguments):
    check(arguments.apply_helper and arguments.probe and arguments.model and
          arguments.shell_layout, "the test needs --apply-helper, --probe, --model, --shell-layout")
    wine = Wine(arguments.prefix, arguments.wine)
    wine.prepare_prefix()
    work = os.path.abspath(arguments.work)
    folder, windows_folder, ran, batch = prepare_layer_run(
        wine, arguments, work, (arguments.apply_helper, arguments.probe, arguments.model))
    model_log = os.path.join(work, "model.log")
    layout = arguments.shell_layout

    desktop = VirtualDesktop(wine)
    result_file = os.path.join(work, "apply-result.txt")

    def program(name):
        return (windows_folder + "\\" + name).encode(WINE_CODE_PAGE)

    try:
        desktop.start(program("layer_apply.exe"), Wine.windows_path(result_file))
        wait_for("the helper's Apply", lambda: os.path.exists(result_file), 90)
        places = read_places(result_file)
        wait_for("the layer's process", lambda: len(layer_processes(wine)) == 1, 30)
        origin_x, origin_y, _, _ = window_geometry(desktop.window)
        area = places[("workarea", 0)]

        def on_screen(kind, entry):
            """A place the helper reported, in the virtual desktop's (Windows') pixels."""
            x, y, width, height = places[(kind, entry)]
            return area[0] + x, area[1] + y, width, height

        def centre(rect):
            return rect[0] + rect[2] // 2, rect[1] + rect[3] // 2

        probe_output = os.path.join(work, "probe.txt")

        def probe(*command):
            # A program started in the virtual desktop under load now and then never comes up
            # (seen on CI's two cores, with every window answering): a probe that has not
            # answered in 20 s is started once more before the wait counts as failed.
            for attempt in (1, 2):
                if os.path.exists(probe_output):
                    os.remove(probe_output)
                desktop.start(program("layer_probe.exe"), "--to", Wine.windows_path(probe_output),
                              *[str(word) for word in command])
                try:
                    wait_for(f"the probe's {command[0]}", lambda: os.path.exists(probe_output),
                             20 if attempt == 1 else 30)
                    break
                except TestFailure:
                    if attempt == 2:
                        raise
                    log(f"the probe's {command[0]} did not answer; starting it again")
            with open(probe_output) as file:
                return file.read().split()

        def model(*command):
            desktop.start(program("explorer_model.exe"), "--command", *[str(w) for w in command])

        def model_lines():
            if not os.path.exists(model_log):
                return []
            with open(model_log, encoding="utf-8") as file:
                return file.read().splitlines()

        def at(point):
            """The classes of the window and the top-level window at a point."""
            return probe("at", *point)

        # The model's icons (where their 32-pixel pictures go): one over entry 1's picture, two
        # in the title's row, which holds no link but the emblem.
        picture = on_screen("picture", 1)
        title = on_screen("title", 0)
        icons = [(picture[0] - 4, picture[1] - 4), (title[0] + 30, title[1] + 8),
                 (area[0] + area[2] - 120, title[1] + 8)]
        desktop.start(program("explorer_model.exe"), "--log", Wine.windows_path(model_log),
                      "--layout", layout,
                      *[str(value) for point in icons for value in ("--icon",) + point])
        wait_for("the model's desktop", lambda: any(line.startswith("ready")
                                                    for line in model_lines()), 60)
        ready = next(line for line in model_lines() if line.startswith("ready")).split()
        time.sleep(0.5)  # the model has put its windows at the bottom
        lower_model_windows()
        log(f"the model of {layout}: shell window {ready[3]}, the list's accessibility "
            f"from the {ready[5]}")
        def logged_icons():
            """The icons' rectangles as the model last logged them."""
            rects = {}
            for line in model_lines():
                if line.startswith("icon "):
                    _, index, left, top, right, bottom = line.split()
                    rects[int(index)] = (int(left), int(top), int(right) - int(left),
                                         int(bottom) - int(top))
            return rects

        def placed(rects):
            """Every icon where the test put it (the list may log its own arrangement first)."""
            return len(rects) == 3 and all(
                rects[index][0] <= point[0] + 16 < rects[index][0] + rects[index][2] and
                rects[index][1] <= point[1] + 16 < rects[index][1] + rects[index][3]
                for index, point in enumerate(icons))

        wait_for("the model's icons in their places", lambda: placed(logged_icons()), 30)
        icon_rects = logged_icons()

        # The icon over entry 1's picture wins.
        icon_point = (icons[0][0] + 16, icons[0][1] + 16)
        wait_for("the icon over the picture to stay on top", lambda: at(icon_point)[:1] == [LIST],
                 30)
        for index, rect in icon_rects.items():
            check(at(centre(rect))[:1] == [LIST], f"icon {index} is not the list's")
        empty = [centre(on_screen("description", 2)), centre(on_screen("description", 5)),
                 (title[0] + 4, title[1] + title[3] - 4)]
        for point in empty:
            check(at(point)[:1] == [LIST], f"the page at {point} is not the shell's: {at(point)}")
        log("the icons and the page between the links belong to the shell's list")

        # Real right-clicks and a drag start reach the list.
        for point in (icon_point, empty[0]):
            move_mouse(origin_x + point[0], origin_y + point[1])
            xdotool("click", "3")
            time.sleep(0.5)
            xdotool("key", "Escape")
        wait_for("the model's right-clicks", lambda: sum(
            1 for line in model_lines() if line.startswith("right-click")) >= 2, 10)
        rights = [line.split() for line in model_lines() if line.startswith("right-click")]
        check(rights[0][3] == "0" and rights[1][3] == "-1", f"right-clicks: {rights}")
        start = (icons[1][0] + 16, icons[1][1] + 16)
        move_mouse(origin_x + start[0], origin_y + start[1])
        xdotool("mousedown", "1")
        for step in range(1, 10):
            xdotool("mousemove", origin_x + start[0] + 4 * step, origin_y + start[1] + 3 * step)
            time.sleep(0.05)
        xdotool("mouseup", "1")
        wait_for("the drag start", lambda: "drag-start 1" in model_lines(), 10)
        # The drag, which the model only logs, ends with a click on the desktop.
        click(origin_x + empty[0][0], origin_y + empty[0][1])
        log("a right-click on an icon and on the page, and a drag start, reach the list")

        # The links: the layer's.
        links = [on_screen(kind, entry) for kind in ("picture", "caption")
                 for entry in range(11) if (kind, entry) != ("picture", 1)
                 and places[(kind, entry)][2] > 0]
        for rect in links:
            found = at(centre(rect))
            check(found[1:] == [LAYER], f"at the link {rect}: {found}")
        log("every picture and caption is the layer's; the icon wins over one")

        # The icons are followed as the user moves and hides them: the picture an icon leaves is
        # the layer's again, the icon's new place the list's; hidden icons leave nothing out.
        moved = (icons[2][0] - 80, icons[2][1])
        model("move-icon", 0, *moved)
        wait_for("the picture the icon left", lambda: at(centre(picture))[1:] == [LAYER], 10)
        check(at((moved[0] + 16, moved[1] + 16))[:1] == [LIST], "the moved icon is not the list's")
        model("move-icon", 0, *icons[0])
        wait_for("the icon back over the picture", lambda: at(icon_point)[:1] == [LIST], 10)
        model("hide-icons")
        wait_for("the picture under the hidden icon", lambda: at(icon_point)[1:] == [LAYER], 10)
        model("show-icons")
        wait_for("the icon shown again", lambda: at(icon_point)[:1] == [LIST], 10)
        log("the layer follows an icon moved off and onto a picture, and icons hidden and shown")

        # A click opens the link: link 0 names a batch file.
        script = os.path.join(folder, b"desktop.js")
        with open(script, "rb") as file:
            text = file.read()
        link = "file:///" + Wine.windows_path(batch).replace("\\", "/").replace(" ", "%20")
        text, count = re.subn(rb'^link\[0\]="[^"]*"', b'link[0]="' + link.encode() + b'"', text,
                              flags=re.MULTILINE)
        check(count == 1, "desktop.js has no link[0]")
        with open(script, "wb") as file:
            file.write(text)
        time.sleep(2)  # the layer reads desktop.js once the folder is quiet
        caption = on_screen("caption", 0)
        lower_model_windows()  # a click on the desktop raised it
        click(origin_x + centre(caption)[0], origin_y + centre(caption)[1])
        wait_for("the batch file the link names to run", lambda: os.path.exists(ran), 60)
        log("a click on a caption opens its link")

        # With the work area the whole monitor the layer's window stays within its links.
        rect = [int(value) for value in probe("rect")]
        check(tuple(area[2:]) == (1024, 768), f"the work area: {area}")
        check(rect[2] - rect[0] < 1024 or rect[3] - rect[1] < 768,
              f"the layer's window {rect} covers the monitor")
        log(f"the layer's window {rect} is smaller than the monitor")
        desktop.save(os.path.join(arguments.screenshots, f"layer-shell-{layout}.png"))

        # "Show desktop" over an application, the Start menu between, the application again.
        desktop.start("notepad")
        wait_for("notepad over the page", lambda: at(centre(caption))[1:2] == ["Notepad"], 60)
        covered = centre(caption)
        elapsed = probe("show-desktop", *covered)
        check(elapsed != ["timeout"] and int(elapsed[0]) <= 500,
              f"the links above the raised desktop after {elapsed} ms")
        log(f"'show desktop' brought the links up in {elapsed[0]} ms")
        model("start-menu")
        wait_for("the Start menu stand-in", lambda: "MirellaModelStartMenu" in probe("z-order"),
                 30)
        time.sleep(0.5)
        check(at(covered)[1:2] == [LAYER], "the Start menu took the links away")
        check(at(icon_point)[:1] == [LIST], "the icon over the picture is no longer on top")
        elapsed = probe("activate", "Notepad", *covered)
        check(elapsed != ["timeout"], "the layer stayed above the application brought forward")
        wait_for("notepad over the page again", lambda: at(covered)[1:2] == ["Notepad"], 10)
        log("the Start menu keeps the links shown; an application brought forward covers them")

        # Explorer restarted: the layer stands above the new shell window, cut around the icons.
        model("restart")
        wait_for("the model made anew", lambda: any(line.startswith("restarted")
                                                    for line in model_lines()), 30)
        # The icons notepad leaves uncovered.
        shown_icons = [point for point in (icon_point, (icons[2][0] + 16, icons[2][1] + 16))
                       if at(point)[1:2] != ["Notepad"]]
        check(shown_icons, "notepad covers every icon")
        for point in shown_icons:
            wait_for(f"the new list at {point}", lambda: at(point)[:1] == [LIST], 10)
        free = [centre(on_screen("caption", entry)) for entry in range(11)
                if at(centre(on_screen("caption", entry)))[1:2] != ["Notepad"]]
        check(free, "notepad covers every caption")
        wait_for("the layer above the new shell window", lambda: at(free[0])[1:2] == [LAYER], 10)
        log("after Explorer's restart the layer stands above the new shell window, cut around "
            "its icons")
    finally:
        if desktop.window is not None:
            desktop.save(os.path.join(arguments.screenshots, f"layer-shell-{layout}-last.png"))
        wine.shut_down()


if __name__ == "__main__":
    run_test(test)
