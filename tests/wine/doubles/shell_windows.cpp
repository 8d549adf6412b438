#include "shell_windows.h"

#include "browser.h"
#include "scenario.h"

namespace doubles {

ShellWindows::ShellWindows() {
  InterlockedIncrement(&g_liveCount);
}

ShellWindows::~ShellWindows() {
  InterlockedDecrement(&g_liveCount);
}

HRESULT ShellWindows::QueryInterface(REFIID iid, void** out) {
  if (!out) return E_POINTER;
  if (iid == IID_IUnknown || iid == IID_IDispatch || iid == IID_IShellWindows) {
    *out = static_cast<IShellWindows*>(this);
    AddRef();
    return S_OK;
  }
  *out = nullptr;
  return E_NOINTERFACE;
}

ULONG ShellWindows::AddRef() {
  return static_cast<ULONG>(InterlockedIncrement(&refs_));
}

ULONG ShellWindows::Release() {
  LONG left = InterlockedDecrement(&refs_);
  if (left == 0) delete this;
  return static_cast<ULONG>(left);
}

HRESULT ShellWindows::GetTypeInfoCount(UINT* count) {
  if (!count) return E_POINTER;
  ITypeInfo* info = nullptr;
  *count = SUCCEEDED(TypeInfoFor(IID_IShellWindows, &info)) ? 1 : 0;
  if (info) info->Release();
  return S_OK;
}

HRESULT ShellWindows::GetTypeInfo(UINT index, LCID, ITypeInfo** info) {
  if (index != 0) return DISP_E_BADINDEX;
  return TypeInfoFor(IID_IShellWindows, info);
}

HRESULT ShellWindows::GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) {
  ITypeInfo* info = nullptr;
  HRESULT hr = TypeInfoFor(IID_IShellWindows, &info);
  if (FAILED(hr)) return hr;
  hr = DispGetIDsOfNames(info, names, count, ids);
  info->Release();
  return hr;
}

HRESULT ShellWindows::Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params,
                             VARIANT* result, EXCEPINFO* error, UINT* argError) {
  ITypeInfo* info = nullptr;
  HRESULT hr = TypeInfoFor(IID_IShellWindows, &info);
  if (FAILED(hr)) return hr;
  hr = DispInvoke(static_cast<IShellWindows*>(this), info, id, flags, params, result, error,
                  argError);
  info->Release();
  return hr;
}

HRESULT ShellWindows::get_Count(LONG* count) {
  if (!count) return E_POINTER;
  Scenario scenario = ReadScenario();
  if (scenario.Fails(L"Count")) return E_FAIL;
  *count = static_cast<LONG>(scenario.windows.size());
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
  Scenario scenario = ReadScenario();
  if (scenario.Fails(L"Item", std::to_wstring(i))) return E_FAIL;
  if (i < 0 || i >= static_cast<long>(scenario.windows.size())) return S_FALSE;
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
