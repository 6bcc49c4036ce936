#pragma once
// Shared set-up of the writer and Apply tests: the default desktop as SetValues loads it on a
// scripted machine, and the golden files it must produce.

#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "content/default_content.h"
#include "fakes/fake_environment.h"
#include "fakes/fake_file_system.h"
#include "fakes/fake_registry.h"

namespace mirella::testing {

inline constexpr const char* kTestProgramFolder = "C:\\Program Files\\Mirella";

// The default content on a machine with windir C:\WINDOWS and the user's documents and pictures
// under C:\Users\user; entries 4 and 7 to 10 have no link, as after SetValues.
inline DesktopContent DefaultTestContent() {
  FakeEnvironment environment;
  FakeRegistry registry;
  FakeFileSystem files;
  registry.Put(std::string(kShellFoldersKey), "Personal", "C:\\Users\\user\\Documents");
  registry.Put(std::string(kShellFoldersKey), "My Pictures", "C:\\Users\\user\\Pictures");
  DesktopContent content;
  content.SystemDrive = SystemDriveOf(environment);
  SetValues(content, LinkSources{environment, registry, files});
  return content;
}

// The default content with a link chosen for every entry, ready to apply.
inline DesktopContent FullyLinkedTestContent() {
  DesktopContent content = DefaultTestContent();
  for (int i = 0; i < kEntryCount; ++i) {
    content.SelectedEntry = static_cast<std::int16_t>(i);
    if (content.EntryLink[i].empty()) ChooseTypedLink(content, "D:\\Папка " + std::to_string(i));
  }
  content.SelectedEntry = 0;
  return content;
}

inline std::string ReadTestData(const std::string& name) {
  std::ifstream file(std::string(MIRELLA_TEST_DATA) + "/" + name, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

// The lines of a generated file, each without its CR LF; a file not ending in CR LF gets an
// extra last line holding the unterminated rest, so that such a fault shows.
inline std::vector<std::string> SplitLines(const std::string& bytes) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t end; (end = bytes.find("\r\n", start)) != std::string::npos; start = end + 2) {
    lines.push_back(bytes.substr(start, end - start));
  }
  if (start != bytes.size()) lines.push_back(bytes.substr(start));
  return lines;
}

}  // namespace mirella::testing
