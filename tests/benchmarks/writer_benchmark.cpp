// The two writers against one plain write of the same bytes: what generating the text, encoding
// it in code page 1251 and replacing the file through a temporary one cost on top of the write.

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

#include "generate/cp1251.h"
#include "generate/desktop_script.h"
#include "generate/test_content.h"
#include "generate/theme_page.h"

namespace mirella {
namespace {

namespace fs = std::filesystem;

// The program folder "C:\Bench" maps to a folder under the system's temporary directory.
class BenchmarkFolder {
 public:
  BenchmarkFolder() : root_(fs::temp_directory_path() / "mirella-benchmark") {
    fs::create_directories(root_ / "Themes" / "Blue Classic");
  }
  ~BenchmarkFolder() { fs::remove_all(root_); }
  fs::path Local(const std::string& windowsPath) const {
    std::string relative = windowsPath.substr(std::string(kProgram).size());
    for (char& c : relative) {
      if (c == '\\') c = '/';
    }
    return root_.string() + relative;
  }
  static constexpr const char* kProgram = "C:\\Bench";

 private:
  fs::path root_;
};

// Replaces a file the way the Windows file system does: a temporary file in the same folder,
// written whole, optionally flushed to the disk, then renamed over the target.
class ReplacingFiles : public FileSystem {
 public:
  ReplacingFiles(const BenchmarkFolder& folder, bool flush) : folder_(folder), flush_(flush) {}
  bool FileExists(const std::string&) const override { return false; }
  bool DirectoryExists(const std::string&) const override { return true; }
  Status CreateDirectories(const std::string&) override { return Status::Ok(); }
  Status CopyFileReplacing(const std::string&, const std::string&) override {
    return Status::Failure("not used");
  }
  Result<std::string> ReadFile(const std::string&) const override {
    return Status::Failure("not used");
  }
  Status RemoveFile(const std::string&) override { return Status::Failure("not used"); }
  Result<std::uint32_t> ReadAttributes(const std::string&) const override {
    return Status::Failure("not used");
  }
  Status WriteAttributes(const std::string&, std::uint32_t) override {
    return Status::Failure("not used");
  }
  Status WriteFileReplacing(const std::string& path, std::string_view bytes) override {
    const fs::path target = folder_.Local(path);
    const fs::path temporary = target.string() + ".tmp";
    const int file = open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (file < 0) return Status::Failure("open");
    const bool written = write(file, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size()) &&
                         (!flush_ || fsync(file) == 0);
    if (close(file) != 0 || !written) return Status::Failure("write");
    if (std::rename(temporary.c_str(), target.c_str()) != 0) return Status::Failure("rename");
    return Status::Ok();
  }

 private:
  const BenchmarkFolder& folder_;
  bool flush_;
};

void PlainWrite(const fs::path& path, const std::string& bytes) {
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

const DesktopContent& Content() {
  static const DesktopContent content = testing::FullyLinkedTestContent();
  return content;
}

void BM_SetChanges(benchmark::State& state) {
  BenchmarkFolder folder;
  ReplacingFiles files(folder, state.range(0) != 0);
  const Cp1251 codePage;
  for (auto _ : state) {
    if (!SetChanges(Content(), BenchmarkFolder::kProgram, files, codePage)) state.SkipWithError("write");
  }
}
BENCHMARK(BM_SetChanges)->ArgName("flush")->Arg(0)->Arg(1);

void BM_PlainWriteOfTheScript(benchmark::State& state) {
  BenchmarkFolder folder;
  const std::string bytes = DesktopScript(Content(), BenchmarkFolder::kProgram, Cp1251());
  const fs::path path = folder.Local(DesktopScriptPath(BenchmarkFolder::kProgram));
  for (auto _ : state) PlainWrite(path, bytes);
}
BENCHMARK(BM_PlainWriteOfTheScript);

void BM_DesktopScriptText(benchmark::State& state) {
  const Cp1251 codePage;
  for (auto _ : state) benchmark::DoNotOptimize(DesktopScript(Content(), BenchmarkFolder::kProgram, codePage));
}
BENCHMARK(BM_DesktopScriptText);

void BM_WriteThemes(benchmark::State& state) {
  BenchmarkFolder folder;
  ReplacingFiles files(folder, state.range(0) != 0);
  const Cp1251 codePage;
  for (auto _ : state) {
    if (!WriteThemes(BenchmarkFolder::kProgram, files, codePage)) state.SkipWithError("write");
  }
}
BENCHMARK(BM_WriteThemes)->ArgName("flush")->Arg(0)->Arg(1);

void BM_PlainWriteOfThePage(benchmark::State& state) {
  BenchmarkFolder folder;
  const std::string bytes = ThemePage(BenchmarkFolder::kProgram, Cp1251());
  const fs::path path = folder.Local(ThemePagePath(BenchmarkFolder::kProgram));
  for (auto _ : state) PlainWrite(path, bytes);
}
BENCHMARK(BM_PlainWriteOfThePage);

void BM_ThemePageText(benchmark::State& state) {
  const Cp1251 codePage;
  for (auto _ : state) benchmark::DoNotOptimize(ThemePage(BenchmarkFolder::kProgram, codePage));
}
BENCHMARK(BM_ThemePageText);

}  // namespace
}  // namespace mirella
