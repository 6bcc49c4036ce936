#include "install/previous_desktop.h"

#include <array>
#include <optional>
#include <utility>
#include <vector>

#include "install/desktop_snapshot.h"

namespace mirella {
namespace {

constexpr std::string_view kMagic = "Mirella previous desktop\x1a";
// Format 1: the values and Desktop.htt. Format 2 adds the web desktop's options, the slideshow
// and the picture copy's name after them; format 3 each monitor's picture and their fitting.
constexpr std::uint32_t kFirstVersion = 1;
constexpr std::uint32_t kVersion = 3;

std::uint32_t Crc32(std::string_view bytes) {
  std::uint32_t crc = 0xffffffffu;
  for (unsigned char byte : bytes) {
    crc ^= byte;
    for (int bit = 0; bit < 8; ++bit) crc = (crc >> 1) ^ (0xedb88320u & (0u - (crc & 1u)));
  }
  return ~crc;
}

class Writer {
 public:
  void Number(std::uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8) bytes_.push_back(static_cast<char>(value >> shift));
  }
  void Flag(bool value) { bytes_.push_back(value ? '\1' : '\0'); }
  void Text(std::string_view text) {
    Number(static_cast<std::uint32_t>(text.size()));
    bytes_.append(text);
  }
  void Raw(std::string_view text) { bytes_.append(text); }
  std::string& bytes() { return bytes_; }

 private:
  std::string bytes_;
};

// Reads what Writer wrote; any read past the end, or a flag that is neither 0 nor 1, marks the
// whole input bad.
class Reader {
 public:
  explicit Reader(std::string_view bytes) : bytes_(bytes) {}
  std::uint32_t Number() {
    if (!Have(4)) return 0;
    std::uint32_t value = 0;
    for (int i = 0; i < 4; ++i) {
      value |= static_cast<std::uint32_t>(static_cast<unsigned char>(bytes_[at_ + i])) << (8 * i);
    }
    at_ += 4;
    return value;
  }
  bool Flag() {
    if (!Have(1)) return false;
    const char value = bytes_[at_++];
    if (value != '\0' && value != '\1') good_ = false;
    return value == '\1';
  }
  std::string Text() {
    const std::uint32_t size = Number();
    if (!Have(size)) return {};
    std::string text(bytes_.substr(at_, size));
    at_ += size;
    return text;
  }
  std::string_view Raw(std::size_t size) {
    if (!Have(size)) return {};
    const std::string_view raw = bytes_.substr(at_, size);
    at_ += size;
    return raw;
  }
  bool good() const { return good_; }
  bool AtEnd() const { return at_ == bytes_.size(); }

 private:
  bool Have(std::size_t size) {
    if (good_ && bytes_.size() - at_ >= size) return true;
    good_ = false;
    return false;
  }
  std::string_view bytes_;
  std::size_t at_ = 0;
  bool good_ = true;
};

}  // namespace

std::string EncodePreviousDesktop(const PreviousDesktop& desktop) {
  Writer out;
  out.Raw(kMagic);
  out.Number(kVersion);
  out.Number(static_cast<std::uint32_t>(kDesktopValues.size()));
  for (std::size_t i = 0; i < kDesktopValues.size(); ++i) {
    out.Text(kDesktopValues[i].key);
    out.Text(kDesktopValues[i].name);
    const auto& value = i < desktop.values.size() ? desktop.values[i] : std::nullopt;
    out.Flag(value.has_value());
    if (value) {
      out.Number(value->type);
      out.Text(value->data);
    }
  }
  out.Flag(desktop.desktopFile.has_value());
  if (desktop.desktopFile) {
    out.Number(desktop.desktopFile->attributes);
    out.Text(desktop.desktopFile->bytes);
  }
  out.Flag(desktop.webDesktop.has_value());
  if (desktop.webDesktop) {
    out.Flag(desktop.webDesktop->pageShown);
    out.Flag(desktop.webDesktop->itemsShown);
  }
  const SlideshowState& slideshow = desktop.slideshow;
  out.Flag(slideshow.running);
  if (slideshow.running) {
    out.Flag(slideshow.shuffled);
    out.Number(slideshow.intervalMs);
    out.Number(static_cast<std::uint32_t>(slideshow.items.size()));
    for (const std::string& item : slideshow.items) out.Text(item);
  }
  out.Text(desktop.pictureCopy);
  out.Number(static_cast<std::uint32_t>(desktop.monitors.size()));
  for (const MonitorWallpaper& monitor : desktop.monitors) {
    out.Text(monitor.monitor);
    for (const int edge : {monitor.left, monitor.top, monitor.right, monitor.bottom}) {
      out.Number(static_cast<std::uint32_t>(edge));
    }
    out.Text(monitor.picture);
  }
  out.Flag(desktop.position.has_value());
  if (desktop.position) out.Number(static_cast<std::uint32_t>(*desktop.position));
  out.Number(Crc32(out.bytes()));
  return std::move(out.bytes());
}

