// The fuzz targets' invariants: a broken one stops the run with its name, and libFuzzer keeps
// the input that broke it.
#pragma once

#include <cstdio>
#include <cstdlib>

namespace zentab::fuzz {

inline void Check(bool condition, const char* what) {
  if (!condition) {
    std::fprintf(stderr, "invariant broken: %s\n", what);
    std::abort();
  }
}

}  // namespace zentab::fuzz
