"""The desktop layer in Wine's virtual desktop, as Windows 7. Apply (run by a helper that reports
where the layer shows its links) starts `desktop.exe /layer`: the pointer over a caption turns it
#0000FF, which only the layer does, never the wallpaper under it. desktop.js changed on disk is
drawn again at once; a click on an entry whose link names a batch file runs it, and so does its
default action as a screen reader in another process runs it, which reads every entry's caption as
a link with "Перейти" for its default action; a link whose file is missing shows the shell's
message and the layer goes on. The layer stays above a shell window made
anew when the taskbar's message comes (Windows keeps the shell window under every window), draws
itself and the wallpaper again at a new DPI and at a new screen resolution, and back as it was. Another program's window stays above the layer, also after a
click on the layer. A second `/layer` start ends at once and leaves one layer; `/restore /quiet`
ends the layer and removes its Run value. Then a new user's Apply in the wizard starts the layer
again: the wizard's message stands above it, shown whole, and a real click on its OK closes it;
the wizard ends and the layer goes on."""

import os
import re
import shutil

from mirella_gui import (APPLICATION_TITLE, WINE_CODE_PAGE, Layout, MainWindow, Wine, check, click,
                         fresh_program_folder, log, move_mouse, run_test, screenshot, wait_for,
                         wait_for_window, wait_for_window_gone, window_geometry)
from test_accessibility import ROLE_LINK
from test_install_flow import APPLY_LABEL, Flow
from test_restore import XP_SETTING_KEY, VirtualDesktop, app_data

RUN_KEY = "Software\\Microsoft\\Windows\\CurrentVersion\\Run"
LAYER = "MirellaDesktopLayer"
HOVER = (0, 0, 255)
DOCS_SCREENSHOT = os.path.join(os.path.dirname(__file__), "..", "..", "docs", "layer.png")


def desktop_processes(wine):
    """The running desktop.exe processes of this test's prefix, from their command lines and the
    drive C they map (another test's may run in its own prefix): {id: the arguments, lower case}."""
    drive = os.fsencode(os.path.join(wine.prefix, "drive_c"))
    found = {}
    for name in filter(str.isdigit, os.listdir("/proc")):
        try:
            with open(f"/proc/{name}/cmdline", "rb") as file:
                words = file.read().lower().rstrip(b"\0").split(b"\0")
            if not words[0].endswith(b"desktop.exe"):
                continue
            with open(f"/proc/{name}/maps", "rb") as file:
                if drive in file.read():
                    found[int(name)] = words[1:]
        except OSError:
            continue
    return found


def layer_processes(wine):
    """The ids of the running `desktop.exe /layer` processes of this test's prefix."""
    return [pid for pid, words in desktop_processes(wine).items() if b"/layer" in words]


def prepare_layer_run(wine, arguments, work, helpers):
    """A fresh program folder holding the helper programs, Windows 7 as Wine reports it, no saved
    previous desktop, and a batch file for an entry's link: (folder, its Windows path, the file
    the batch writes when it runs, the batch file)."""
    folder, windows_folder = fresh_program_folder(arguments.program, os.path.join(work, "program"))
    for helper in helpers:
        shutil.copy(helper, os.path.join(folder, os.path.basename(helper).encode()))
    wine.delete_registry_key(XP_SETTING_KEY)
    saved = os.path.join(app_data(wine), "Mirella", "previous desktop.dat")
    if os.path.exists(saved):
        os.remove(saved)
    ran = os.path.join(work, "ran.txt")
    batch = os.path.join(work, "open me.bat")
    with open(batch, "w", newline="\r\n") as file:
        file.write(f"@echo opened> \"{Wine.windows_path(ran)}\"\n")
    return folder, windows_folder, ran, batch


def read_places(path):
    """What the helper reported: {(kind, entry): (x, y, width, height)} in the work area."""
    with open(path, encoding="utf-8") as file:
        lines = file.read().splitlines()
    check(lines and lines[0] == "applied", f"Apply as Windows 7: {lines[:1]}")
    places = {}
    for line in lines[1:]:
        kind, entry, left, top, right, bottom = line.split()
        places[(kind, int(entry))] = (int(left), int(top), int(right) - int(left),
                                      int(bottom) - int(top))
    return places


