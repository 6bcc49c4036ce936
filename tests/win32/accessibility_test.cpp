// What a screen reader finds in the main window through Active Accessibility: the client object
// of the real window, walked with oleacc's own functions as a client walks it, with the names,
// roles and states of the pages' controls, and a default action that does what a click does.

#include <windows.h>
#include <oleacc.h>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/content_view.h"
#include "app/main_window.h"
#include "app/navigation.h"
#include "generate/code_page_win32.h"
#include "system/environment_win32.h"
#include "system/file_system_win32.h"
#include "system/handles_win32.h"
#include "system/registry_win32.h"
#include "system/wide_text_win32.h"
#include "ui/win32/win32_host.h"
#include "win32/gui_test_support.h"

namespace mirella::ui::win32 {
namespace {

struct Element {
  std::string name;
  LONG role = 0;
  LONG state = 0;
  bool operator==(const Element& other) const { return name == other.name && role == other.role; }
};

std::ostream& operator<<(std::ostream& out, const Element& element) {
  return out << '"' << element.name << "\" role " << element.role << " state " << std::hex
             << element.state << std::dec;
}

Element Describe(IAccessible& object, LONG id) {
  VARIANT child{};
  child.vt = VT_I4;
  child.lVal = id;
  Element element;
  BSTR name = nullptr;
  if (object.get_accName(child, &name) == S_OK && name != nullptr) {
    element.name = Narrow(name);
    SysFreeString(name);
  }
  VARIANT value{};
  if (SUCCEEDED(object.get_accRole(child, &value)) && value.vt == VT_I4) element.role = value.lVal;
  VariantClear(&value);
  if (SUCCEEDED(object.get_accState(child, &value)) && value.vt == VT_I4) element.state = value.lVal;
  VariantClear(&value);
  return element;
}

// Visits every element under `object` depth first, as AccessibleChildren hands them out: each
// with the object that answers for it and its child id there.
void Walk(IAccessible& object, const std::function<void(IAccessible&, LONG)>& visit, int depth = 0) {
  LONG count = 0;
  if (FAILED(object.get_accChildCount(&count)) || count <= 0 || depth > 8) return;
  std::vector<VARIANT> children(static_cast<size_t>(count));
  LONG obtained = 0;
  if (FAILED(AccessibleChildren(&object, 0, count, children.data(), &obtained))) return;
  for (LONG i = 0; i < obtained; ++i) {
    VARIANT& child = children[static_cast<size_t>(i)];
    if (child.vt == VT_DISPATCH && child.pdispVal != nullptr) {
      ComPtr<IAccessible> inner;
      if (SUCCEEDED(child.pdispVal->QueryInterface(__uuidof(IAccessible),
                                                   reinterpret_cast<void**>(inner.Put())))) {
        visit(*inner.Get(), CHILDID_SELF);
        Walk(*inner.Get(), visit, depth + 1);
      }
    } else if (child.vt == VT_I4) {
      visit(object, child.lVal);
    }
    VariantClear(&child);
  }
}

class AccessibilityTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!mirella::testing::CanCreateWindows()) GTEST_SKIP() << "no display for windows";
    host = std::make_unique<Win32Host>(GetModuleHandleW(nullptr));
    main = std::make_unique<app::MainWindow>(*host, environment, registry, files, codePage);
    host->ShowForm(main->Form(), *main);
  }

  void TearDown() override {
    root.Put();  // released before the windows go
    host.reset();
    main.reset();
  }

  // The main window's client object, as a screen reader asks for it; null on failure.
  IAccessible* Root() {
    if (!root) {
      HWND window = host->WindowOf(main->Form());
      EXPECT_EQ(AccessibleObjectFromWindow(window, static_cast<DWORD>(OBJID_CLIENT),
                                           __uuidof(IAccessible),
                                           reinterpret_cast<void**>(root.Put())),
                S_OK);
    }
    return root.Get();
  }

  std::vector<Element> Elements() {
    std::vector<Element> elements;
    if (IAccessible* object = Root()) {
      Walk(*object, [&](IAccessible& owner, LONG id) { elements.push_back(Describe(owner, id)); });
    }
    return elements;
  }

  // Runs the default action of the element with that name and lets the program handle it.
  HRESULT DoDefaultAction(const std::string& name) {
    HRESULT result = E_INVALIDARG;
    bool done = false;
    if (Root() == nullptr) return result;
    Walk(*Root(), [&](IAccessible& object, LONG id) {
      if (done || Describe(object, id).name != name) return;
      done = true;
      VARIANT child{};
      child.vt = VT_I4;
      child.lVal = id;
      result = object.accDoDefaultAction(child);
    });
    mirella::testing::PumpFor(std::chrono::milliseconds(200));
    return result;
  }

  static const Element* Find(const std::vector<Element>& elements, const std::string& name) {
    for (const Element& element : elements) {
      if (element.name == name) return &element;
    }
    return nullptr;
  }
  // A text box is named as its caption label reads: the role tells them apart.
  static const Element* Find(const std::vector<Element>& elements, const Element& wanted) {
    for (const Element& element : elements) {
      if (element == wanted) return &element;
    }
    return nullptr;
  }

  Win32Environment environment;
  Win32Registry registry;
  Win32FileSystem files;
  SystemCodePage codePage;
  std::unique_ptr<Win32Host> host;
  std::unique_ptr<app::MainWindow> main;
  ComPtr<IAccessible> root;
};

