#include "shell_windows.h"

#include "browser.h"
#include "scenario.h"
#include "tally.h"

namespace doubles {

ShellWindows::ShellWindows() : DispatchObject(IID_IShellWindows) {}

HRESULT ShellWindows::get_Count(LONG* count) {
  if (!count) return E_POINTER;
  TallyCount();
  const auto scenario = CurrentScenario();
  if (scenario->Fails(L"Count")) return E_FAIL;
  *count = static_cast<LONG>(scenario->windows.size());
  return S_OK;
}

HRESULT ShellWindows::Item(VARIANT index, IDispatch** folder) {
  if (!folder) return E_POINTER;
  *folder = nullptr;
  // The shell takes the position in any integer variant; the program passes a 16-bit one.
  VARIANT position;
  VariantInit(&position);
  HRESULT hr = VariantChangeType(&position, &index, 0, VT_I4);
  if (FAILED(hr)) return E_INVALIDARG;
  long i = V_I4(&position);
  const auto scenario = CurrentScenario();
  if (scenario->Fails(L"Item", std::to_wstring(i))) return E_FAIL;
  if (i < 0 || i >= static_cast<long>(scenario->windows.size())) return S_FALSE;
  *folder = new Browser(i);
  return S_OK;
}

HRESULT ShellWindows::_NewEnum(IUnknown**) {
  return E_NOTIMPL;
}
HRESULT ShellWindows::Register(IDispatch*, LONG, int, LONG*) {
  return E_NOTIMPL;
}
HRESULT ShellWindows::RegisterPending(LONG, VARIANT*, VARIANT*, int, LONG*) {
  return E_NOTIMPL;
}
HRESULT ShellWindows::Revoke(LONG) {
  return E_NOTIMPL;
}
HRESULT ShellWindows::OnNavigate(LONG, VARIANT*) {
  return E_NOTIMPL;
}
HRESULT ShellWindows::OnActivated(LONG, VARIANT_BOOL) {
  return E_NOTIMPL;
}
HRESULT ShellWindows::FindWindowSW(VARIANT*, VARIANT*, int, LONG*, int, IDispatch**) {
  return E_NOTIMPL;
}
HRESULT ShellWindows::OnCreated(LONG, IUnknown*) {
  return E_NOTIMPL;
}
HRESULT ShellWindows::ProcessAttachDetach(VARIANT_BOOL) {
  return E_NOTIMPL;
}

}  // namespace doubles
