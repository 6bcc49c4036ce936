"""The whole road of a desktop under Wine, clicked and typed as a user would, at the controls'
real places on the screen: main menu, install, settings page, the refused Apply, both icon pages
with the link menu, a typed path and a gallery pick, the highlight following clicks into the
entries' text boxes, the desktop title and two captions, Apply. Wine reports Windows XP to
desktop.exe here and loads no dwmapi.dll for it, as on XP, whose shell shows the page desktop:
desktop.js, Desktop.htt and both Wallpaper values must hold exactly those edits. Then
`desktop.exe /restore /quiet` puts both values back and removes Desktop.htt (exit code 0), and
finds nothing more to restore (exit code 1). Saves screenshots of the settings page, an icon page
with the gallery open and the link menu open."""

import os
import re
import time

from mirella_gui import (APPLICATION_TITLE, WINE_CODE_PAGE, Layout, MainWindow, Program, Wine,
                         check, click, fresh_program_folder, inside, log, move_mouse, press,
                         run_test, screenshot, type_text, visible_windows, wait_for,
                         wait_for_window, wait_for_window_gone, window_geometry)

GOLDEN_SCRIPT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "data",
                             "desktop_default.js")

LINK_UNMARKED = (255, 255, 192)
LINK_MARKED = (192, 255, 192)

REFUSAL_TITLE = "Применение изменений."
INPUT_BOX_TITLE = "Выбрать файл..."

# Command labels by command number.
INSTALL_LABEL, APPLY_LABEL, BACK_LABEL = 0, 8, 9

# Link-menu items in order; the separator stands before the last one and the keyboard skips it.
MENU_ITEMS = ["Мой компьютер", "Панель управления", "Мои документы", "Мои рисунки", "Корзина",
              "Проводник", "Microsoft Internet Explorer", "Microsoft Windows Media Player",
              "Выбрать файл..."]
TYPED_ITEM = len(MENU_ITEMS) - 1

# The edits this test makes.
NEW_TITLE = "Мой новый стол"
# (xdotool types letters that the X keymap lacks by remapping a key for each one, which Wine may
# read late under load; one caption in plain ASCII keeps that risk where it was.)
NEW_CAPTIONS = {4: "LAN", 8: "Папка с играми"}
PICTURE_ENTRY, PICTURE = 1, 9  # gallery row 2, column 1
TYPED_PATH = "C:\\Игры\\Моя игра.exe"
LINK_CHOICES = {4: 1, 7: 0, 8: 5, 9: 6, 10: TYPED_ITEM}


