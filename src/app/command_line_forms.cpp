#include "app/command_line_forms.h"

#include <string_view>

#include "app/app_identity.h"
#include "app/command_line.h"
#include "app/desktop_item_names.h"

namespace mirella::app {
namespace {

constexpr std::string_view kQuestion = "Вернуть прежний Рабочий стол?";
constexpr std::string_view kRestored = "Прежний Рабочий стол восстановлен.";
constexpr std::string_view kLeftBehind =
    "\r\n\r\nСохранённый прежний Рабочий стол удалить не удалось: ";
constexpr std::string_view kNothingSaved = "Mirella еще не изменяла Рабочий стол.";
constexpr std::string_view kFailedHeading = "Не удалось вернуть прежний Рабочий стол.";
constexpr std::string_view kNoAppData =
    "Не удалось определить папку данных приложений пользователя: значение \"AppData\" "
    "в реестре пусто, и система не сообщила эту папку. Ничего не изменено.";
constexpr std::string_view kUntrusted =
    "Файл с сохранённым прежним Рабочим столом повреждён или записан не программой Mirella, "
    "поэтому он не использован. Ничего не изменено.";
constexpr std::string_view kTryAgain =
    "Сохранённый прежний Рабочий стол оставлен: можно повторить попытку (desktop.exe /restore).";
constexpr std::string_view kUsage =
    "Неизвестные параметры командной строки.\r\n\r\n"
    "Программа принимает их в трёх видах:\r\n"
    "desktop.exe /restore — вернуть прежний Рабочий стол, спросив подтверждение;\r\n"
    "desktop.exe /restore /quiet — вернуть его без вопросов и сообщений (код выхода: "
    "0 — восстановлен, 1 — нечего восстанавливать, 2 — ошибка);\r\n"
    "desktop.exe /layer — показать Рабочий стол Mirella со ссылками поверх рисунка "
    "(запускается сам при входе в систему).\r\n\r\n"
    "Параметры можно указывать в любом порядке. С параметром /quiet программа не показывает "
    "окон и при неверных параметрах сразу завершается с кодом 2.\r\n\r\n"
    "Без параметров программа открывает свое главное окно.";

// Why the restore failed, then what is back and what is not, each with its reason.
std::string FailureText(const RestoreOutcome& outcome) {
  std::string text = std::string(kFailedHeading) + "\r\n";
  switch (outcome.result) {
    case RestoreResult::kNoAppDataFolder: return text + std::string(kNoAppData);
    case RestoreResult::kUntrusted: return text + std::string(kUntrusted);
    default: break;
  }
  if (!outcome.failure.ok()) text += outcome.failure.message() + "\r\n";
  if (!outcome.restored.empty()) {
    text += "\r\nВосстановлено:";
    for (AppliedItem item : outcome.restored) text += "\r\n" + std::string(DesktopItemName(item));
    text += "\r\n";
  }
  if (!outcome.notRestored.empty()) {
    text += "\r\nНе восстановлено:";
    for (const RestoreFailure& left : outcome.notRestored) {
      text += "\r\n" + std::string(DesktopItemName(left.item)) + ". " + left.reason.message();
    }
    text += "\r\n";
  }
  return text + "\r\n" + std::string(kTryAgain);
}

int ExitCode(RestoreResult result) {
  switch (result) {
    case RestoreResult::kRestored: return kExitRestored;
    case RestoreResult::kNothingSaved: return kExitNothingRestored;
    default: return kExitFailed;
  }
}

}  // namespace

std::optional<int> RunCommandLine(const std::vector<std::string>& arguments, ui::Host& host,
                                  const RestoreServices& services) {
  const std::string title(kApplicationTitle);
  switch (ParseLaunchMode(arguments)) {
    case LaunchMode::kWizard:
    case LaunchMode::kLayer:  // runs before everything else, in desktop.exe's entry point
      return std::nullopt;
    case LaunchMode::kUnknown:
      host.ShowMessage(std::string(kUsage), ui::MessageIcon::kExclamation, ui::MessageButtons::kOk,
                       title);
      return kExitFailed;
    case LaunchMode::kUnknownQuietly: return kExitFailed;
    case LaunchMode::kRestoreQuietly: return ExitCode(Restore(services).result);
    case LaunchMode::kRestore: break;
  }

  if (host.ShowMessage(std::string(kQuestion), ui::MessageIcon::kQuestion,
                       ui::MessageButtons::kYesNo, title) != ui::MessageAnswer::kYes) {
    return kExitNothingRestored;
  }
  const RestoreOutcome outcome = Restore(services);
  switch (outcome.result) {
    case RestoreResult::kRestored:
      host.ShowMessage(std::string(kRestored) +
                           (outcome.leftBehind.ok()
                                ? std::string()
                                : std::string(kLeftBehind) + outcome.leftBehind.message()),
                       ui::MessageIcon::kInformation,
                       ui::MessageButtons::kOk, title);
      break;
    case RestoreResult::kNothingSaved:
      host.ShowMessage(std::string(kNothingSaved), ui::MessageIcon::kInformation,
                       ui::MessageButtons::kOk, title);
      break;
    default:
      host.ShowMessage(FailureText(outcome), ui::MessageIcon::kCritical, ui::MessageButtons::kOk,
                       title);
      break;
  }
  return ExitCode(outcome.result);
}

}  // namespace mirella::app
