"""desktop.exe under Wine at 100 %, 150 % and 200 % display scale (LogPixels 96, 144, 192), each
in a Wine prefix of its own: the main window's client area is its laid-out size at that DPI,
the page frame and the command labels stand at their scaled places, the text is drawn at the
scaled size and as sharply as at 100 % (not a magnified 100 % picture), and a click at the
scaled place of "Выйти из программы" ends the program. desktop.exe's manifest declares the DPI awareness
that gives this on Windows. At 150 % and 200 % the Win32 tests' check of the input box without
the functions newer than XP runs too: its text at the 96 dpi that XP lays out at. Saves
main-menu-100/150/200.png."""

import os

from mirella_gui import (Layout, MainWindow, Program, TestFailure, Wine, check, click,
                         find_window, fresh_program_folder, inside, log, move_mouse, run_test,
                         screenshot, wait_for, wait_for_window)

# 100 % first: the other scales are measured against it.
SCALES = ((96, "100"), (144, "150"), (192, "200"))
# Where Wine keeps the system DPI.
DPI_KEY = "Control Panel\\Desktop"
DPI_VALUE = "LogPixels"

LABEL_DESIGN_GREY = (224, 224, 224)
WHITE = (255, 255, 255)

EXIT_LABEL = 4  # "Выйти из программы", label(4) of the main menu
# A row and a column of the page with no control on them, page coordinates in twips.
FREE_PAGE_ROW = 3600
FREE_PAGE_COLUMN = 4800

# Rounding of twips to whole pixels, and of the font's size to whole pixels.
PIXEL_TOLERANCE = 1
SCALE_TOLERANCE = 0.15


def ink_box(image, rect, colour):
    """(left, top, right, bottom), exclusive, of the pixels of rect with exactly this colour, or
    None."""
    x0, y0, width, height = rect
    xs, ys = [], []
    for y in range(y0, y0 + height):
        for x in range(x0, x0 + width):
            if image.pixel(x, y) == colour:
                xs.append(x)
                ys.append(y)
    if not xs:
        return None
    return min(xs), min(ys), max(xs) + 1, max(ys) + 1


def solid_share(image, rect, ink, background):
    """Of the pixels of rect that are not the background, the share drawn in exactly the ink's
    colour. Sharp text is mostly solid ink with a thin anti-aliased rim; text magnified from a
    smaller picture with smoothing is mostly rim."""
    x0, y0, width, height = rect
    solid = rim = 0
    for y in range(y0, y0 + height):
        for x in range(x0, x0 + width):
            colour = image.pixel(x, y)
            if colour == ink:
                solid += 1
            elif colour != background:
                rim += 1
    return solid / max(solid + rim, 1)


def doubled_share(image, rect):
    """The share of the 2 x 2 blocks of rect that hold one colour where their neighbourhood does
    not, at the block grid that gives the most: near 1 for a picture magnified twice by
    repeating its pixels, about half for text drawn at the full resolution."""
    x0, y0, width, height = rect
    best = 0.0
    for ox in (0, 1):
        for oy in (0, 1):
            uniform = mixed = 0
            for y in range(y0 + oy + 1, y0 + height - 2, 2):
                for x in range(x0 + ox + 1, x0 + width - 2, 2):
                    block = {image.pixel(x + dx, y + dy) for dx in (0, 1) for dy in (0, 1)}
                    wider = {image.pixel(x + dx, y + dy) for dx in range(-1, 3)
                             for dy in range(-1, 3)}
                    if len(wider) == 1:
                        continue  # flat: says nothing either way
                    if len(block) == 1:
                        uniform += 1
                    else:
                        mixed += 1
            best = max(best, uniform / max(uniform + mixed, 1))
    return best


def colour_run(image, start, step, colour):
    """From start (x, y), how far the colour reaches along step (dx, dy): the last point that
    still has it."""
    x, y = start
    dx, dy = step
    check(image.pixel(x, y) == colour,
          f"expected RGB{colour} at ({x}, {y}), found RGB{image.pixel(x, y)}")
    while (0 <= x + dx < image.width and 0 <= y + dy < image.height
           and image.pixel(x + dx, y + dy) == colour):
        x, y = x + dx, y + dy
    return x, y


def near(actual, expected, tolerance=PIXEL_TOLERANCE):
    return abs(actual - expected) <= tolerance


