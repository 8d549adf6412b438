#include "watch/redirects.h"

#include <array>

#include "platform/text.h"

namespace zentab {
namespace {

struct RedirectService {
  int bit;
  std::string detection;
  std::string removal;
};

const std::array<RedirectService, 3>& Services() {
  static const std::array<RedirectService, 3> services{
      RedirectService{kThroughRedirectB, std::string(kRedirectBHost) + "/",
                      std::string(kRedirectBHost) + "/"},
      RedirectService{kThroughRedirectA, std::string(kRedirectAHost) + "/",
                      std::string(kRedirectAHost) + "/"},
      RedirectService{kThroughBoardLink, "http://" + std::string(kBoardLinkHost) + "/bbs/link.cgi",
                      "http://" + std::string(kBoardLinkHost) + "/bbs/link.cgi?url="},
  };
  return services;
}

}  // namespace

std::optional<std::string> RedirectTarget(std::string_view address, int through) {
  if (through < 1 || through > 7) return std::nullopt;
  for (const RedirectService& service : Services()) {
    if ((through & service.bit) && Contains(address, service.detection)) {
      return ReplaceAll(address, service.removal, "");
    }
  }
  return std::nullopt;
}

bool ShouldNavigate(std::string_view address, std::string_view target) {
  return target != address && (StartsWith(target, "http://") || StartsWith(target, "https://"));
}

}  // namespace zentab
