#include "platform/version.h"

#include "platform/text.h"

namespace zentab {

std::string VersionText(int major, int minor) {
  return std::to_string(major) + "." + std::to_string(minor);
}

std::string WithVersion(std::string caption, int major, int minor) {
  return ReplaceAll(caption, "$.$", VersionText(major, minor));
}

}  // namespace zentab
