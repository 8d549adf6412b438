#include "browsers/registration.h"

#include <array>
#include <string_view>

#include "browsers/extension_ids.h"
#include "browsers/messages.h"

namespace zentab {
namespace {

struct Manifest {
  const char* file;
  std::string (*content)(const std::string& hostPath);
};
constexpr Manifest kChromium{"\\zentab_host-chromium.json", ChromiumHostManifest};
constexpr Manifest kFirefox{"\\zentab_host-firefox.json", FirefoxHostManifest};

struct Key {
  const char* path;  // under HKEY_CURRENT_USER
  const Manifest& manifest;
};
constexpr std::array<Key, 3> kKeys{{
    {"Software\\Google\\Chrome\\NativeMessagingHosts\\zentab_host", kChromium},
    {"Software\\Microsoft\\Edge\\NativeMessagingHosts\\zentab_host", kChromium},
    {"Software\\Mozilla\\NativeMessagingHosts\\zentab_host", kFirefox},
}};
static_assert(std::string_view(kKeys[0].path).ends_with(kBrowserHostName));

}  // namespace

bool BrowserRegistration::Registered() {
  for (const Key& key : kKeys) {
    const auto named = shell_.UserRegistryValue(key.path);
    if (!named || !shell_.SamePath(*named, shell_.ExeFolder() + key.manifest.file)) return false;
  }
  return true;
}

std::optional<std::string> BrowserRegistration::Apply(bool registered, Undo& undo) {
  const std::string folder = shell_.ExeFolder();
  // A file as it was, so that it can be put back.
  const auto keepFile = [&](const std::string& path) -> std::optional<std::function<void()>> {
    try {
      const auto before = shell_.ReadWholeFile(path, kBrowserRequestLimit);
      return [this, path, before] {
        before ? (void)shell_.WriteFileAtomically(path, *before) : (void)shell_.RemoveFile(path);
      };
    } catch (const ShellFailure&) {
      return std::nullopt;
    }
  };
  const auto keepKey = [&](const char* key) -> std::optional<std::function<void()>> {
    try {
      const auto before = shell_.UserRegistryValue(key);
      return [this, key, before] {
        before ? (void)shell_.SetUserRegistryValue(key, *before)
               : (void)shell_.RemoveUserRegistryKey(key);
      };
    } catch (const ShellFailure&) {
      return std::nullopt;
    }
  };
  const auto files = [&]() -> std::optional<std::string> {
    for (const Manifest* manifest : {&kChromium, &kFirefox}) {
      const std::string path = folder + manifest->file;
      auto put = keepFile(path);
      if (!put || !(registered ? shell_.WriteFileAtomically(
                                     path, manifest->content(folder + "\\zentab_host.exe"))
                               : shell_.RemoveFile(path))) {
        return path;
      }
      undo.push_back(std::move(*put));
    }
    return std::nullopt;
  };
  const auto keys = [&]() -> std::optional<std::string> {
    for (const Key& key : kKeys) {
      auto put = keepKey(key.path);
      if (!put || !(registered ? shell_.SetUserRegistryValue(key.path, folder + key.manifest.file)
                               : shell_.RemoveUserRegistryKey(key.path))) {
        return std::string("HKEY_CURRENT_USER\\") + key.path;
      }
      undo.push_back(std::move(*put));
    }
    return std::nullopt;
  };
  // A key never names a manifest that is not there.
  if (registered) {
    if (auto failed = files()) return failed;
    return keys();
  }
  if (auto failed = keys()) return failed;
  return files();
}

}  // namespace zentab
