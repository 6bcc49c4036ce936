"""desktop.exe under Wine: the splash, then the main window with its caption, its fixed border
and its 398 x 392 client area; the command labels' hover colours read back from the screen;
Exit ends the program. Saves screenshots of the splash and of the main menu."""

import os
import subprocess

from mirella_gui import (Layout, MainWindow, Program, Wine, check, click, fresh_program_folder,
                         inside, log, move_mouse, run_test, screenshot, visible_windows, wait_for,
                         wait_for_window, window_geometry)

WHITE = (255, 255, 255)
DESIGN_GREY = (224, 224, 224)
HOVER_AREA_GREY = (220, 220, 220)

# A point of the main menu page, on its hover area frm_pal(0), away from every label and picture.
HOVER_AREA_POINT = (4800, 3400)

# _MOTIF_WM_HINTS as Wine sets them from the window's style.
MWM_FUNC_RESIZE, MWM_FUNC_MINIMIZE, MWM_FUNC_MAXIMIZE = 0x02, 0x08, 0x10
MWM_DECOR_BORDER, MWM_DECOR_TITLE = 0x02, 0x08
MWM_DECOR_MINIMIZE, MWM_DECOR_MAXIMIZE = 0x20, 0x40


def motif_hints(window):
    """(functions, decorations) that Wine asks of the window manager."""
    output = subprocess.run(["xprop", "-id", str(window), "_MOTIF_WM_HINTS"],
                            capture_output=True, text=True).stdout
    check("=" in output, f"window {window} has no _MOTIF_WM_HINTS: {output.strip()}")
    values = [int(value, 16) for value in output.split("=", 1)[1].split(",")]
    return values[1], values[2]


def distinct_colours(image, rect):
    x0, y0, width, height = rect
    return len({image.pixel(x, y) for y in range(y0, y0 + height, 3)
                for x in range(x0, x0 + width, 3)})


def label_colours(main, layout, image, index):
    rect = main.rect(layout.rect("label", index))
    return {colour: image.count(rect, colour) for colour in (WHITE, DESIGN_GREY, HOVER_AREA_GREY)}


def test(arguments):
    layout = Layout(arguments.layout)
    splash_caption = layout.text("splash", form="splash")
    splash_pixels = layout.client_pixels("splash")
    main_caption = layout.text("main")
    client_pixels = layout.client_pixels("main")
    page_back = layout.back("frm_main")
    main_menu_labels = layout.children("label", "frm_main")
    wine = Wine(arguments.prefix)
    wine.prepare_prefix()
    folder, _ = fresh_program_folder(arguments.program, arguments.work)
    program = Program(wine, folder)
    try:
        # The splash: borderless, 624 x 203, painted with its picture.
        splash = wait_for_window(splash_caption, 90)
        # The pointer goes away from where the main window opens, so that no hover happens by
        # itself. (Only now: while no client is connected, Xvfb resets and centres the pointer.)
        move_mouse(1, 1)
        geometry = window_geometry(splash)
        check(geometry is not None and geometry[2:] == splash_pixels,
              f"the splash is {geometry}, expected a client area of {splash_pixels}")
        functions, decorations = motif_hints(splash)
        check(decorations == 0, f"the splash asks for decorations {decorations:#x}, expected none")
        def splash_painted():
            shown = window_geometry(splash)
            check(shown is not None, "the splash closed before it was painted")
            return distinct_colours(screenshot(), shown) > 50
        wait_for("the splash's first paint", splash_painted, 30)
        screenshot().save_png(os.path.join(arguments.screenshots, "splash.png"), geometry)

        # Then the main window: caption, fixed border without minimize and maximize, 398 x 392.
        main_window = wait_for_window(main_caption, 120)
        check(splash not in visible_windows(), "the splash is still shown beside the main window")
        main = MainWindow(main_window)
        check((main.width, main.height) == client_pixels,
              f"the main window's client area is {main.width} x {main.height}, "
              f"expected {client_pixels[0]} x {client_pixels[1]}")
        functions, decorations = motif_hints(main_window)
        check(decorations & MWM_DECOR_TITLE and decorations & MWM_DECOR_BORDER,
              f"the main window has no caption or border (decorations {decorations:#x})")
        check(not decorations & (MWM_DECOR_MINIMIZE | MWM_DECOR_MAXIMIZE),
              f"the main window offers minimize or maximize (decorations {decorations:#x})")
        check(not functions & (MWM_FUNC_RESIZE | MWM_FUNC_MINIMIZE | MWM_FUNC_MAXIMIZE),
              f"the main window can be resized, minimized or maximized ({functions:#x})")
        page = main.rect(layout.rect("frm_main"))
        wait_for("the main menu page to be painted",
                 lambda: screenshot().count(page, page_back) > page[2] * page[3] // 3, 30)

        # Before any hover the labels have their design colour.
        image = screenshot()
        for index in main_menu_labels:
            colours = label_colours(main, layout, image, index)
            check(colours[DESIGN_GREY] > 100 and colours[WHITE] == 0,
                  f"label({index}) before any hover: {colours}, expected RGB(224, 224, 224)")

        # Over a command label, that label's text turns white; the others keep their colour.
        x, y, width, height = main.rect(layout.rect("label", 0))
        move_mouse(x + 40, y + height // 2)
        wait_for("label(0) to turn white",
                 lambda: label_colours(main, layout, screenshot(), 0)[WHITE] > 100, 10)
        image = screenshot()
        check(label_colours(main, layout, image, 0)[DESIGN_GREY] == 0,
              "label(0) is white only in part")
        for index in main_menu_labels[1:]:
            colours = label_colours(main, layout, image, index)
            check(colours[WHITE] == 0, f"label({index}) turned white too: {colours}")
        image.save_png(os.path.join(arguments.screenshots, "main-menu.png"), main.client_rect)

        # Over the hover area, all of them turn RGB(220, 220, 220).
        hover_left, hover_top, _, _ = inside(layout.rect("frm_main"), *HOVER_AREA_POINT, 0, 0)
        move_mouse(*main.point(hover_left, hover_top))
        wait_for("label(0) to leave white",
                 lambda: label_colours(main, layout, screenshot(), 0)[WHITE] == 0, 10)
        image = screenshot()
        for index in main_menu_labels:
            colours = label_colours(main, layout, image, index)
            check(colours[HOVER_AREA_GREY] > 100 and colours[WHITE] == 0
                  and colours[DESIGN_GREY] == 0,
                  f"label({index}) over the hover area: {colours}, expected RGB(220, 220, 220)")

        # "Выйти из программы" ends the program at once.
        x, y, width, height = main.rect(layout.rect("label", 4))
        click(x + 40, y + height // 2)
        code = program.wait_for_end(60)
        check(code == 0, f"desktop.exe ended with code {code}")
        log("splash, main window, hover colours and Exit are as expected")
    finally:
        wine.shut_down()


if __name__ == "__main__":
    run_test(test)