def check_page_frame(main, layout, image):
    """The page frame's blue reaches exactly its scaled edges, on a row and a column of it that
    no control covers."""
    page = layout.rect("frm_main")
    page_back = layout.back("frm_main")
    left, top, width, height = main.rect(page)
    right, bottom = left + width - 1, top + height - 1
    row_x, row_y = main.point(*inside(page, FREE_PAGE_COLUMN, FREE_PAGE_ROW, 0, 0)[:2])
    found_left = colour_run(image, (row_x, row_y), (-1, 0), page_back)[0]
    found_right = colour_run(image, (row_x, row_y), (1, 0), page_back)[0]
    found_top = colour_run(image, (row_x, row_y), (0, -1), page_back)[1]
    found_bottom = colour_run(image, (row_x, row_y), (0, 1), page_back)[1]
    found = (found_left, found_top, found_right, found_bottom)
    expected = (left, top, right, bottom)
    log(f"  page frame: edges {found}, expected {expected}")
    check(all(near(a, e) for a, e in zip(found, expected)),
          f"the page frame's edges are {found} on the screen, expected {expected}")


def measure_labels(main, layout, image):
    """Per visible command label: its text's ink box, checked to start at the label's scaled
    top left and to fit it unclipped; returns the mean ink height and the mean solid share."""
    heights, shares = [], []
    for index in layout.children("label", "frm_main"):
        rect = main.rect(layout.rect("label", index))
        x, y, width, height = rect
        # Look around the label too: text drawn at unscaled places would lie outside it.
        margin = main.pixels(300)
        around = (x - margin, y - margin, width + 2 * margin, height + 2 * margin)
        box = ink_box(image, around, LABEL_DESIGN_GREY)
        check(box is not None, f"label({index}): no text of RGB{LABEL_DESIGN_GREY} near {rect}")
        left, top, right, bottom = box
        log(f"  label({index}): rectangle {rect}, ink {box}")
        slack = main.pixels(60)  # the glyphs' side bearing and the line's internal leading
        check(x <= left <= x + slack and y <= top <= y + slack,
              f"label({index}): its text starts at ({left}, {top}), expected within {slack} "
              f"pixels of the label's top left ({x}, {y})")
        # The whole caption fits on one line with room to spare: the font is not larger than
        # the label was laid out for (wider text would be cut off or wrapped out of sight).
        check(right < x + width - slack and bottom <= y + height,
              f"label({index}): its text reaches ({right}, {bottom}), beyond the label's "
              f"{x + width - slack}, {y + height}: cut off or wrapped")
        heights.append(bottom - top)
        shares.append(solid_share(image, rect, LABEL_DESIGN_GREY, layout.back("frm_main")))
    return sum(heights) / len(heights), sum(shares) / len(shares)


def measure_title(main, layout, image):
    """The ink box of the white title "Главное меню" (frm_name), right-aligned in its scaled
    rectangle."""
    rect = main.rect(layout.rect("frm_name"))
    x, y, width, height = rect
    box = ink_box(image, rect, WHITE)
    check(box is not None, f"no white title text in {rect}")
    log(f"  title: rectangle {rect}, ink {box}")
    slack = main.pixels(90)
    check(x + width - slack <= box[2] <= x + width,
          f"the title's text ends at x {box[2]}, expected within {slack} pixels of the "
          f"rectangle's right edge {x + width}")
    return box


def check_manifest(program):
    """desktop.exe carries its manifest with per-monitor DPI awareness. Wine 8 draws every
    process at the real DPI whatever its manifest says, so the screen cannot show this part:
    on Windows, without it, the system would draw the window at 96 dpi and magnify it, blurred."""
    with open(os.path.join(program, "desktop.exe"), "rb") as file:
        executable = file.read()
    for declaration in (b">true/PM</dpiAware>", b">PerMonitorV2, PerMonitor</dpiAwareness>"):
        check(declaration in executable,
              f"desktop.exe has no manifest declaring {declaration.decode()}")


# The input box on a system laid out as XP is: no newer functions, 96 dpi.
XP_INPUT_BOX_TEST = "WithoutNewerFunctionsTest.TheInputBoxTakesTheMessageFontAtTheLayoutsDpi"


def check_xp_input_box(wine, win32_tests, dpi):
    """Runs the Win32 tests' input box check in this prefix, where the screen's DPI is not 96."""
    result = wine.run(win32_tests, f"--gtest_filter={XP_INPUT_BOX_TEST}")
    output = result.stdout.decode("utf-8", "replace")
    log(f"  the XP input box's font at {dpi} dpi: exit code {result.returncode}")
    check(result.returncode == 0 and f"[       OK ] {XP_INPUT_BOX_TEST}" in output,
          f"at {dpi} dpi the input box without the newer functions failed its check:\n{output}")


