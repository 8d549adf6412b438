#include "browser.h"

#include "scenario.h"

namespace doubles {

LONG g_liveCount = 0;

HRESULT TypeInfoFor(REFIID iid, ITypeInfo** info) {
  if (!info) return E_POINTER;
  *info = nullptr;
  ITypeLib* library = nullptr;
  HRESULT hr = LoadRegTypeLib(LIBID_SHDocVw, 1, 1, LOCALE_NEUTRAL, &library);
  if (FAILED(hr)) return hr;
  hr = library->GetTypeInfoOfGuid(iid, info);
  library->Release();
  return hr;
}

namespace {

// Optional arguments count as absent when missing, empty or "not given".
bool Absent(const VARIANT* argument) {
  return !argument || V_VT(argument) == VT_EMPTY ||
         (V_VT(argument) == VT_ERROR && V_ERROR(argument) == DISP_E_PARAMNOTFOUND);
}

HRESULT TextOf(VARIANT* argument, std::wstring& text) {
  if (!argument) return E_INVALIDARG;
  VARIANT converted;
  VariantInit(&converted);
  HRESULT hr = VariantChangeType(&converted, argument, 0, VT_BSTR);
  if (FAILED(hr)) return hr;
  text.assign(V_BSTR(&converted), SysStringLen(V_BSTR(&converted)));
  VariantClear(&converted);
  return S_OK;
}

HRESULT NewBstr(const std::wstring& text, BSTR* out) {
  if (!out) return E_POINTER;
  *out = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
  return *out ? S_OK : E_OUTOFMEMORY;
}

}  // namespace

Browser::Browser(long position) : DispatchObject(IID_IWebBrowser2), position_(position) {}

bool Browser::AlsoImplements(REFIID iid) const {
  return iid == IID_IWebBrowser || iid == IID_IWebBrowserApp;
}

std::wstring Browser::LogName() const {
  return position_ == kNew ? std::wstring(L"new") : std::to_wstring(position_);
}

HRESULT Browser::ReadWindow(const wchar_t* call, bool wantTitle, BSTR* out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  if (position_ == kNew) return NewBstr(wantTitle ? std::wstring() : navigated_, out);
  const auto scenario = CurrentScenario();
  if (scenario->Fails(call, LogName())) return E_FAIL;
  if (position_ >= static_cast<long>(scenario->windows.size())) return RPC_E_DISCONNECTED;
  const ShellWindow& window = scenario->windows[static_cast<size_t>(position_)];
  return NewBstr(wantTitle ? window.title : window.address, out);
}

HRESULT Browser::get_LocationName(BSTR* out) {
  return ReadWindow(L"LocationName", true, out);
}

HRESULT Browser::get_LocationURL(BSTR* out) {
  return ReadWindow(L"LocationURL", false, out);
}

HRESULT Browser::Navigate2(VARIANT* url, VARIANT* flags, VARIANT* frame, VARIANT* postData,
                           VARIANT* headers) {
  if (CurrentScenario()->Fails(L"Navigate2", LogName())) return E_FAIL;
  std::wstring address;
  HRESULT hr = TextOf(url, address);
  if (FAILED(hr)) return hr;
  bool extra = !Absent(flags) || !Absent(frame) || !Absent(postData) || !Absent(headers);
  AppendLog(L"navigate " + LogName() + L" " + address + (extra ? L" +args" : L""));
  if (position_ == kNew) navigated_ = address;
  return S_OK;
}

HRESULT Browser::get_Visible(VARIANT_BOOL* out) {
  if (!out) return E_POINTER;
  *out = visible_;
  return S_OK;
}

HRESULT Browser::put_Visible(VARIANT_BOOL value) {
  if (CurrentScenario()->Fails(L"Visible", LogName())) return E_FAIL;
  AppendLog(L"visible " + LogName() + L" " + std::to_wstring(value));
  visible_ = value;
  return S_OK;
}

HRESULT Browser::get_Busy(VARIANT_BOOL* out) {
  if (!out) return E_POINTER;
  *out = VARIANT_FALSE;
  return S_OK;
}

HRESULT Browser::get_ReadyState(READYSTATE* out) {
  if (!out) return E_POINTER;
  *out = READYSTATE_COMPLETE;
  return S_OK;
}

HRESULT Browser::Quit() {
  AppendLog(L"quit " + LogName());
  return S_OK;
}

// Nothing the program calls: every other member says so.
HRESULT Browser::GoBack() {
  return E_NOTIMPL;
}
HRESULT Browser::GoForward() {
  return E_NOTIMPL;
}
HRESULT Browser::GoHome() {
  return E_NOTIMPL;
}
HRESULT Browser::GoSearch() {
  return E_NOTIMPL;
}
HRESULT Browser::Navigate(BSTR, VARIANT*, VARIANT*, VARIANT*, VARIANT*) {
  return E_NOTIMPL;
}
HRESULT Browser::Refresh() {
  return E_NOTIMPL;
}
HRESULT Browser::Refresh2(VARIANT*) {
  return E_NOTIMPL;
}
HRESULT Browser::Stop() {
  return E_NOTIMPL;
}
HRESULT Browser::get_Application(IDispatch**) {
  return E_NOTIMPL;
}
HRESULT Browser::get_Parent(IDispatch**) {
  return E_NOTIMPL;
}
HRESULT Browser::get_Container(IDispatch**) {
  return E_NOTIMPL;
}
HRESULT Browser::get_Document(IDispatch**) {
  return E_NOTIMPL;
}
HRESULT Browser::get_TopLevelContainer(VARIANT_BOOL*) {
  return E_NOTIMPL;
}
HRESULT Browser::get_Type(BSTR*) {
  return E_NOTIMPL;
}
HRESULT Browser::get_Left(LONG*) {
  return E_NOTIMPL;
}
HRESULT Browser::put_Left(LONG) {
  return E_NOTIMPL;
}
HRESULT Browser::get_Top(LONG*) {
  return E_NOTIMPL;
}
HRESULT Browser::put_Top(LONG) {
  return E_NOTIMPL;
}
HRESULT Browser::get_Width(LONG*) {
  return E_NOTIMPL;
}
HRESULT Browser::put_Width(LONG) {
  return E_NOTIMPL;
}
HRESULT Browser::get_Height(LONG*) {
  return E_NOTIMPL;
}
HRESULT Browser::put_Height(LONG) {
  return E_NOTIMPL;
}
HRESULT Browser::ClientToWindow(int*, int*) {
  return E_NOTIMPL;
}
HRESULT Browser::PutProperty(BSTR, VARIANT) {
  return E_NOTIMPL;
}
HRESULT Browser::GetProperty(BSTR, VARIANT*) {
  return E_NOTIMPL;
}
HRESULT Browser::get_Name(BSTR*) {
  return E_NOTIMPL;
}
HRESULT Browser::get_HWND(SHANDLE_PTR*) {
  return E_NOTIMPL;
}
HRESULT Browser::get_FullName(BSTR*) {
  return E_NOTIMPL;
}
HRESULT Browser::get_Path(BSTR*) {
  return E_NOTIMPL;
}
HRESULT Browser::get_StatusBar(VARIANT_BOOL*) {
  return E_NOTIMPL;
}
HRESULT Browser::put_StatusBar(VARIANT_BOOL) {
  return E_NOTIMPL;
}
HRESULT Browser::get_StatusText(BSTR*) {
  return E_NOTIMPL;
}
HRESULT Browser::put_StatusText(BSTR) {
  return E_NOTIMPL;
}
HRESULT Browser::get_ToolBar(int*) {
  return E_NOTIMPL;
}
HRESULT Browser::put_ToolBar(int) {
  return E_NOTIMPL;
}
HRESULT Browser::get_MenuBar(VARIANT_BOOL*) {
  return E_NOTIMPL;
}
HRESULT Browser::put_MenuBar(VARIANT_BOOL) {
  return E_NOTIMPL;
}
HRESULT Browser::get_FullScreen(VARIANT_BOOL*) {
  return E_NOTIMPL;
}
HRESULT Browser::put_FullScreen(VARIANT_BOOL) {
  return E_NOTIMPL;
}
HRESULT Browser::QueryStatusWB(OLECMDID, OLECMDF*) {
  return E_NOTIMPL;
}
HRESULT Browser::ExecWB(OLECMDID, OLECMDEXECOPT, VARIANT*, VARIANT*) {
  return E_NOTIMPL;
}
HRESULT Browser::ShowBrowserBar(VARIANT*, VARIANT*, VARIANT*) {
  return E_NOTIMPL;
}
HRESULT Browser::get_Offline(VARIANT_BOOL*) {
  return E_NOTIMPL;
}
HRESULT Browser::put_Offline(VARIANT_BOOL) {
  return E_NOTIMPL;
}
HRESULT Browser::get_Silent(VARIANT_BOOL*) {
  return E_NOTIMPL;
}
HRESULT Browser::put_Silent(VARIANT_BOOL) {
  return E_NOTIMPL;
}
HRESULT Browser::get_RegisterAsBrowser(VARIANT_BOOL*) {
  return E_NOTIMPL;
}
HRESULT Browser::put_RegisterAsBrowser(VARIANT_BOOL) {
  return E_NOTIMPL;
}
HRESULT Browser::get_RegisterAsDropTarget(VARIANT_BOOL*) {
  return E_NOTIMPL;
}
HRESULT Browser::put_RegisterAsDropTarget(VARIANT_BOOL) {
  return E_NOTIMPL;
}
HRESULT Browser::get_TheaterMode(VARIANT_BOOL*) {
  return E_NOTIMPL;
}
HRESULT Browser::put_TheaterMode(VARIANT_BOOL) {
  return E_NOTIMPL;
}
HRESULT Browser::get_AddressBar(VARIANT_BOOL*) {
  return E_NOTIMPL;
}
HRESULT Browser::put_AddressBar(VARIANT_BOOL) {
  return E_NOTIMPL;
}
HRESULT Browser::get_Resizable(VARIANT_BOOL*) {
  return E_NOTIMPL;
}
HRESULT Browser::put_Resizable(VARIANT_BOOL) {
  return E_NOTIMPL;
}

}  // namespace doubles
