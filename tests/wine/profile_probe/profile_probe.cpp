// Runs every case of cases.h through the system's profile functions and through the portable
// profile code, and prints one PASS or FAIL line per case. With a second argument it also writes
// the system's answers as a table.
//
//   profile_probe <scratch folder> [table file]
//
// The system caches a profile file per process by its time stamp, so every case gets a file name
// of its own.

#include <windows.h>

#include <cstdio>
#include <fstream>
#include <string>

#include "cases.h"
#include "support/profile_file.h"

namespace {

namespace profile = zentab::profile;

int g_failed = 0;

// Bytes as C-like text, so that line ends, quotes and double-byte characters show.
std::string Shown(const std::string& bytes) {
  std::string out;
  for (unsigned char c : bytes) {
    if (c == '\r') {
      out += "\\r";
    } else if (c == '\n') {
      out += "\\n";
    } else if (c == '\t') {
      out += "\\t";
    } else if (c == '\\' || c == '|') {
      out += '\\';
      out += static_cast<char>(c);
    } else if (c < 0x20 || c >= 0x7f) {
      char hex[8];
      std::snprintf(hex, sizeof hex, "\\x%02x", c);
      out += hex;
    } else {
      out += static_cast<char>(c);
    }
  }
  return out;
}

void Report(bool same, const std::string& what, const std::string& detail) {
  std::printf("%s profile %s%s\n", same ? "PASS" : "FAIL", what.c_str(),
              same ? "" : (": " + detail).c_str());
  if (!same) ++g_failed;
}

bool WriteBytes(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(out);
}

std::optional<std::string> ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  return std::string(std::istreambuf_iterator<char>(in), {});
}

std::string CaseFile(const std::string& folder, const char* kind, size_t index,
                     const char* suffix = "") {
  char name[64];
  std::snprintf(name, sizeof name, "\\%s_%03zu%s.ini", kind, index, suffix);
  return folder + name;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: profile_probe <scratch folder> [table file]\n");
    return 64;
  }
  const std::string folder = argv[1];
  std::ofstream table;
  if (argc > 2) {
    table.open(argv[2], std::ios::binary | std::ios::trunc);
    table << "| case | file | section / key (default) | system |\n|---|---|---|---|\n";
  }

  const auto reads = probe::ReadCases();
  for (size_t i = 0; i < reads.size(); ++i) {
    const auto& c = reads[i];
    const std::string path = CaseFile(folder, "read", i);
    if (!WriteBytes(path, c.contents)) {
      Report(false, std::string("read: ") + c.name, "cannot write " + path);
      continue;
    }
    const auto system = static_cast<std::int32_t>(
        GetPrivateProfileIntA(c.section, c.key, c.defaultValue, path.c_str()));
    const std::int32_t portable = profile::GetInt(c.contents, c.section, c.key, c.defaultValue);
    const std::int32_t portableFile =
        profile::ReadProfileInt(c.section, c.key, c.defaultValue, path);
    Report(system == portable && system == portableFile,
           std::string("read: ") + c.name + " (" + std::to_string(system) + ")",
           "system " + std::to_string(system) + ", portable " + std::to_string(portable) +
               ", portable from the file " + std::to_string(portableFile));
    if (table.is_open()) {
      table << "| " << c.name << " | `" << Shown(c.contents) << "` | " << Shown(c.section) << " / "
            << Shown(c.key) << " (" << c.defaultValue << ") | " << system << " |\n";
    }
  }

  if (table.is_open())
    table << "\n| write case | before | calls | system's file after |\n|---|---|---|---|\n";
  const auto writes = probe::WriteCases();
  for (size_t i = 0; i < writes.size(); ++i) {
    const auto& c = writes[i];
    const std::string systemPath = CaseFile(folder, "write", i);
    const std::string portablePath = CaseFile(folder, "write", i, "_portable");
    DeleteFileA(systemPath.c_str());
    DeleteFileA(portablePath.c_str());
    if (c.initial &&
        (!WriteBytes(systemPath, *c.initial) || !WriteBytes(portablePath, *c.initial))) {
      Report(false, std::string("write: ") + c.name, "cannot write " + systemPath);
      continue;
    }
    std::string portable = c.initial.value_or("");
    std::string calls;
    for (const auto& step : c.steps) {
      WritePrivateProfileStringA(step.section, step.key, step.value, systemPath.c_str());
      if (auto updated = profile::WriteString(portable, step.section, step.key, step.value)) {
        portable = *updated;
      }
      profile::WriteProfileText(step.section, step.key, step.value, portablePath);
      calls += std::string(calls.empty() ? "" : "; ") + Shown(step.section) + "/" +
               Shown(step.key) + "=" + Shown(step.value);
    }
    // Three null arguments make the system write out what it holds in its cache.
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, systemPath.c_str());
    const std::string system = ReadBytes(systemPath).value_or("(no file)");
    const std::string portableFile = ReadBytes(portablePath).value_or("(no file)");
    Report(system == portable && system == portableFile, std::string("write: ") + c.name,
           "system \"" + Shown(system) + "\", portable \"" + Shown(portable) +
               "\", portable on the file \"" + Shown(portableFile) + "\"");
    if (table.is_open()) {
      table << "| " << c.name << " | `" << (c.initial ? Shown(*c.initial) : "(no file)") << "` | "
            << calls << " | `" << Shown(system) << "` |\n";
    }
  }
  std::printf("profile probe: %zu cases, %d differ\n", reads.size() + writes.size(), g_failed);
  return g_failed == 0 ? 0 : 1;
}
