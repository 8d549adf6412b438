// The C++ runtime's last resort when an exception has nowhere to go.
#include <cstdlib>
#include <exception>

namespace __gnu_cxx {

// Stands in for libstdc++'s own, which a static link then leaves out: that one prints the
// exception's type by name and brings the whole symbol demangler (about 50 KB) for a window program
// that has no console to print to. It aborts, as the original does after printing.
void __verbose_terminate_handler() {
  std::abort();
}

}  // namespace __gnu_cxx
