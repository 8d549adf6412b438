// The program's own exceptions.
#pragma once

#include <array>
#include <exception>
#include <string_view>

namespace zentab {

// Not std::runtime_error or std::logic_error: those keep their text in a second, reference-counted
// string type that a static build of the program carries whole. The text is for diagnosis only; it
// is cut at a fixed length so that making and copying the exception needs no memory and cannot
// fail.
class Failure : public std::exception {
 public:
  explicit Failure(std::string_view message) noexcept : Failure(message, {}) {}
  // The message followed by a detail, such as a name: composed here rather than at every throw.
  Failure(std::string_view message, std::string_view detail) noexcept;
  const char* what() const noexcept override { return message_.data(); }

 private:
  std::array<char, 128> message_{};
};

// A window's design lacks a control or menu that the code names, or has it of another kind: a
// fault of the program, not of the system.
struct DesignError : Failure {
  using Failure::Failure;
};

}  // namespace zentab
