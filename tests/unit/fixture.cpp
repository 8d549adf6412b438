#include "fixture.h"

#include <stdlib.h>

#include <fstream>
#include <sstream>

#include "platform/text.h"

namespace zentab::test {

TempFolder::TempFolder() {
  std::string pattern = (std::filesystem::temp_directory_path() / "zentab-test-XXXXXX").string();
  if (!mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp");
  path_ = pattern;
}

TempFolder::~TempFolder() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

std::string ReadBytes(const std::string& path) {
  std::ostringstream bytes;
  bytes << std::ifstream(path, std::ios::binary).rdbuf();  // in one go: some files are large
  return bytes.str();
}

void WriteBytes(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

WatcherTest::WatcherTest()
    : view(MainWindowDesign(), journal),
      shell(journal),
      host(journal),
      watcher(view, shell, host, settings) {
  shell.SetExeFolder(folder.Path().string());
  view.SetEvents(&watcher);
}

void WatcherTest::WriteIni(const std::string& text) {
  WriteBytes(IniPath(), ReplaceAll(text, "\n", "\r\n"));
}

void WatcherTest::OpenPages(int n) {
  for (int i = 0; i < n; ++i) {
    shell.OpenWindow("Page " + std::to_string(i), "http://site.example/" + std::to_string(i));
  }
}

void WatcherTest::Load() {
  ASSERT_TRUE(watcher.Load());
  journal.Clear();
}

std::vector<std::string> WatcherTest::Calls(std::initializer_list<const char*> prefixes) const {
  std::vector<std::string> found;
  for (const std::string& entry : journal.entries) {
    for (const char* prefix : prefixes) {
      if (StartsWith(entry, prefix)) {
        found.push_back(entry);
        break;
      }
    }
  }
  return found;
}

}  // namespace zentab::test
