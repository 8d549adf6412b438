// A browser window of the doubles: a window of the scenario, or a new InternetExplorer object.
#pragma once

#include <exdisp.h>
#include <windows.h>

#include <string>

#include "dispatch_object.h"

namespace doubles {

class Browser : public DispatchObject<IWebBrowser2> {
 public:
  static constexpr long kNew = -1;
  // position: the window's place in the scenario, or kNew.
  explicit Browser(long position);

  // IWebBrowser
  HRESULT STDMETHODCALLTYPE GoBack() override;
  HRESULT STDMETHODCALLTYPE GoForward() override;
  HRESULT STDMETHODCALLTYPE GoHome() override;
  HRESULT STDMETHODCALLTYPE GoSearch() override;
  HRESULT STDMETHODCALLTYPE Navigate(BSTR url, VARIANT* flags, VARIANT* frame, VARIANT* postData,
                                     VARIANT* headers) override;
  HRESULT STDMETHODCALLTYPE Refresh() override;
  HRESULT STDMETHODCALLTYPE Refresh2(VARIANT* level) override;
  HRESULT STDMETHODCALLTYPE Stop() override;
  HRESULT STDMETHODCALLTYPE get_Application(IDispatch** out) override;
  HRESULT STDMETHODCALLTYPE get_Parent(IDispatch** out) override;
  HRESULT STDMETHODCALLTYPE get_Container(IDispatch** out) override;
  HRESULT STDMETHODCALLTYPE get_Document(IDispatch** out) override;
  HRESULT STDMETHODCALLTYPE get_TopLevelContainer(VARIANT_BOOL* out) override;
  HRESULT STDMETHODCALLTYPE get_Type(BSTR* out) override;
  HRESULT STDMETHODCALLTYPE get_Left(LONG* out) override;
  HRESULT STDMETHODCALLTYPE put_Left(LONG value) override;
  HRESULT STDMETHODCALLTYPE get_Top(LONG* out) override;
  HRESULT STDMETHODCALLTYPE put_Top(LONG value) override;
  HRESULT STDMETHODCALLTYPE get_Width(LONG* out) override;
  HRESULT STDMETHODCALLTYPE put_Width(LONG value) override;
  HRESULT STDMETHODCALLTYPE get_Height(LONG* out) override;
  HRESULT STDMETHODCALLTYPE put_Height(LONG value) override;
  HRESULT STDMETHODCALLTYPE get_LocationName(BSTR* out) override;
  HRESULT STDMETHODCALLTYPE get_LocationURL(BSTR* out) override;
  HRESULT STDMETHODCALLTYPE get_Busy(VARIANT_BOOL* out) override;

  // IWebBrowserApp
  HRESULT STDMETHODCALLTYPE Quit() override;
  HRESULT STDMETHODCALLTYPE ClientToWindow(int* cx, int* cy) override;
  HRESULT STDMETHODCALLTYPE PutProperty(BSTR name, VARIANT value) override;
  HRESULT STDMETHODCALLTYPE GetProperty(BSTR name, VARIANT* out) override;
  HRESULT STDMETHODCALLTYPE get_Name(BSTR* out) override;
  HRESULT STDMETHODCALLTYPE get_HWND(SHANDLE_PTR* out) override;
  HRESULT STDMETHODCALLTYPE get_FullName(BSTR* out) override;
  HRESULT STDMETHODCALLTYPE get_Path(BSTR* out) override;
  HRESULT STDMETHODCALLTYPE get_Visible(VARIANT_BOOL* out) override;
  HRESULT STDMETHODCALLTYPE put_Visible(VARIANT_BOOL value) override;
  HRESULT STDMETHODCALLTYPE get_StatusBar(VARIANT_BOOL* out) override;
  HRESULT STDMETHODCALLTYPE put_StatusBar(VARIANT_BOOL value) override;
  HRESULT STDMETHODCALLTYPE get_StatusText(BSTR* out) override;
  HRESULT STDMETHODCALLTYPE put_StatusText(BSTR value) override;
  HRESULT STDMETHODCALLTYPE get_ToolBar(int* out) override;
  HRESULT STDMETHODCALLTYPE put_ToolBar(int value) override;
  HRESULT STDMETHODCALLTYPE get_MenuBar(VARIANT_BOOL* out) override;
  HRESULT STDMETHODCALLTYPE put_MenuBar(VARIANT_BOOL value) override;
  HRESULT STDMETHODCALLTYPE get_FullScreen(VARIANT_BOOL* out) override;
  HRESULT STDMETHODCALLTYPE put_FullScreen(VARIANT_BOOL value) override;

  // IWebBrowser2
  HRESULT STDMETHODCALLTYPE Navigate2(VARIANT* url, VARIANT* flags, VARIANT* frame,
                                      VARIANT* postData, VARIANT* headers) override;
  HRESULT STDMETHODCALLTYPE QueryStatusWB(OLECMDID id, OLECMDF* out) override;
  HRESULT STDMETHODCALLTYPE ExecWB(OLECMDID id, OLECMDEXECOPT option, VARIANT* in,
                                   VARIANT* out) override;
  HRESULT STDMETHODCALLTYPE ShowBrowserBar(VARIANT* clsid, VARIANT* show, VARIANT* size) override;
  HRESULT STDMETHODCALLTYPE get_ReadyState(READYSTATE* out) override;
  HRESULT STDMETHODCALLTYPE get_Offline(VARIANT_BOOL* out) override;
  HRESULT STDMETHODCALLTYPE put_Offline(VARIANT_BOOL value) override;
  HRESULT STDMETHODCALLTYPE get_Silent(VARIANT_BOOL* out) override;
  HRESULT STDMETHODCALLTYPE put_Silent(VARIANT_BOOL value) override;
  HRESULT STDMETHODCALLTYPE get_RegisterAsBrowser(VARIANT_BOOL* out) override;
  HRESULT STDMETHODCALLTYPE put_RegisterAsBrowser(VARIANT_BOOL value) override;
  HRESULT STDMETHODCALLTYPE get_RegisterAsDropTarget(VARIANT_BOOL* out) override;
  HRESULT STDMETHODCALLTYPE put_RegisterAsDropTarget(VARIANT_BOOL value) override;
  HRESULT STDMETHODCALLTYPE get_TheaterMode(VARIANT_BOOL* out) override;
  HRESULT STDMETHODCALLTYPE put_TheaterMode(VARIANT_BOOL value) override;
  HRESULT STDMETHODCALLTYPE get_AddressBar(VARIANT_BOOL* out) override;
  HRESULT STDMETHODCALLTYPE put_AddressBar(VARIANT_BOOL value) override;
  HRESULT STDMETHODCALLTYPE get_Resizable(VARIANT_BOOL* out) override;
  HRESULT STDMETHODCALLTYPE put_Resizable(VARIANT_BOOL value) override;

 protected:
  bool AlsoImplements(REFIID iid) const override;

 private:
  // "new" or the position, as the log names this window.
  std::wstring LogName() const;
  // Reads one property of the window from the scenario in force; a window gone from it answers
  // as a closed window of the shell does.
  HRESULT ReadWindow(const wchar_t* call, bool wantTitle, BSTR* out);

  long position_;
  std::wstring navigated_;  // the last address given to a new browser
  VARIANT_BOOL visible_ = VARIANT_FALSE;
};

}  // namespace doubles
