#include "install/previous_desktop.h"

#include <array>
#include <utility>

#include "install/desktop_snapshot.h"

namespace mirella {
namespace {

constexpr std::string_view kMagic = "Mirella previous desktop\x1a";
constexpr std::uint32_t kVersion = 1;

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
  out.Number(Crc32(out.bytes()));
  return std::move(out.bytes());
}

std::optional<PreviousDesktop> DecodePreviousDesktop(std::string_view bytes) {
  if (bytes.size() < kMagic.size() + 4) return std::nullopt;
  const std::string_view body = bytes.substr(0, bytes.size() - 4);
  Reader checksum(bytes.substr(body.size()));
  if (checksum.Number() != Crc32(body)) return std::nullopt;

  Reader in(body);
  if (in.Raw(kMagic.size()) != kMagic || in.Number() != kVersion ||
      in.Number() != kDesktopValues.size()) {
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
  if (!in.good() || !in.AtEnd()) return std::nullopt;
  return desktop;
}

Result<PreviousDesktop> ReadCurrentDesktop(const Registry& registry, const FileSystem& files,
                                           const DesktopPlaces& places) {
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
  return desktop;
}

Result<SavedDesktop> LoadSavedDesktop(const FileSystem& files, const DesktopPlaces& places) {
  if (!files.FileExists(places.savedDesktop)) return SavedDesktop{};
  auto bytes = files.ReadFile(places.savedDesktop);
  if (!bytes) return bytes.status();
  auto desktop = DecodePreviousDesktop(bytes.value());
  if (!desktop) return SavedDesktop{SavedDesktopState::kUntrusted, {}};
  return SavedDesktop{SavedDesktopState::kSaved, std::move(*desktop)};
}

Result<bool> SavePreviousDesktopOnce(const Registry& registry, FileSystem& files,
                                     const DesktopPlaces& places) {
  auto saved = LoadSavedDesktop(files, places);
  if (!saved) return saved.status();
  if (saved.value().state == SavedDesktopState::kSaved) return false;
  auto current = ReadCurrentDesktop(registry, files, places);
  if (!current) return current.status();
  if (Status created = files.CreateDirectories(places.dataFolder); !created) return created;
  if (Status written = files.WriteFileReplacing(places.savedDesktop,
                                                EncodePreviousDesktop(current.value()));
      !written) {
    return written;
  }
  return true;
}

}  // namespace mirella
