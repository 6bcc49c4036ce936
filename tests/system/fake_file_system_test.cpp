#include "fakes/fake_file_system.h"
#include "fakes/file_system_contract.h"

namespace mirella::testing {
namespace {

struct InMemoryFiles {
  static std::unique_ptr<FileSystem> Make() {
    auto files = std::make_unique<FakeFileSystem>();
    files->AddDirectory(Root());
    return files;
  }
  static std::string Root() { return "C:\\work"; }
  static void Cleanup() {}
};

INSTANTIATE_TYPED_TEST_SUITE_P(Fake, FileSystemContract, InMemoryFiles);

}  // namespace
}  // namespace mirella::testing