def run_at(arguments, layout, dpi, percent, baseline):
    """Starts desktop.exe at this DPI, checks its main menu against the 100 % measurements in
    baseline (None at 100 %), exits it through its Exit label and returns its measurements."""
    wine = Wine(os.path.join(arguments.prefix, f"dpi-{dpi}"))
    wine.prepare_prefix()
    wine.set_registry_dword(DPI_KEY, DPI_VALUE, dpi)
    folder, _ = fresh_program_folder(arguments.program, os.path.join(arguments.work, str(dpi)))
    # A prefix's first start may find Wine's own desktop process not yet able to reach the
    # display on a busy machine ("no driver could be loaded"); then the program gets one more
    # start with the prefix's processes ended.
    for attempt in (1, 2):
        program = Program(wine, folder)

        def splash_shown():
            check(program.running(),
                  f"desktop.exe ended with code {program.process.returncode} before its splash")
            return find_window(layout.text("splash", form="splash"))
        try:
            wait_for("the splash", splash_shown, 90)
            break
        except TestFailure:
            wine.shut_down()
            if attempt == 2:
                raise
            log("no splash after 90 s: starting desktop.exe once more")
    try:
        # The pointer leaves the place where the main window opens while the splash shows, so
        # that no label is hovered.
        move_mouse(1, 1)
        main_window = wait_for_window(layout.text("main"), 120)
        main = MainWindow(main_window, dpi)
        expected = layout.client_pixels("main", dpi)
        log(f"{percent} % ({dpi} dpi): client area {main.width} x {main.height}, expected "
            f"{expected[0]} x {expected[1]}")
        check(near(main.width, expected[0]) and near(main.height, expected[1]),
              f"at {dpi} dpi the client area is {main.width} x {main.height}, expected "
              f"{expected[0]} x {expected[1]}: is HKCU\\{DPI_KEY} "
              f"{DPI_VALUE} still where Wine reads the DPI?")
        page = main.rect(layout.rect("frm_main"))
        wait_for("the main menu page to be painted", lambda: screenshot().count(
            page, layout.back("frm_main")) > page[2] * page[3] // 3, 30)
        image = screenshot()
        image.save_png(os.path.join(arguments.screenshots, f"main-menu-{percent}.png"),
                       main.client_rect)

        check_page_frame(main, layout, image)
        label_height, label_solid = measure_labels(main, layout, image)
        title = measure_title(main, layout, image)
        title_height = title[3] - title[1]
        log(f"  ink heights: labels {label_height:.1f}, title {title_height}; solid share of "
            f"the labels' text {label_solid:.2f}")
        measured = {"label_height": label_height, "title_height": title_height,
                    "label_solid": label_solid}
        if baseline is not None:
            scale = dpi / 96
            for name in ("label_height", "title_height"):
                ratio = measured[name] / baseline[name]
                check(abs(ratio - scale) <= SCALE_TOLERANCE,
                      f"at {dpi} dpi the {name.replace('_', ' ')} is {ratio:.2f} times that at "
                      f"96 dpi, expected {scale:.2f}")
            # As sharp as at 100 %: bigger glyphs have more solid ink, never less.
            check(label_solid >= 0.8 * baseline["label_solid"],
                  f"at {dpi} dpi only {label_solid:.2f} of the labels' text is solid, against "
                  f"{baseline['label_solid']:.2f} at 96 dpi: blurred")
            if dpi == 192:
                text = main.rect(layout.rect("label", 0))
                doubled = doubled_share(image, text)
                log(f"  2 x 2 blocks of one colour in label(0)'s text: {doubled:.2f}")
                check(doubled < 0.8, f"label(0) at 192 dpi looks like a 96-dpi drawing "
                      f"magnified twice ({doubled:.2f} of its 2 x 2 blocks are one colour)")

        # The mouse finds the controls at their scaled places too.
        x, y, width, height = main.rect(layout.rect("label", EXIT_LABEL))
        click(x + main.pixels(600), y + height // 2)
        code = program.wait_for_end(60)
        check(code == 0, f"desktop.exe ended with code {code}")
        if dpi != 96:
            check_xp_input_box(wine, arguments.win32_tests, dpi)
        return measured
    finally:
        wine.shut_down()


def test(arguments):
    check_manifest(arguments.program)
    layout = Layout(arguments.layout)
    baseline = None
    for dpi, percent in SCALES:
        measured = run_at(arguments, layout, dpi, percent, baseline)
        if baseline is None:
            baseline = measured
    log("the main menu is laid out, drawn and clicked at its scaled places at 150 % and 200 %")


if __name__ == "__main__":
    run_test(test)
