"""desktop.exe under Wine as a screen reader in another process finds it: a small client walks
the main window's accessible objects with oleacc and reads each element's name, role and state.
The main menu's commands are links, the first one focused; the default action of "Установить
Mirella" is its click and reaches the loading page; the settings page names its text boxes by
their captions; the first "Значки" opens icon page 1, whose pictures and link buttons are named
after their entries, and renamed, with the change announced, when a caption is typed."""

from mirella_gui import (WINE_CODE_PAGE, Layout, Program, Wine, check, fresh_program_folder, log, run_test,
                         wait_for, wait_for_window)

# Active Accessibility's roles and states, as oleacc.h numbers them.
ROLE_CLIENT, ROLE_GROUPING, ROLE_LINK, ROLE_TEXT_LABEL = 10, 20, 30, 41
ROLE_TEXT, ROLE_PUSHBUTTON, ROLE_COMBOBOX, ROLE_PROGRESS = 42, 43, 46, 48
STATE_FOCUSED, STATE_FOCUSABLE = 0x4, 0x100000


class Probe:
    def __init__(self, wine, path, caption):
        self.wine = wine
        self.path = path
        self.caption = caption

    def elements(self):
        """(role, state, name) of every element under the main window's client object."""
        result = self.wine.run(self.path, self.caption.encode(WINE_CODE_PAGE), timeout=60)
        output = result.stdout.decode("utf-8", "replace")
        check(result.returncode == 0, f"the probe failed ({result.returncode}): {output}")
        elements = []
        for line in output.splitlines():
            role, state, _, name = line.split("\t", 3)
            elements.append((int(role), int(state, 16), name))
        return elements

    def find(self, name, role):
        for element in self.elements():
            if element[2] == name and element[0] == role:
                return element
        return None

    def do_default_action(self, name):
        # Wine reads its command line in the prefix's ANSI code page.
        result = self.wine.run(self.path, self.caption.encode(WINE_CODE_PAGE), "--do",
                               name.encode(WINE_CODE_PAGE), timeout=60)
        check(result.returncode == 0 and result.stdout.strip() == b"done",
              f"the default action of {name!r}: {result.stdout!r}")


    def type_text(self, box, text):
        """Types the text into the named text box; the names announced as changed."""
        result = self.wine.run(self.path, self.caption.encode(WINE_CODE_PAGE), "--type",
                               box.encode(WINE_CODE_PAGE), text.encode(WINE_CODE_PAGE), timeout=60)
        check(result.returncode == 0, f"typing into {box!r}: {result.stdout!r}")
        return result.stdout.decode("utf-8", "replace").splitlines()


def test(arguments):
    check(arguments.probe is not None, "--probe is required")
    caption = Layout(arguments.layout).text("main")
    wine = Wine(arguments.prefix)
    wine.prepare_prefix()
    folder, _ = fresh_program_folder(arguments.program, arguments.work)
    Program(wine, folder)
    probe = Probe(wine, arguments.probe, caption)
    try:
        wait_for_window(caption, 120)
        wait_for("the main menu's accessible objects",
                 lambda: probe.find("Установить Mirella", ROLE_LINK) is not None, 30)
        menu = probe.elements()
        names = [name for _, _, name in menu]
        for command in ("Установить Mirella", "Посетить Сайт Кастора", "Справка по программе",
                        "Выйти из программы"):
            found = [element for element in menu if element[2] == command]
            check(len(found) == 1 and found[0][0] == ROLE_LINK
                  and found[0][1] & STATE_FOCUSABLE,
                  f"{command!r} is not one focusable link: {found}")
        check(probe.find("Установить Mirella", ROLE_LINK)[1] & STATE_FOCUSED,
              "the first command does not have the focus")
        check("Главное меню" in names, f"the page title is not read: {names}")
        check("Настроить Mirella" not in names and "Применить" not in names,
              f"hidden controls or pages are read: {names}")

        # The loading page lasts two seconds: its title and progress bar are read at once.
        probe.do_default_action("Установить Mirella")
        def loading_page():
            elements = probe.elements()
            return ((ROLE_TEXT_LABEL, "Установка") in [(r, n) for r, _, n in elements]
                    and (ROLE_PROGRESS, "Подождите...") in [(r, n) for r, _, n in elements])
        wait_for("the loading page's title and progress bar", loading_page, 10)

        wait_for("the settings page", lambda: probe.find("Применить", ROLE_LINK), 30)
        for name, role in (("Тема Рабочего стола:", ROLE_COMBOBOX),
                           ("Заголовок Рабочего стола:", ROLE_TEXT),
                           ("Колонки", ROLE_GROUPING),
                           ("Заголовок колонки 2:", ROLE_TEXT),
                           ("Значки", ROLE_PUSHBUTTON),
                           ("Надпись Рабочего стола в нижней полосе:", ROLE_TEXT),
                           ("Просмотр", ROLE_LINK),
                           ("Отмена", ROLE_LINK)):
            check(probe.find(name, role) is not None, f"no {name!r} with role {role}")
        check(probe.find("Тема Рабочего стола:", ROLE_COMBOBOX)[1] & STATE_FOCUSED,
              "the settings page does not open with the focus on its first control")

        probe.do_default_action("Значки")
        wait_for("icon page 1", lambda: probe.find("Назад", ROLE_LINK), 10)
        for name, role in (("Значок: Мой компьютер", ROLE_PUSHBUTTON),
                           ("Подпись значка 1", ROLE_TEXT),
                           ("Описание значка 5", ROLE_TEXT),
                           ("Ссылка: Мой компьютер, выбрана", ROLE_PUSHBUTTON),
                           ("Ссылка: Утилита, не выбрана", ROLE_PUSHBUTTON)):
            check(probe.find(name, role) is not None, f"no {name!r} with role {role}")
        # Typing a new caption renames the entry's picture and link buttons, and the window
        # says so, so that a screen reader does not go on reading the old names.
        announced = probe.type_text("Подпись значка 1", "Диск C")
        for name in ("Значок: Диск C", "Ссылка: Диск C, выбрана"):
            check(name in announced, f"{name!r} was not announced; announced: {announced}")
            check(probe.find(name, ROLE_PUSHBUTTON) is not None, f"no {name!r}")
        log("the main menu, the loading page, the settings page and an icon page are read and "
            "worked through Active Accessibility")
    finally:
        wine.shut_down()


if __name__ == "__main__":
    run_test(test)
