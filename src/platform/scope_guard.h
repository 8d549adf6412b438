// Runs a cleanup when the scope is left, by return or by exception.
#pragma once

#include <utility>

namespace zentab {

template <class F>
class ScopeGuard {
 public:
  explicit ScopeGuard(F cleanup) : cleanup_(std::move(cleanup)) {}
  ~ScopeGuard() { cleanup_(); }
  ScopeGuard(const ScopeGuard&) = delete;
  ScopeGuard& operator=(const ScopeGuard&) = delete;

 private:
  F cleanup_;
};

}  // namespace zentab
