#include "content/links.h"

namespace mirella {

const std::array<std::string_view, kLinkChoiceCount> kLinkChoiceCaptions = {
    "Мой компьютер", "Панель управления", "Мои документы", "Мои рисунки",
    "Корзина",       "Проводник",         "Microsoft Internet Explorer",
    "Microsoft Windows Media Player"};

std::string MakeLinkUrl(std::string_view path) {
  std::string url = "file:///";
  url.reserve(url.size() + path.size());
  for (char c : path) {
    switch (c) {
      case '\\': url += '/'; break;
      case ' ': url += "%20"; break;
      case '\'': url += "%27"; break;
      case '%': url += "%25"; break;
      case '#': url += "%23"; break;
      default: url += c;
    }
  }
  return url;
}

namespace {

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// "scheme://" at the start, with a scheme of two letters or more: a drive letter ("C:") is one.
bool StartsWithWebScheme(std::string_view text) {
  std::size_t letters = 0;
  while (letters < text.size() && ((text[letters] >= 'a' && text[letters] <= 'z') ||
                                   (text[letters] >= 'A' && text[letters] <= 'Z'))) {
    ++letters;
  }
  return letters >= 2 && text.substr(letters, 3) == "://";
}

}  // namespace

std::string PathOfLinkUrl(std::string_view url) {
  constexpr std::string_view kFileScheme = "file:///";
  if (url.substr(0, kFileScheme.size()) != kFileScheme) return std::string(url);
  std::string path;
  path.reserve(url.size());
  for (std::size_t i = kFileScheme.size(); i < url.size(); ++i) {
    if (url[i] == '%' && i + 2 < url.size() && HexDigit(url[i + 1]) >= 0 &&
        HexDigit(url[i + 2]) >= 0) {
      path += static_cast<char>(HexDigit(url[i + 1]) * 16 + HexDigit(url[i + 2]));
      i += 2;
    } else {
      path += url[i];
    }
  }
  if (StartsWithWebScheme(path)) return path;
  for (char& c : path) {
    if (c == '/') c = '\\';
  }
  return path;
}

std::string MakeLink(DesktopContent& content, std::string_view path) {
  const int selected = content.SelectedEntry;
  if (selected >= 0 && selected < kEntryCount && content.linkMark[selected] == kLinkUnmarked) {
    content.linkMark[selected] = kLinkMarked;
  }
  return MakeLinkUrl(path);
}

namespace {

// The first `count` characters of a UTF-8 text (not bytes: a drive letter may be any letter).
std::string FirstCharacters(const std::string& text, int count) {
  size_t end = 0;
  for (int taken = 0; taken < count && end < text.size(); ++taken) {
    ++end;
    while (end < text.size() && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) ++end;
  }
  return text.substr(0, end);
}

// The current user's own recycle-bin folder on the system drive: "$Recycle.Bin\<SID>" on
// current Windows, "RECYCLER\<SID>" on older ones; the first where neither exists.
std::string RecycleBinPath(const LinkSources& sources, const std::string& systemDrive) {
  const std::string sid = sources.environment.CurrentUserSid();
  const std::string modern = systemDrive + "$Recycle.Bin\\" + sid;
  if (sid.empty()) return systemDrive + "$Recycle.Bin";
  if (sources.files.DirectoryExists(modern)) return modern;
  const std::string older = systemDrive + "RECYCLER\\" + sid;
  if (sources.files.DirectoryExists(older)) return older;
  return modern;
}

}  // namespace

std::string SystemDriveOf(const Environment& environment) {
  return FirstCharacters(environment.GetVariable("windir").value_or(""), 3);
}

std::string LinkPath(const LinkSources& sources, const std::string& systemDrive, int choice) {
  const std::string windir = sources.environment.GetVariable("windir").value_or("");
  const std::string shellFolders(kShellFoldersKey);
  switch (choice) {
    case 0: return systemDrive;
    case 1: return windir + "\\System32\\control.exe";
    case 2: return sources.registry.GetStringValue(RegistryRoot::kCurrentUser, shellFolders, "Personal");
    case 3:
      return sources.registry.GetStringValue(RegistryRoot::kCurrentUser, shellFolders, "My Pictures");
    case 4: return RecycleBinPath(sources, systemDrive);
    case 5: return windir + "\\explorer.exe";
    case 6: return systemDrive + "Program Files\\Internet Explorer\\iexplore.exe";
    case 7: return systemDrive + "Program Files\\Windows Media Player\\wmplayer.exe";
    default: return "";
  }
}

std::string GetLink(DesktopContent& content, const LinkSources& sources, std::int16_t choice) {
  return MakeLink(content, LinkPath(sources, content.SystemDrive, choice));
}

void ChooseLink(DesktopContent& content, const LinkSources& sources, std::int16_t choice) {
  const int selected = content.SelectedEntry;
  std::string link = GetLink(content, sources, choice);
  if (selected >= 0 && selected < kEntryCount) content.EntryLink[selected] = std::move(link);
}

bool ChooseTypedLink(DesktopContent& content, const std::string& text) {
  if (text.empty()) return false;
  const int selected = content.SelectedEntry;
  std::string link = MakeLink(content, text);
  if (selected >= 0 && selected < kEntryCount) content.EntryLink[selected] = std::move(link);
  return true;
}

}  // namespace mirella
