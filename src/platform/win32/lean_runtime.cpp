// Pieces of the C++ runtime that zentab.exe brings smaller versions of. The linker then leaves the
// library's own out; were one of them still needed, the link would fail on a second definition.
#include <cstdlib>
#include <exception>
#include <new>
#include <string>
#include <typeinfo>

#include "platform/failure.h"

namespace zentab {
namespace {

// A check of the standard library failed (a string too long, an index past the end): a fault of
// the program, which the last catch of a window procedure takes like any other.
struct LibraryFailure : Failure {
  using Failure::Failure;
};

}  // namespace
}  // namespace zentab

namespace __gnu_cxx {

// The default handler prints the exception's type by name and brings the whole symbol demangler
// (about 50 KB) for a window program that has no console to print to. This one aborts, as the
// default does after printing.
void __verbose_terminate_handler() {
  std::abort();
}

}  // namespace __gnu_cxx

// The library's throw helpers. Its own throw the std::logic_error family, whose reference-counted
// strings (about 30 KB) nothing else of the program needs.
namespace std {

void __throw_bad_exception() {
  throw bad_exception();
}
void __throw_bad_alloc() {
  throw bad_alloc();
}
void __throw_bad_array_new_length() {
  throw bad_array_new_length();
}
void __throw_bad_cast() {
  throw bad_cast();
}
void __throw_bad_typeid() {
  throw bad_typeid();
}
void __throw_logic_error(const char* what) {
  throw zentab::LibraryFailure(what);
}
void __throw_domain_error(const char* what) {
  throw zentab::LibraryFailure(what);
}
void __throw_invalid_argument(const char* what) {
  throw zentab::LibraryFailure(what);
}
void __throw_length_error(const char* what) {
  throw zentab::LibraryFailure(what);
}
void __throw_out_of_range(const char* what) {
  throw zentab::LibraryFailure(what);
}
// The text stays unformatted: it is for diagnosis only.
void __throw_out_of_range_fmt(const char* format, ...) {
  throw zentab::LibraryFailure(format);
}
void __throw_runtime_error(const char* what) {
  throw zentab::LibraryFailure(what);
}
void __throw_range_error(const char* what) {
  throw zentab::LibraryFailure(what);
}
void __throw_overflow_error(const char* what) {
  throw zentab::LibraryFailure(what);
}
void __throw_underflow_error(const char* what) {
  throw zentab::LibraryFailure(what);
}

}  // namespace std
