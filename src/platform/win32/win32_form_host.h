// Windows shown modally on Win32: built from their design, run by a message loop of their own.
#pragma once

#include <vector>

#include "platform/form_host.h"
#include "platform/win32/win32_form.h"
#include "platform/win32/windows_api.h"

namespace zentab {

class Win32FormHost final : public FormHost {
 public:
  explicit Win32FormHost(HINSTANCE instance) : instance_(instance) {}

  void ShowModal(const FormDesign& design, const MakeForm& make) override;
  bool ActivateModal() override;

 private:
  HINSTANCE instance_;
  // The windows shown modally, the innermost last.
  std::vector<HWND> shown_;
};

}  // namespace zentab
