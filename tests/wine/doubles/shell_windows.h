// The shell's collection of open windows, as the scenario in force describes them.
#pragma once

#include <exdisp.h>
#include <windows.h>

#include "dispatch_object.h"

namespace doubles {

class ShellWindows : public DispatchObject<IShellWindows> {
 public:
  ShellWindows();

  HRESULT STDMETHODCALLTYPE get_Count(LONG* count) override;
  HRESULT STDMETHODCALLTYPE Item(VARIANT index, IDispatch** folder) override;
  HRESULT STDMETHODCALLTYPE _NewEnum(IUnknown** out) override;
  HRESULT STDMETHODCALLTYPE Register(IDispatch* window, LONG hwnd, int swClass,
                                     LONG* cookie) override;
  HRESULT STDMETHODCALLTYPE RegisterPending(LONG threadId, VARIANT* location, VARIANT* root,
                                            int swClass, LONG* cookie) override;
  HRESULT STDMETHODCALLTYPE Revoke(LONG cookie) override;
  HRESULT STDMETHODCALLTYPE OnNavigate(LONG cookie, VARIANT* location) override;
  HRESULT STDMETHODCALLTYPE OnActivated(LONG cookie, VARIANT_BOOL active) override;
  HRESULT STDMETHODCALLTYPE FindWindowSW(VARIANT* location, VARIANT* root, int swClass, LONG* hwnd,
                                         int options, IDispatch** out) override;
  HRESULT STDMETHODCALLTYPE OnCreated(LONG cookie, IUnknown* window) override;
  HRESULT STDMETHODCALLTYPE ProcessAttachDetach(VARIANT_BOOL attach) override;
};

}  // namespace doubles
