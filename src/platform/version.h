// The program's version, in one place: the logic, the version resource and the tray tip read it.
// Plain macros so that the resource compiler can read them too.
#pragma once

#define ZENTAB_VERSION_MAJOR 2
#define ZENTAB_VERSION_MINOR 0
#define ZENTAB_VERSION_STRING "2.0"

#ifdef __cplusplus
#include <string>

namespace zentab {

// "2.0", "2.5", "2.10": plain decimal numbers, no leading zeros.
std::string VersionText(int major, int minor);

// Every "$.$" in caption replaced by the version text.
std::string WithVersion(std::string caption, int major, int minor);

}  // namespace zentab
#endif