TEST_F(AccessibilityTest, TheMainMenuAndTheSettingsPageAreReadAndWorked) {
  std::vector<Element> menu = Elements();
  for (const char* command : {"Установить Mirella", "Посетить Сайт Кастора", "Справка по программе",
                              "Выйти из программы"}) {
    const Element* element = Find(menu, command);
    ASSERT_NE(element, nullptr) << command;
    EXPECT_EQ(element->role, ROLE_SYSTEM_LINK) << command;
    EXPECT_TRUE(element->state & STATE_SYSTEM_FOCUSABLE) << *element;
  }
  EXPECT_TRUE(Find(menu, "Установить Mirella")->state & STATE_SYSTEM_FOCUSED)
      << "the first command has the focus";
  EXPECT_FALSE(Find(menu, "Посетить Сайт Кастора")->state & STATE_SYSTEM_FOCUSED);
  ASSERT_NE(Find(menu, "Главное меню"), nullptr);
  EXPECT_EQ(Find(menu, "Главное меню")->role, ROLE_SYSTEM_STATICTEXT);
  EXPECT_EQ(Find(menu, "Настроить Mirella"), nullptr) << "hidden controls are not shown";
  EXPECT_EQ(Find(menu, "Применить"), nullptr) << "hidden pages are not shown";

  ASSERT_EQ(DoDefaultAction("Установить Mirella"), S_OK);
  app::MainControls& c = main->State().controls;
  EXPECT_TRUE(c.frm_load->visible) << "the default action is the click: the loading page";
  EXPECT_EQ(c.frm_name->text, "Установка");
  EXPECT_NE(Find(Elements(), "Установка"), nullptr);

  // The settings page, without the loading sequence's writing of the theme page.
  c.load->enabled = false;
  app::SwitchFrame(*c.frm_name, *c.frm_load, *c.frm_store, "Настройка");
  app::LoadDefaultContent(main->State());
  host->ShowForm(main->Form(), *main);
  const std::vector<Element> settings = Elements();
  const std::vector<Element> expected{
      {"Тема Рабочего стола:", ROLE_SYSTEM_COMBOBOX},
      {"Заголовок Рабочего стола:", ROLE_SYSTEM_TEXT},
      {"Колонки", ROLE_SYSTEM_GROUPING},
      {"Заголовок колонки 1:", ROLE_SYSTEM_TEXT},
      {"Значки", ROLE_SYSTEM_PUSHBUTTON},
      {"Надпись Рабочего стола в нижней полосе:", ROLE_SYSTEM_TEXT},
      {"Отмена", ROLE_SYSTEM_LINK},
      {"Применить", ROLE_SYSTEM_LINK},
  };
  for (const Element& element : expected) EXPECT_NE(Find(settings, element), nullptr) << element;
  const Element* theme = Find(settings, Element{"Тема Рабочего стола:", ROLE_SYSTEM_COMBOBOX});
  ASSERT_NE(theme, nullptr);
  EXPECT_TRUE(theme->state & STATE_SYSTEM_FOCUSED) << "the page opens on its first control";
  EXPECT_EQ(Find(settings, "Назад"), nullptr);

  // The first "Значки" opens icon page 1, whose entries are named by their captions and marks.
  ASSERT_EQ(DoDefaultAction("Значки"), S_OK);
  EXPECT_TRUE(c.frm_frm_store[1]->visible);
  const std::vector<Element> icons = Elements();
  for (const Element& element : std::vector<Element>{
           {"Значок: Мой компьютер", ROLE_SYSTEM_PUSHBUTTON},
           {"Подпись значка 1", ROLE_SYSTEM_TEXT},
           {"Ссылка: Мой компьютер, выбрана", ROLE_SYSTEM_PUSHBUTTON},
           {"Ссылка: Утилита, не выбрана", ROLE_SYSTEM_PUSHBUTTON},
           {"Назад", ROLE_SYSTEM_LINK}}) {
    EXPECT_NE(Find(icons, element), nullptr) << element;
  }
  EXPECT_TRUE(Find(icons, "Значок: Мой компьютер")->state & STATE_SYSTEM_FOCUSED);
  EXPECT_EQ(Find(icons, "Значок: Моя папка 1"), nullptr) << "entry 7 is on the hidden page 2";
}

}  // namespace
}  // namespace mirella::ui::win32