namespace {

// What format 2 adds after the part both formats share.
void ReadSecondFormat(Reader& in, PreviousDesktop& desktop) {
  if (in.Flag()) {
    WebDesktopOptions options;
    options.pageShown = in.Flag();
    options.itemsShown = in.Flag();
    desktop.webDesktop = options;
  }
  if (in.Flag()) {
    SlideshowState& slideshow = desktop.slideshow;
    slideshow.running = true;
    slideshow.shuffled = in.Flag();
    slideshow.intervalMs = in.Number();
    const std::uint32_t count = in.Number();
    for (std::uint32_t i = 0; i < count && in.good(); ++i) slideshow.items.push_back(in.Text());
  }
  desktop.pictureCopy = in.Text();
}

// What format 3 adds after format 2's part.
void ReadThirdFormat(Reader& in, PreviousDesktop& desktop) {
  const std::uint32_t count = in.Number();
  for (std::uint32_t i = 0; i < count && in.good(); ++i) {
    MonitorWallpaper monitor;
    monitor.monitor = in.Text();
    for (int* edge : {&monitor.left, &monitor.top, &monitor.right, &monitor.bottom}) {
      *edge = static_cast<int>(in.Number());
    }
    monitor.picture = in.Text();
    desktop.monitors.push_back(std::move(monitor));
  }
  if (in.Flag()) desktop.position = static_cast<int>(in.Number());
}

}  // namespace

std::optional<PreviousDesktop> DecodePreviousDesktop(std::string_view bytes) {
  if (bytes.size() < kMagic.size() + 4) return std::nullopt;
  const std::string_view body = bytes.substr(0, bytes.size() - 4);
  Reader checksum(bytes.substr(body.size()));
  if (checksum.Number() != Crc32(body)) return std::nullopt;

  Reader in(body);
  if (in.Raw(kMagic.size()) != kMagic) return std::nullopt;
  const std::uint32_t version = in.Number();
  if (version < kFirstVersion || version > kVersion || in.Number() != kDesktopValues.size()) {
    return std::nullopt;
  }
  PreviousDesktop desktop;
  for (const DesktopValue& expected : kDesktopValues) {
    if (in.Text() != expected.key || in.Text() != expected.name) return std::nullopt;
    if (in.Flag()) {
      RegistryValue value;
      value.type = in.Number();
      value.data = in.Text();
      desktop.values.emplace_back(std::move(value));
    } else {
      desktop.values.emplace_back(std::nullopt);
    }
  }
  if (in.Flag()) {
    SavedFile file;
    file.attributes = in.Number();
    file.bytes = in.Text();
    desktop.desktopFile = std::move(file);
  }
  if (version >= 2) ReadSecondFormat(in, desktop);
  if (version >= 3) ReadThirdFormat(in, desktop);
  if (!in.good() || !in.AtEnd()) return std::nullopt;
  return desktop;
}

namespace {

// "BM", JPEG's and PNG's signatures; the shell's own copies have no extension of their own.
std::string PictureExtension(const std::string& path, std::string_view bytes) {
  const std::size_t name = path.find_last_of('\\') + 1;
  if (const std::size_t dot = path.rfind('.'); dot != std::string::npos && dot > name) {
    return path.substr(dot);
  }
  if (bytes.starts_with("BM")) return ".bmp";
  if (bytes.starts_with("\x89PNG")) return ".png";
  return ".jpg";
}

// The picture the user sees: the file the wallpaper value names, or where it is gone the
// shell's own copy of it. Empty where there is none, or it cannot be read.
struct ShownPicture {
  std::string path;
  std::string bytes;
};
std::optional<ShownPicture> FindShownPicture(const Registry& registry, const FileSystem& files,
                                             const DesktopPlaces& places) {
  const std::string named = registry.GetStringValue(
      RegistryRoot::kCurrentUser, std::string(kDesktopKey), std::string(kWallpaperName));
  if (named.empty()) return std::nullopt;  // no picture at all
  std::vector<std::string> candidates = {named};
  candidates.insert(candidates.end(), places.shellWallpaperCopies.begin(),
                    places.shellWallpaperCopies.end());
  for (const std::string& path : candidates) {
    if (!files.FileExists(path)) continue;
    auto bytes = files.ReadFile(path);
    if (!bytes) return std::nullopt;
    return ShownPicture{path, std::move(bytes).value()};
  }
  return std::nullopt;
}

// Writes the copy of the picture shown; its name, or empty where there is none to copy.
Result<std::string> CopyShownPicture(const Registry& registry, FileSystem& files,
                                     const DesktopPlaces& places) {
  const auto shown = FindShownPicture(registry, files, places);
  if (!shown) return std::string();
  const std::string copy = places.previousPicture + PictureExtension(shown->path, shown->bytes);
  if (Status written = files.WriteFileReplacing(copy, shown->bytes); !written) return written;
  return copy.substr(copy.find_last_of('\\') + 1);
}

}  // namespace

