#include "content/default_content.h"

namespace mirella {

namespace {

constexpr std::array<std::string_view, kEntryCount> kDefaultCaptions = {
    "Мой компьютер", "Панель управления", "Открыть Проводник", "Корзина",
    "Утилита",       "Мои документы",     "Мои рисунки",       "Моя папка 1",
    "Моя папка 2",   "Моя папка 3",       "Мой ярлык"};

constexpr std::string_view kMyFolderDescription = "Просмотреть мою папку с моими документами.";

constexpr std::array<std::string_view, kEntryCount> kDefaultDescriptions = {
    "Начать обзор компьютера главного жесткого диска.",
    "Настроить компьютер через Панель управления. Она содержит множество инструментов для "
    "настройки Windows.",
    "Стандартный Проводник Windows содержит панель для быстрой навигации по папкам.",
    "Удаленные файлы попадают в Корзину Windows, где храняться несколько дней. У Вас есть "
    "возможность восстановить или стереть их.",
    "Эта ссылка открывает мощную утилиту для управления компьютером.",
    "Эта папка содержит все документы пользователя. Здесь все мои текстовые документы и рисунки.",
    "Открыть папку Мои рисунки с рисунками на разные темы.",
    kMyFolderDescription,
    kMyFolderDescription,
    kMyFolderDescription,
    "Этот ярлык содержит ссылку на очень полезную мне программу."};

// The link-menu choice each entry's default link resolves; -1 for no default link.
constexpr std::array<int, kEntryCount> kDefaultLinkChoices = {0, 1, 5, 4, -1, 2, 3, -1, -1, -1, -1};

constexpr std::array<std::int16_t, kEntryCount> kDefaultPictures = {14, 5, 2, 13, 7, 1,
                                                                     4,  0, 0, 0,  11};

}  // namespace

void SetValues(DesktopContent& content, const LinkSources& sources) {
  for (int i = 0; i < kEntryCount; ++i) content.EntryCaption[i] = kDefaultCaptions[i];
  for (int i = 0; i < kEntryCount; ++i) content.EntryDescription[i] = kDefaultDescriptions[i];
  for (int i = 0; i < kEntryCount; ++i) {
    const int choice = kDefaultLinkChoices[i];
    content.EntryLink[i] =
        choice < 0 ? std::string() : GetLink(content, sources, static_cast<std::int16_t>(choice));
  }
  content.EntryPicture = kDefaultPictures;
}

std::int16_t DefaultPicture(int entry) {
  return entry >= 0 && entry < kEntryCount ? kDefaultPictures[entry] : 0;
}

void GetChanges(const DesktopContent& /*content*/) {}

}  // namespace mirella
