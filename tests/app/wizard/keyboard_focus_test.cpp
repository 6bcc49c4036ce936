// The keyboard on the main window's real control tree, driven through its events: where the
// focus stands on each page, what Tab visits, where the arrows lead, what Escape clicks, and the
// names assistive technology reads for the entries.

#include <string>
#include <vector>

#include "main_window_fixture.h"
#include "ui/focus_order.h"
#include "ui/focus_tracker.h"

namespace mirella::testing {
namespace {

class KeyboardFocusTest : public MainWindowTest {
 protected:
  // What a user reads on each control that Tab visits from the focused one, once round.
  std::vector<std::string> TabRound(ui::FocusTracker& focus) {
    std::vector<std::string> visited;
    const ui::Control* first = focus.Focused();
    do {
      const ui::Control* control = focus.Focused();
      visited.push_back(control->accessibleName.empty() ? control->text : control->accessibleName);
      focus.MoveInOrder(false);
    } while (focus.Focused() != first && visited.size() < 100);
    return visited;
  }

  // Escape, as the window passes it on: a click on the shown cancel control, if any.
  void PressEscape() {
    if (ui::Control* cancel = ui::CancelControl(window->Form())) window->Click(*cancel);
  }
};

TEST_F(KeyboardFocusTest, FocusFollowsThePagesAndTabReadsEachPageInOrder) {
  Open();
  ui::FocusTracker focus(window->Form());
  EXPECT_EQ(focus.Update(), &C("label", 0)) << "the main menu opens on its first command";
  EXPECT_EQ(TabRound(focus), (std::vector<std::string>{"Установить Mirella", "Посетить Сайт Кастора",
                                                        "Справка по программе",
                                                        "Выйти из программы"}));
  EXPECT_EQ(focus.MoveInDirection(ui::Direction::kDown), &C("label", 2));
  EXPECT_EQ(focus.MoveInOrder(true), &C("label", 0));
  EXPECT_EQ(focus.MoveInOrder(true), &C("label", 4)) << "Shift+Tab wraps round";

  PressEscape();
  EXPECT_TRUE(C("frm_main").visible) << "Escape does nothing on the main menu";

  Click("label", 3);
  EXPECT_EQ(focus.Update(), &C("label", 5));
  EXPECT_EQ(C("label", 5).accessibleName, "Вернуться в главное меню");
  PressEscape();
  EXPECT_TRUE(C("frm_main").visible) << "Escape on the about page goes back";
  EXPECT_EQ(focus.Update(), &C("label", 0));

  Click("label", 0);
  EXPECT_EQ(focus.Update(), nullptr) << "nothing takes the focus on the loading page";
  window->Timer(C("load"));
  EXPECT_EQ(focus.Update(), &C("theme"));
  EXPECT_EQ(TabRound(focus),
            (std::vector<std::string>{"Тема Рабочего стола:", "Заголовок Рабочего стола:",
                                      "Заголовок колонки 1:", "Значки", "Заголовок колонки 2:",
                                      "Значки", "Надпись Рабочего стола в нижней полосе:",
                                      "Применить", "Просмотр", "Отмена"}));

  // The second "Значки" opens icon page 2 on its first entry's picture.
  window->Click(C("btn_icons", 2));
  EXPECT_EQ(focus.Update(), &C("ico", 5));
  const std::vector<std::string> page = TabRound(focus);
  ASSERT_EQ(page.size(), 6u * 4 + 3);
  EXPECT_EQ(std::vector<std::string>(page.begin(), page.begin() + 4),
            (std::vector<std::string>{"Значок: Мои документы", "Подпись значка 6",
                                      "Описание значка 6", "Ссылка: Мои документы, выбрана"}));
  EXPECT_EQ(page[4 * 5], "Значок: " + Content().EntryCaption[10]);
  EXPECT_EQ(page[4 * 5 + 3], "Ссылка: " + Content().EntryCaption[10] + ", не выбрана");
  EXPECT_EQ(std::vector<std::string>(page.end() - 3, page.end()),
            (std::vector<std::string>{"Применить", "Просмотр", "Назад"}));
  Type("ico_title", 10, "Игры");
  EXPECT_EQ(C("icon_link", 10).accessibleName, "Ссылка: Игры, не выбрана");

  // Enter on a picture opens the gallery on its first picture; the arrows walk its grid; Enter
  // picks, and the focus goes back to the entry.
  focus.Set(&C("ico", 8));
  window->Click(C("ico", 8));
  EXPECT_EQ(focus.Update(), &C("ico_item", 0));
  focus.MoveInDirection(ui::Direction::kRight);
  EXPECT_EQ(focus.MoveInDirection(ui::Direction::kDown), &C("ico_item", 5));
  EXPECT_EQ(focus.MoveInDirection(ui::Direction::kLeft), &C("ico_item", 4));
  EXPECT_EQ(focus.MoveInDirection(ui::Direction::kLeft), &C("ico_item", 4)) << "an edge holds";
  // The gallery is one Tab stop, entered at its first picture from either side.
  ui::Control* after = focus.MoveInOrder(false);
  ASSERT_NE(after, nullptr);
  EXPECT_NE(after->parent, &C("ico_bar"));
  EXPECT_EQ(focus.MoveInOrder(true), &C("ico_item", 0));
  EXPECT_NE(focus.MoveInOrder(true)->parent, &C("ico_bar"));
  EXPECT_EQ(focus.MoveInOrder(false), &C("ico_item", 0));
  focus.MoveInDirection(ui::Direction::kRight);
  focus.MoveInDirection(ui::Direction::kDown);
  focus.MoveInDirection(ui::Direction::kLeft);
  window->Click(*focus.Focused());
  EXPECT_EQ(Content().EntryPicture[8], 4);
  EXPECT_EQ(focus.Update(), &C("ico", 8));

  // Escape on an icon page goes back to the general page; there it asks whether to cancel.
  PressEscape();
  EXPECT_TRUE(C("frm_frm_store", 0).visible);
  EXPECT_EQ(focus.Update(), &C("theme"));
  host.messageAnswers.push_back(ui::MessageAnswer::kNo);
  PressEscape();
  ASSERT_EQ(host.messages.size(), 1u);
  EXPECT_EQ(host.messages[0].title, "Отмена");
  EXPECT_FALSE(host.quit());
}

}  // namespace
}  // namespace mirella::testing