Result<PreviousDesktop> ReadCurrentDesktop(const Registry& registry, const FileSystem& files,
                                           DesktopShell& shell, const DesktopPlaces& places) {
  PreviousDesktop desktop;
  auto values = ReadDesktopValues(registry);
  if (!values) return values.status();
  desktop.values = std::move(values).value();
  auto file = FileSnapshot::Take(files, places.desktopFile);
  if (!file) return file.status();
  if (FileSnapshot snapshot = std::move(file).value(); snapshot.bytes) {
    auto attributes = files.ReadAttributes(places.desktopFile);
    if (!attributes) return attributes.status();
    desktop.desktopFile = SavedFile{std::move(*snapshot.bytes), attributes.value()};
  }
  if (shell.Kind() == DesktopKind::kPage) {
    desktop.webDesktop = shell.GetWebDesktopOptions();
  } else {
    auto slideshow = shell.GetSlideshowState();
    if (!slideshow) return slideshow.status();
    desktop.slideshow = std::move(slideshow).value();
    desktop.monitors = shell.GetMonitorWallpapers();
    if (!desktop.monitors.empty()) desktop.position = shell.GetWallpaperPosition();
  }
  return desktop;
}

Result<SavedDesktop> LoadSavedDesktop(const FileSystem& files, const DesktopPlaces& places) {
  if (files.DirectoryExists(places.savedDesktop)) {
    return Status::Failure("Не удалось прочитать сохранённый прежний Рабочий стол: на месте файла \"" +
                           places.savedDesktop + "\" находится папка.");
  }
  if (!files.FileExists(places.savedDesktop)) return SavedDesktop{};
  auto bytes = files.ReadFile(places.savedDesktop);
  if (!bytes) return bytes.status();
  auto desktop = DecodePreviousDesktop(bytes.value());
  if (!desktop) return SavedDesktop{SavedDesktopState::kUntrusted, {}};
  return SavedDesktop{SavedDesktopState::kSaved, std::move(*desktop)};
}

Result<bool> SavePreviousDesktopOnce(const Registry& registry, FileSystem& files,
                                     DesktopShell& shell, const DesktopPlaces& places) {
  auto saved = LoadSavedDesktop(files, places);
  if (!saved) return saved.status();
  if (saved.value().state == SavedDesktopState::kSaved) return false;
  auto current = ReadCurrentDesktop(registry, files, shell, places);
  if (!current) return current.status();
  PreviousDesktop desktop = std::move(current).value();
  if (Status created = files.CreateDirectories(places.dataFolder); !created) return created;
  if (shell.Kind() == DesktopKind::kPicture) {
    auto copy = CopyShownPicture(registry, files, places);
    if (!copy) return copy.status();
    desktop.pictureCopy = std::move(copy).value();
  }
  if (Status written = files.WriteFileReplacing(places.savedDesktop,
                                                EncodePreviousDesktop(desktop));
      !written) {
    if (!desktop.pictureCopy.empty()) files.RemoveFile(PictureCopyPath(places, desktop));
    return written;
  }
  return true;
}

std::string PictureCopyPath(const DesktopPlaces& places, const PreviousDesktop& saved) {
  return saved.pictureCopy.empty() ? std::string() : places.dataFolder + "\\" + saved.pictureCopy;
}

namespace {

constexpr std::uint32_t kReadOnly = 0x1;

Status RemoveEvenReadOnly(FileSystem& files, const std::string& path) {
  if (Status removed = files.RemoveFile(path); removed) return removed;
  const auto attributes = files.ReadAttributes(path);
  if (attributes && (attributes.value() & kReadOnly) != 0) {
    if (Status cleared = files.WriteAttributes(path, attributes.value() & ~kReadOnly); !cleared) {
      return cleared;
    }
  }
  return files.RemoveFile(path);
}

}  // namespace

Status RemoveSavedDesktop(FileSystem& files, const DesktopPlaces& places,
                          const PreviousDesktop& saved) {
  if (Status removed = RemoveEvenReadOnly(files, places.savedDesktop); !removed) return removed;
  if (saved.pictureCopy.empty()) return Status::Ok();
  return RemoveEvenReadOnly(files, PictureCopyPath(places, saved));
}

}  // namespace mirella
