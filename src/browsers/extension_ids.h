// Who Zentab's browser extension is, as each browser names the caller of a native-messaging host.
#pragma once

#include <string_view>

namespace zentab {

// The name the extension asks its browser to start; also the name of the registry keys.
inline constexpr std::string_view kBrowserHostName = "zentab_host";
// Chrome and Edge derive the id from the public key in the extension's manifest.
inline constexpr std::string_view kChromiumExtensionOrigin =
    "chrome-extension://kflilephkonpaaabcfjpemepapeeochc/";
inline constexpr std::string_view kFirefoxExtensionId = "zentab@zentab.example";

}  // namespace zentab