def same_pixels(first, second, rect, hole=None):
    """Whether two screenshots agree on every pixel of rect (x, y, width, height), but for those
    of the rectangle `hole`."""
    x, y, width, height = rect

    def row_of(image, row):
        pixels = image.pixels[((y + row) * image.width + x) * 3:((y + row) * image.width + x
                                                                 + width) * 3]
        if hole is not None and hole[1] <= y + row < hole[1] + hole[3]:
            start, end = (hole[0] - x) * 3, (hole[0] + hole[2] - x) * 3
            pixels = pixels[:max(start, 0)] + pixels[max(end, 0):]
        return pixels
    return all(row_of(first, row) == row_of(second, row) for row in range(height))


def navy_share(image, x0, x1, y):
    """The share of the points of a row from x0 to x1 in the bars' navy (their pictures lighten
    it somewhat)."""
    points = [image.pixel(x, y) for x in range(x0, x1, 4)]
    return sum(1 for r, g, b in points if r < 60 and g < 60 and b > 90) / len(points)


def test(arguments):
    check(arguments.apply_helper and arguments.probe and arguments.accessibility_probe,
          "the test needs --apply-helper, --probe and --accessibility-probe")
    layout = Layout(arguments.layout)
    wine = Wine(arguments.prefix, arguments.wine)
    wine.prepare_prefix()
    work = os.path.abspath(arguments.work)
    folder, windows_folder, ran, batch = prepare_layer_run(
        wine, arguments, work,
        (arguments.apply_helper, arguments.probe, arguments.accessibility_probe))

    desktop = VirtualDesktop(wine)
    result_file = os.path.join(work, "apply-result.txt")
    try:
        desktop.start((windows_folder + "\\layer_apply.exe").encode(WINE_CODE_PAGE),
                      Wine.windows_path(result_file))
        wait_for("the helper's Apply", lambda: os.path.exists(result_file), 90)
        places = read_places(result_file)
        wait_for("the layer's process", lambda: len(layer_processes(wine)) == 1, 30)
        command = wine.registry_value(RUN_KEY, "Mirella")
        check(command == f"\"{windows_folder}\\desktop.exe\" /layer",
              f"the Run value is {command!r}")

        origin_x, origin_y, _, _ = window_geometry(desktop.window)
        probe_output = os.path.join(work, "probe.txt")

        def probe(*command):
            """What layer_probe.exe, run in the desktop, wrote: its words, or [] on failure."""
            if os.path.exists(probe_output):
                os.remove(probe_output)
            desktop.start((windows_folder + "\\layer_probe.exe").encode(WINE_CODE_PAGE), "--to",
                          Wine.windows_path(probe_output), *command)
            wait_for(f"the probe's {command[0]}", lambda: os.path.exists(probe_output), 30)
            with open(probe_output) as file:
                return file.read().split()

        area = places[("workarea", 0)]

        def screen_rect(kind, entry):
            x, y, width, height = places[(kind, entry)]
            return origin_x + area[0] + x, origin_y + area[1] + y, width, height

        def centre(rect):
            return rect[0] + rect[2] // 2, rect[1] + rect[3] // 2

        def hover_pixels(rect):
            return screenshot().count(rect, HOVER)

        # The hover colour: only the layer's window draws it.
        caption = screen_rect("caption", 1)
        move_mouse(*centre(caption))
        wait_for("the caption under the pointer in #0000FF", lambda: hover_pixels(caption) > 20,
                 30)
        move_mouse(origin_x + 2, origin_y + 2)
        wait_for("the caption back in its own colour", lambda: hover_pixels(caption) == 0, 30)
        desktop.save(os.path.join(arguments.screenshots, "layer.png"))
        log("the layer draws the desktop; a caption under the pointer turns #0000FF")

        # desktop.js changed on disk (as another Apply writes it): the layer draws the new caption
        # and takes the new link, told of it by the folder's change notification alone.
        title = screen_rect("title", 0)
        changed_caption = screen_rect("caption", 2)
        # The caption's box and its underline and overhangs.
        caption_hole = (changed_caption[0] - 4, changed_caption[1] - 4, changed_caption[2] + 8,
                        changed_caption[3] + 8)
        before = screenshot()
        script = os.path.join(folder, b"desktop.js")
        with open(script, "rb") as file:
            text = file.read()
        new_caption = "Ёжик в тумане".encode(WINE_CODE_PAGE)
        text, titles = re.subn(rb'^caption\[2\]="[^"]*"', b'caption[2]="' + new_caption + b'"',
                               text, flags=re.MULTILINE)
        link = "file:///" + Wine.windows_path(batch).replace("\\", "/").replace(" ", "%20")
        text, links = re.subn(rb'^link\[0\]="[^"]*"', b'link[0]="' + link.encode() + b'"', text,
                              flags=re.MULTILINE)
        missing = link.replace("open%20me.bat", "missing.bat")
        text, missing_links = re.subn(rb'^link\[1\]="[^"]*"', b'link[1]="' + missing.encode()
                                      + b'"', text, flags=re.MULTILINE)
        check(titles == 1 and links == 1 and missing_links == 1,
              "desktop.js has not the expected lines")
        with open(script, "wb") as file:
            file.write(text)

        def caption_changed():
            now = screenshot()
            x0, y0, width, height = changed_caption
            return sum(1 for y in range(y0, y0 + height) for x in range(x0, x0 + width)
                       if now.pixel(x, y) != before.pixel(x, y)) > 50
        wait_for("the new caption on the layer", caption_changed, 30)
        log("a changed desktop.js is drawn again")

        click(*centre(screen_rect("caption", 0)))
        wait_for("the batch file the link names to run", lambda: os.path.exists(ran), 60)
        log("a click on an entry opened its link")

        # A screen reader in another process sees every entry's caption, as desktop.js has it
        # now, as a link of the layer's whose default action, "Перейти", opens it as a click does.
        reader_output = os.path.join(work, "reader.txt")

        def reader(*command):
            """What accessibility_probe.exe, run in the desktop on the layer, wrote: its lines."""
            if os.path.exists(reader_output):
                os.remove(reader_output)
            desktop.start((windows_folder + "\\accessibility_probe.exe").encode(WINE_CODE_PAGE),
                          "--to", Wine.windows_path(reader_output), "--class", LAYER, *command)
            wait_for("the screen reader's probe", lambda: os.path.exists(reader_output), 30)
            with open(reader_output, encoding="utf-8") as file:
                return file.read().splitlines()
        links = {}
        for line in reader():
            role, _, action, name = line.split("\t", 3)
            if int(role) == ROLE_LINK:
                links[name] = action
        with open(script, "rb") as file:
            captions = re.findall(r'^caption\[\d+\]="([^"]*)"', file.read().decode(WINE_CODE_PAGE),
                                  re.MULTILINE)
        check(len(captions) == 11 and all(links.get(name) == "Перейти" for name in captions),
              f"the layer's links {links} lack a caption of {captions}")
        os.remove(ran)
        check(reader("--do", captions[0]) == ["done"], "the link's default action failed")
        wait_for("the link opened by its default action", lambda: os.path.exists(ran), 60)
        log("a screen reader reads every caption as a link, and its default action opens it")

        # A link whose file is missing: the shell's message, over the layer that goes on.
        click(*centre(screen_rect("caption", 1)))
        wait_for("the shell's message about the missing file", lambda: probe("dialog"), 60)
        check(len(layer_processes(wine)) == 1,
              f"the layer ended after a link that cannot be opened: {layer_processes(wine)}")
        move_mouse(origin_x + 2, origin_y + 2)
        caption = screen_rect("caption", 2)
        move_mouse(*centre(caption))
        wait_for("the hover after the message", lambda: hover_pixels(caption) > 20, 30)
        move_mouse(origin_x + 2, origin_y + 2)
        wait_for("the caption back in its own colour", lambda: hover_pixels(caption) == 0, 30)
        log("a link that cannot be opened shows the shell's message; the layer goes on")

        # Explorer started again: its new shell window at the bottom, then the taskbar's message.
        # Windows keeps the shell window under every window: the layer stays just above it.
        where = probe("shell-restart")
        check(where == ["above", "1", "above", "1"],
              f"the layer before and after the taskbar's message: {where}")
        log("after the taskbar's message the layer stands just above the new shell window")

        # Another DPI and another resolution: drawn again for each, and back as it was.
        shown = screenshot()
        layer_area = (origin_x, origin_y, 1024, 768)
        check(probe("dpi", "144") == ["done"], "the probe could not send the DPI change")

        def bigger_title():
            now = screenshot()
            return sum(1 for y in range(title[1], title[1] + title[3], 2)
                       for x in range(title[0], title[0] + title[2], 2)
                       if now.pixel(x, y) != shown.pixel(x, y)) > 300
        wait_for("the layer drawn at 144 dpi", bigger_title, 30)
        desktop.save(os.path.join(arguments.screenshots, "layer-144dpi.png"))
        probe("dpi", "96")
        # The wallpaper, drawn anew with the layer, now has the caption changed above too.
        wait_for("the layer drawn at 96 dpi as before",
                 lambda: same_pixels(screenshot(), shown, layer_area, caption_hole), 30)
        log("a DPI change draws the layer again at the new DPI")

        def within(width, height):
            # The layer covers its links only: within the work area, and smaller than it.
            rect = [int(value) for value in probe("rect")]
            return (len(rect) == 4 and rect[0] >= 0 and rect[1] >= 0 and rect[2] <= width
                    and rect[3] < height and rect[2] > width // 2)
        whole_rect = probe("rect")
        check(probe("display", "800", "600") == ["done"], "Wine did not change the resolution")
        wait_for("the layer within the new work area", lambda: within(800, 600), 30)
        # Left of the bar's text, where the page drawn for 768 rows has its first column.
        wait_for("the bottom bar at the new bottom",
                 lambda: navy_share(screenshot(), origin_x + 10, origin_x + 250,
                                    origin_y + 585) > 0.9, 30)
        desktop.save(os.path.join(arguments.screenshots, "layer-800x600.png"))
        probe("display", "1024", "768")
        wait_for("the layer back where it was", lambda: probe("rect") == whole_rect, 30)
        wait_for("the layer drawn as before",
                 lambda: same_pixels(screenshot(), shown, layer_area, caption_hole), 30)
        log("a new resolution lays the layer and the wallpaper out again for the work area")

        # Another program's window over the layer: a click on the layer (not on a link) leaves
        # it below. The hover after the click shows that the layer has handled the click.
        empty = screenshot()
        desktop.start("notepad")

        def covered():
            """The box of the points that changed, once enough have."""
            now = screenshot()
            changed = [(x, y) for y in range(origin_y, origin_y + 768, 8)
                       for x in range(origin_x, origin_x + 1024, 8)
                       if now.pixel(x, y) != empty.pixel(x, y)]
            if len(changed) < 200:
                return None
            xs, ys = [x for x, _ in changed], [y for _, y in changed]
            return min(xs) - 8, min(ys) - 8, max(xs) + 8, max(ys) + 8
        wait_for("another program's window", covered, 60)
        left, top, right, bottom = covered()

        def inside(x, y):
            return left <= x <= right and top <= y <= bottom
        over = screenshot()
        captions = [screen_rect("caption", entry) for entry in range(11)
                    if not inside(*centre(screen_rect("caption", entry)))]
        check(captions, "every caption is under the other window")
        bottom_bar = (origin_x + area[0] + area[2] - 30, origin_y + area[1] + area[3] - 12)
        check(not inside(*bottom_bar), "the other window covers the bottom bar")
        click(*bottom_bar)
        move_mouse(*centre(captions[-1]))
        wait_for("the hover after the click", lambda: hover_pixels(captions[-1]) > 20, 30)
        now = screenshot()
        window_points = [(x, y) for y in range(top, bottom, 4) for x in range(left, right, 4)]
        same = sum(1 for x, y in window_points if now.pixel(x, y) == over.pixel(x, y))
        check(same >= 0.98 * len(window_points),
              f"the other window lost {len(window_points) - same} points to the layer")
        desktop.save(os.path.join(arguments.screenshots, "layer-under-window.png"))
        log("another window stays above the layer after a click on the layer")

        # One layer per session: a second start ends at once with 0.
        code = wine.run(os.path.join(folder, b"desktop.exe"), "/layer", timeout=60).returncode
        check(code == 0, f"a second /layer ended with {code}")
        check(len(layer_processes(wine)) == 1, f"layers running: {layer_processes(wine)}")
        log("a second /layer start leaves one layer")

        # /restore /quiet in the same desktop (as the uninstaller runs it) ends the layer.
        desktop.start((windows_folder + "\\desktop.exe").encode(WINE_CODE_PAGE), "/restore",
                      "/quiet")
        wait_for("the layer to end", lambda: not layer_processes(wine), 60)
        check(wine.registry_value(RUN_KEY, "Mirella") is None, "the Run value is still there")
        log("/restore ends the layer and removes its Run value")

        # A new user's Apply in the wizard starts the layer, whose window is made after the
        # wizard's; the message that follows stands above the layer. (Wine's desktop stacks its
        # X windows in the order they were made, not as Windows' z-order has them: a box made
        # before the layer's window would show the layer's links through it.)
        desktop.start((windows_folder + "\\desktop.exe").encode(WINE_CODE_PAGE))
        main = MainWindow(wait_for_window(layout.text("main"), 120),
                          client=layout.client_pixels("main"))
        flow = Flow(main, layout, None)
        flow.open_settings_page()
        flow.choose_missing_links()
        flow.click_label(APPLY_LABEL)
        box = wait_for_window(APPLICATION_TITLE, 30)
        wait_for("the layer's window", lambda: LAYER in probe("z-order"), 30)
        box_x, box_y, box_width, box_height = window_geometry(box)
        box_points = [(x, y) for y in range(box_y, box_y + box_height)
                      for x in range(box_x, box_x + box_width)]
        last = [screenshot()]

        def settled():
            """The screen once two shots in a row agree over the box (the layer has painted)."""
            now = screenshot()
            same = all(now.pixel(x, y) == last[0].pixel(x, y) for x, y in box_points)
            last[0] = now
            return now if same else None
        with_box = wait_for("the screen to settle with the message", settled, 30, interval=0.5)
        with_box.save_png(os.path.join(arguments.screenshots, "layer-apply-message.png"),
                          window_geometry(desktop.window))
        left, top, right, bottom = [int(word) for word in probe("ok-button", APPLICATION_TITLE)]
        click(origin_x + (left + right) // 2, origin_y + (top + bottom) // 2)
        wait_for_window_gone(box, 10)
        wait_for("the wizard to end", lambda: not [
            pid for pid, words in desktop_processes(wine).items() if not words], 30)
        check(len(layer_processes(wine)) == 1,
              f"the layer did not go on after the wizard: {layer_processes(wine)}")
        # Where the layer stood above the box, the box's place would show the page as the layer
        # and the wallpaper showed it before notepad came.
        through = sum(1 for x, y in box_points if with_box.pixel(x, y) == empty.pixel(x, y))
        check(through < 0.01 * len(box_points),
              f"{through} of the message's {len(box_points)} pixels showed the page under it")
        log("the wizard's message after Apply stood whole above the starting layer and closed "
            "with a click on its OK; the wizard ended, the layer goes on")
    finally:
        if desktop.window is not None:
            desktop.save(os.path.join(arguments.screenshots, "layer-last.png"))
        wine.shut_down()


if __name__ == "__main__":
    run_test(test)