class Flow:
    def __init__(self, main, layout, program):
        self.main = main
        self.layout = layout
        self.program = program

    # Where the controls stand, in client twips.
    def link_button(self, entry):
        return self.layout.rect("icon_link", entry)

    def caption_box(self, entry):
        return self.layout.rect("ico_title", entry)

    def description_box(self, entry):
        return self.layout.rect("ico_desc", entry)

    def entry_picture(self, entry):
        return self.layout.rect("ico", entry)

    def highlight_on(self, entry):
        """Where an icon page's highlight stands when it marks the entry."""
        left, top, _, _ = self.entry_picture(entry)
        _, _, width, height = self.layout.rect("ico_selected", 0)
        return (left, top, width, height)

    def gallery(self, entry):
        """The gallery as it opens beside the entry's picture."""
        _, top, width, height = self.layout.rect("ico_bar")
        return (self.layout.gallery_left(entry), top, width, height)

    def gallery_item(self, entry, position):
        return inside(self.gallery(entry), *self.layout.bounds("ico_item", position))

    def click_label(self, command, right_aligned=False):
        x, y, width, height = self.main.rect(self.layout.rect("label", command))
        click(x + width - 25 if right_aligned else x + 25, y + height // 2)

    def click_centre(self, twips):
        click(*self.main.centre(twips))

    def colour_count(self, twips, colour):
        return screenshot().count(self.main.rect(twips), colour)

    def wait_for_colour(self, what, twips, colour, share=0.5, timeout=20):
        x, y, width, height = self.main.rect(twips)
        wait_for(what, lambda: self.colour_count(twips, colour) >= width * height * share,
                 timeout)

    def highlighted(self, entry):
        """Whether the icon page shows its highlight on the entry: most of what the entry's own
        controls leave uncovered of the highlight's place has its colour (an open menu may hide
        some of it)."""
        image = screenshot()
        colour = self.layout.back("ico_selected", 0)
        x0, y0, width, height = self.main.rect(self.highlight_on(entry))
        controls = [self.main.rect(self.layout.rect(name, entry))
                    for name in ("ico", "ico_title", "ico_desc", "icon_link")]
        free = [(x, y) for y in range(y0, y0 + height) for x in range(x0, x0 + width)
                if not any(left <= x < left + w and top <= y < top + h
                           for left, top, w, h in controls)]
        shown = sum(1 for x, y in free if image.pixel(x, y) == colour)
        return shown > 0.6 * len(free)

    def open_icon_page(self, column):
        self.click_centre(self.layout.rect("btn_icons", column))
        # The first entry's link button, green from the start, shows the page is open.
        first = 0 if column == 1 else 5
        self.wait_for_colour(f"icon page {column}", self.link_button(first), LINK_MARKED, 0.3)

    def back(self):
        self.click_label(BACK_LABEL, right_aligned=True)
        # The general page has no link button where the icon pages have their first one.
        wait_for("the general page",
                 lambda: self.colour_count(self.link_button(0), LINK_MARKED) == 0, 10)

    def open_link_menu(self, entry):
        """Clicks the entry's link button; returns the menu's window once it is shown at the
        button's bottom-left corner."""
        x, y, width, height = self.main.rect(self.link_button(entry))
        click(x + width // 2, y + height // 2)

        def menu():
            for window in visible_windows():
                geometry = window_geometry(window)
                if geometry and abs(geometry[0] - x) <= 1 and abs(geometry[1] - (y + height)) <= 1:
                    return window
            return None
        return wait_for(f"the link menu of entry {entry}", menu, 10)

    def choose_link(self, entry, item):
        menu = self.open_link_menu(entry)
        press(*["Down"] * (item + 1), "Return")
        wait_for_window_gone(menu, 10)
        if item == TYPED_ITEM:
            box = wait_for_window(INPUT_BOX_TITLE, 10)
            type_text(TYPED_PATH)
            press("Return")
            wait_for_window_gone(box, 10)
        self.wait_for_colour(f"entry {entry}'s link mark to turn green",
                             self.link_button(entry), LINK_MARKED, 0.3)

    def open_settings_page(self):
        """From the main menu, once it shows, through Install to the settings page on its general
        page (its bottom strip, below every control of it, in the page's colour)."""
        self.wait_for_colour("the main menu", self.layout.rect("frm_main"),
                             self.layout.back("frm_main"), 0.3)
        self.click_label(INSTALL_LABEL)
        left, top, width, height = self.layout.rect("frm_frm_store", 0)
        self.wait_for_colour("the settings page", (left, top + height - 60, width, 60),
                             self.layout.back("frm_frm_store", 0), 0.9, timeout=60)

    def choose_missing_links(self):
        """Gives a link to every entry that the defaults leave without one, as Apply wants, each
        from the link menu; back on the general page."""
        self.open_icon_page(1)
        self.choose_link(4, LINK_CHOICES[4])
        self.back()
        self.open_icon_page(2)
        for entry in (7, 8, 9):
            self.choose_link(entry, LINK_CHOICES[entry])
        self.choose_link(10, 0)
        self.back()

    def replace_text(self, box, text):
        x, y, width, height = self.main.rect(box)
        click(x + width - 10, y + height // 2)
        press("End", "shift+Home")
        type_text(text)


def expected_script(appath, links):
    """The golden default desktop.js with this run's program folder, links and edits."""
    with open(GOLDEN_SCRIPT, "rb") as file:
        lines = file.read().decode(WINE_CODE_PAGE).split("\r\n")
    replacements = {
        "var desktoptitle=": f'var desktoptitle="{NEW_TITLE}"',
        "var appath=": f'var appath="{appath}"',
        f"icons[{PICTURE_ENTRY}]=": f'icons[{PICTURE_ENTRY}]="{PICTURE}"',
    }
    for entry, caption in NEW_CAPTIONS.items():
        replacements[f"caption[{entry}]="] = f'caption[{entry}]="{caption}"'
    for entry, link in links.items():
        replacements[f"link[{entry}]="] = f'link[{entry}]="{link}"'
    result = []
    for line in lines:
        for start, replacement in replacements.items():
            if line.startswith(start):
                line = replacement
        result.append(line)
    return result


def url_of(path):
    return "file:///" + path.replace("\\", "/").replace(" ", "%20")


def check_outputs(wine, folder, windows_folder):
    # desktop.js: every line as the defaults have it, but for this run's folder, links and edits.
    windir = wine.run("cmd", "/c", "echo %windir%").stdout.decode("ascii").strip()
    check(re.fullmatch(r"[A-Za-z]:\\\S+", windir) is not None, f"odd windir: {windir!r}")
    drive = windir[:3]
    shell_folders = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders"
    choice_paths = {
        0: drive, 1: windir + "\\System32\\control.exe",
        2: wine.registry_value(shell_folders, "Personal"),
        3: wine.registry_value(shell_folders, "My Pictures"),
        5: windir + "\\explorer.exe",
        6: drive + "Program Files\\Internet Explorer\\iexplore.exe",
    }
    check(None not in choice_paths.values(), "the prefix lacks a shell folder value")
    links = {0: url_of(choice_paths[0]), 1: url_of(choice_paths[1]), 2: url_of(choice_paths[5]),
             5: url_of(choice_paths[2]), 6: url_of(choice_paths[3])}
    for entry, item in LINK_CHOICES.items():
        links[entry] = url_of(TYPED_PATH if item == TYPED_ITEM else choice_paths[item])
    expected = expected_script(url_of(windows_folder), links)

    with open(os.path.join(folder, b"desktop.js"), "rb") as file:
        written = file.read().decode(WINE_CODE_PAGE).split("\r\n")
    check(len(written) == len(expected),
          f"desktop.js has {len(written)} lines, expected {len(expected)}")
    for number, (line, wanted) in enumerate(zip(written, expected), start=1):
        if wanted.startswith("link[3]="):
            # The recycle bin's folder depends on the account; its form is what can be checked.
            wanted_pattern = re.escape(f'link[3]="{url_of(drive)}$Recycle.Bin') + r'(/S-1-5-[0-9-]+)?"'
            check(re.fullmatch(wanted_pattern, line) is not None,
                  f"desktop.js line {number}: {line!r} is not the recycle bin")
            continue
        check(line == wanted, f"desktop.js line {number}: {line!r}, expected {wanted!r}")

    # Desktop.htt in the prefix's application data folder is a copy of the theme page.
    theme_file = os.path.join(folder, b"Themes", b"Blue Classic", b"theme.htm")
    with open(theme_file, "rb") as file:
        theme = file.read()
    check(url_of(windows_folder).encode(WINE_CODE_PAGE) in theme,
          "theme.htm does not name this program folder")
    desktop_file = desktop_htt(wine)
    check(os.path.isfile(desktop_file), f"{desktop_file} was not written")
    with open(desktop_file, "rb") as file:
        check(file.read() == theme, "Desktop.htt is not a copy of theme.htm")

    # Both Wallpaper values name the theme page.
    theme_page = windows_folder + "\\Themes\\Blue Classic\\theme.htm"
    for key in WALLPAPER_KEYS:
        value = wine.registry_value(key, "Wallpaper")
        check(value == theme_page, f"HKCU\\{key} Wallpaper is {value!r}, expected {theme_page!r}")


STALE_WALLPAPER = "not written by this run"
# Wine reports this system version to programs named desktop.exe alone, and loads no dwmapi.dll
# for them: XP has none (a compatibility mode on a newer system keeps it, and shows pictures).
XP_SETTING_KEY = "Software\\Wine\\AppDefaults\\desktop.exe"
XP_DLL_KEY = XP_SETTING_KEY + "\\DllOverrides"
WALLPAPER_KEYS = ["Control Panel\\Desktop",
                  "Software\\Microsoft\\Internet Explorer\\Desktop\\General"]


def desktop_htt(wine):
    return os.path.join(wine.user_folder(), "AppData", "Roaming", "Microsoft",
                        "Internet Explorer", "Desktop.htt")


def saved_desktop(wine):
    return os.path.join(wine.user_folder(), "AppData", "Roaming", "Mirella",
                        "previous desktop.dat")


def test(arguments):
    shots = arguments.screenshots
    layout = Layout(arguments.layout)
    wine = Wine(arguments.prefix, arguments.wine)
    wine.prepare_prefix()
    wine.set_registry_value(XP_SETTING_KEY, "Version", "winxp64")
    wine.set_registry_value(XP_DLL_KEY, "dwmapi", "d")
    # What an earlier run left in the reused prefix must not count for this one.
    for stale in (desktop_htt(wine), saved_desktop(wine)):
        if os.path.exists(stale):
            os.remove(stale)
    # (Wine's desktop puts back an empty Wallpaper value when there is none, so a marker value
    # stands for "not written by this run".)
    for key in WALLPAPER_KEYS:
        wine.set_registry_value(key, "Wallpaper", STALE_WALLPAPER)
        check(wine.registry_value(key, "Wallpaper") == STALE_WALLPAPER,
              f"could not reset HKCU\\{key} Wallpaper")
    folder, windows_folder = fresh_program_folder(arguments.program, arguments.work)

    program = Program(wine, folder)
    try:
        wait_for_window(layout.text("splash", form="splash"), 90)
        move_mouse(1, 1)  # away from the windows, see test_main_menu.py
        main = MainWindow(wait_for_window(layout.text("main"), 120))
        flow = Flow(main, layout, program)
        # Install: the loading page, then the settings page.
        flow.open_settings_page()
        move_mouse(1, 1)
        time.sleep(0.5)
        screenshot().save_png(os.path.join(shots, "settings.png"), main.client_rect)

        # Apply while entries still lack links: refused, nothing written.
        flow.click_label(APPLY_LABEL)
        box = wait_for_window(REFUSAL_TITLE, 20)
        press("Return")
        wait_for_window_gone(box, 10)
        check(not os.path.exists(os.path.join(folder, b"desktop.js")),
              "the refused Apply wrote desktop.js")
        check(not os.path.exists(desktop_htt(wine)), "the refused Apply wrote Desktop.htt")
        for key in WALLPAPER_KEYS:
            check(wine.registry_value(key, "Wallpaper") == STALE_WALLPAPER,
                  f"the refused Apply wrote HKCU\\{key} Wallpaper")
        check(program.running(), "the refused Apply ended the program")

        # Column 1: a click into entry 4's caption box moves the highlight there from entry 0,
        # and the box takes what is typed; one into entry 3's description box moves it on.
        flow.open_icon_page(1)
        check(flow.highlighted(0), "the highlight does not start on entry 0")
        flow.replace_text(flow.caption_box(4), NEW_CAPTIONS[4])
        wait_for("the highlight on entry 4 after a click into its caption box",
                 lambda: flow.highlighted(4), 10)
        check(not flow.highlighted(0), "the highlight is still on entry 0 too")
        flow.click_centre(flow.description_box(3))
        wait_for("the highlight on entry 3", lambda: flow.highlighted(3), 10)

        # Entry 4's link, with the menu on screen; a gallery pick for entry 1.
        check(flow.colour_count(flow.link_button(4), LINK_UNMARKED) > 100,
              "entry 4's link button is not yellow at start")
        menu = flow.open_link_menu(4)
        # The highlight has moved to entry 4 before the menu waits for a choice.
        check(flow.highlighted(4), "the highlight is not on entry 4 while its link menu is open")
        menu_x, menu_y, menu_width, menu_height = window_geometry(menu)
        # The pointer on an item: the item shows selected and the button's tooltip goes.
        move_mouse(menu_x + menu_width // 2, menu_y + menu_height // 2)
        time.sleep(0.5)
        left = min(main.x, menu_x)
        top = min(main.y, menu_y)
        screenshot().save_png(os.path.join(shots, "link-menu.png"),
                              (left, top, max(main.x + main.width, menu_x + menu_width) - left,
                               max(main.y + main.height, menu_y + menu_height) - top))
        press("Escape")
        wait_for_window_gone(menu, 10)
        check(flow.colour_count(flow.link_button(4), LINK_UNMARKED) > 100,
              "closing the link menu without a choice changed entry 4's mark")
        flow.choose_link(4, LINK_CHOICES[4])

        x, y, width, height = main.rect(flow.entry_picture(PICTURE_ENTRY))
        click(x + width // 2, y + height // 2)
        gallery = flow.gallery(PICTURE_ENTRY)
        gallery_back = layout.back("ico_bar")
        flow.wait_for_colour("the gallery", gallery, gallery_back, 0.3)
        move_mouse(1, 1)
        time.sleep(0.3)
        with_gallery = screenshot()
        with_gallery.save_png(os.path.join(shots, "icon-page-gallery.png"), main.client_rect)
        x, y, width, height = main.rect(flow.gallery_item(PICTURE_ENTRY, PICTURE))
        click(x + width // 2, y + 16)  # the picture's upper part: the next row overlaps its foot
        _, _, gallery_width, gallery_height = main.rect(gallery)
        # Closed, only the entry's highlight (of the same colour) is left in the gallery's place.
        wait_for("the gallery to close", lambda: flow.colour_count(gallery, gallery_back)
                 < 0.3 * gallery_width * gallery_height, 10)
        # The entry now shows the picked gallery picture (both on the highlight colour).
        picture_x, picture_y, _, _ = main.rect(flow.entry_picture(PICTURE_ENTRY))
        image = screenshot()
        same = sum(1 for dy in range(10, 40) for dx in range(48)
                   if image.pixel(picture_x + dx, picture_y + dy)
                   == with_gallery.pixel(x + dx, y + dy))
        check(same > 0.9 * 30 * 48, f"entry {PICTURE_ENTRY} does not show gallery picture "
              f"{PICTURE} ({same} of {30 * 48} pixels agree)")
        flow.back()

        # Column 2: entries 7 to 10, one through a typed path; one caption.
        flow.open_icon_page(2)
        for entry in (7, 8, 9, 10):
            check(flow.colour_count(flow.link_button(entry), LINK_UNMARKED) > 100,
                  f"entry {entry}'s link button is not yellow at start")
            flow.choose_link(entry, LINK_CHOICES[entry])
        flow.replace_text(flow.caption_box(8), NEW_CAPTIONS[8])
        flow.back()

        # The desktop title, then Apply: the success box, and the program ends.
        flow.replace_text(layout.rect("title"), NEW_TITLE)
        flow.click_label(APPLY_LABEL)
        box = wait_for_window(APPLICATION_TITLE, 20)
        check(box != main.window, "no message box after Apply")
        press("Return")
        code = program.wait_for_end(60)
        check(code == 0, f"desktop.exe ended with code {code}")
        log("the flow ran to its end; checking what Apply wrote")
        check_outputs(wine, folder, windows_folder)
        log("desktop.js, Desktop.htt and both Wallpaper values hold exactly the edits made")

        quiet = [os.path.join(folder, b"desktop.exe"), "/restore", "/quiet"]
        code = wine.run(*quiet).returncode
        check(code == 0, f"/restore /quiet ended with {code}, expected 0")
        for key in WALLPAPER_KEYS:
            check(wine.registry_value(key, "Wallpaper") == STALE_WALLPAPER,
                  f"/restore did not put back HKCU\\{key} Wallpaper")
        check(not os.path.exists(desktop_htt(wine)), "/restore left Mirella's Desktop.htt")
        code = wine.run(*quiet).returncode
        check(code == 1, f"a second /restore /quiet ended with {code}, expected 1")
        log("/restore /quiet put the previous desktop back")
    finally:
        wine.delete_registry_key(XP_SETTING_KEY)
        wine.shut_down()


if __name__ == "__main__":
    run_test(test)
