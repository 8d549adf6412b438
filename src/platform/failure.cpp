#include "platform/failure.h"

#include <algorithm>

namespace zentab {

Failure::Failure(std::string_view message, std::string_view detail) noexcept {
  auto* end = message_.data() + message_.size() - 1;  // the last place is for the NUL
  auto* at = message_.data();
  for (const std::string_view part : {message, detail}) {
    const size_t n = std::min(part.size(), static_cast<size_t>(end - at));
    at = std::copy_n(part.data(), n, at);
  }
  *at = '\0';
}

}  // namespace zentab
