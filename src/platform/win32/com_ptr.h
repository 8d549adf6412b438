// Owns one reference to a COM object and releases it when it goes.
#pragma once

#include <utility>

#include "platform/win32/windows_api.h"

namespace zentab {

template <class T>
class ComPtr {
 public:
  ComPtr() = default;
  ComPtr(const ComPtr&) = delete;
  ComPtr& operator=(const ComPtr&) = delete;
  ComPtr(ComPtr&& other) noexcept : p_(std::exchange(other.p_, nullptr)) {}
  ComPtr& operator=(ComPtr&& other) noexcept {
    std::swap(p_, other.p_);
    return *this;
  }
  ~ComPtr() {
    if (p_) p_->Release();
  }

  T* operator->() const { return p_; }
  T& operator*() const { return *p_; }
  explicit operator bool() const { return p_ != nullptr; }
  // For an out parameter (with IID_PPV_ARGS); the pointer must be empty.
  T** Put() { return &p_; }

 private:
  T* p_ = nullptr;
};

}  // namespace zentab
