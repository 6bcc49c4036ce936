#include "app/wizard/apply_command.h"

#include <string>
#include <string_view>

#include "app/app_identity.h"
#include "app/desktop_item_names.h"
#include "install/apply.h"

namespace mirella::app {

namespace {

constexpr std::string_view kCommandTitle = "Применение изменений.";
constexpr std::string_view kRefusal =
    "Для некоторых значков еще нет ссылок.\r\nНастройте ссылки и повторите попытку.";
constexpr std::string_view kApplied =
    "Изменения сохранены. Обновите Ваш Рабочий стол, чтобы увидеть результат!\r\n"
    "Для лучшего отображения, убедитесь, что опция \"Отображать значки на Рабочем столе\" "
    "в контекстном меню отключена.";
// One sentence more where the page is installed but the web desktop may not show it.
constexpr std::string_view kPageNotShown =
    "\r\nРабочий стол Mirella не будет виден, пока в системе не разрешён веб-рабочий стол "
    "(Active Desktop): сейчас его запрещает политика или не допускает оболочка.";
constexpr std::string_view kFailedHeading = "Не удалось применить изменения.\r\n";
constexpr std::string_view kFixedByPolicyStart =
    "Рисунок Рабочего стола задан политикой администратора (параметр реестра \"";
constexpr std::string_view kFixedByPolicyEnd =
    "\"), и она заменила бы Рабочий стол Mirella. Ничего не изменено.";
constexpr std::string_view kNoAppData =
    "Не удалось определить папку данных приложений пользователя: значение \"AppData\" "
    "в реестре пусто, и система не сообщила эту папку. Ничего не изменено.";
constexpr std::string_view kNotRestoredHeading =
    "\r\n\r\nПрежнее состояние восстановлено не полностью:";

// The failure, then each change that could not be undone and why.
std::string FailureText(const ApplyOutcome& outcome) {
  std::string text = std::string(kFailedHeading);
  switch (outcome.result) {
    case ApplyResult::kNoAppDataFolder: text += kNoAppData; break;
    case ApplyResult::kFixedByPolicy:
      text += std::string(kFixedByPolicyStart) + outcome.policy + std::string(kFixedByPolicyEnd);
      break;
    default: text += outcome.failure.message(); break;
  }
  if (!outcome.notRestored.empty()) text += kNotRestoredHeading;
  for (const RestoreFailure& left : outcome.notRestored) {
    text += "\r\n" + std::string(DesktopItemName(left.item)) + " остался изменённым. " +
            left.reason.message();
  }
  return text;
}

}  // namespace

void RunApply(MainWindowState& state) {
  const MainServices& s = state.services;
  const ApplyOutcome outcome = Apply(
      state.content,
      ApplyServices{s.environment, s.registry, s.files, s.codePage, s.shell, s.picture});
  switch (outcome.result) {
    case ApplyResult::kRefused:
      s.host.ShowMessage(std::string(kRefusal), ui::MessageIcon::kInformation,
                         ui::MessageButtons::kOk, std::string(kCommandTitle));
      return;
    case ApplyResult::kNoAppDataFolder:
    case ApplyResult::kFixedByPolicy:
    case ApplyResult::kFailed:
      s.host.ShowMessage(FailureText(outcome), ui::MessageIcon::kCritical, ui::MessageButtons::kOk,
                         std::string(kCommandTitle));
      return;
    case ApplyResult::kApplied:
      s.host.ShowMessage(std::string(kApplied) +
                             (outcome.pageNotShown ? std::string(kPageNotShown) : std::string()),
                         ui::MessageIcon::kInformation,
                         ui::MessageButtons::kOk, std::string(kApplicationTitle));
      s.host.Quit();
      return;
  }
}

}  // namespace mirella::app
