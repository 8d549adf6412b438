// IUnknown and a type-library IDispatch for the doubles' objects, written once.
#pragma once

#include <windows.h>

#include "tally.h"

namespace doubles {

// Live objects and server locks, for DllCanUnloadNow.
extern LONG g_liveCount;

// The SHDocVw type information of iid, for late-bound callers.
HRESULT TypeInfoFor(REFIID iid, ITypeInfo** info);

template <class Interface>
class DispatchObject : public Interface {
 public:
  explicit DispatchObject(const IID& iid) : iid_(iid) {
    InterlockedIncrement(&g_liveCount);
    TallyMade();
  }
  virtual ~DispatchObject() {
    InterlockedDecrement(&g_liveCount);
    TallyGone();
  }

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    if (!out) return E_POINTER;
    if (iid == IID_IUnknown || iid == IID_IDispatch || iid == iid_ || AlsoImplements(iid)) {
      *out = static_cast<Interface*>(this);
      AddRef();
      return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override {
    TallyAddRef();
    return static_cast<ULONG>(InterlockedIncrement(&refs_));
  }
  ULONG STDMETHODCALLTYPE Release() override {
    TallyRelease();
    const LONG left = InterlockedDecrement(&refs_);
    if (left == 0) delete this;
    return static_cast<ULONG>(left);
  }

  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
    if (!count) return E_POINTER;
    ITypeInfo* info = nullptr;
    *count = SUCCEEDED(TypeInfoFor(iid_, &info)) ? 1 : 0;
    if (info) info->Release();
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID, ITypeInfo** info) override {
    if (index != 0) return DISP_E_BADINDEX;
    return TypeInfoFor(iid_, info);
  }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID,
                                          DISPID* ids) override {
    ITypeInfo* info = nullptr;
    HRESULT hr = TypeInfoFor(iid_, &info);
    if (FAILED(hr)) return hr;
    hr = DispGetIDsOfNames(info, names, count, ids);
    info->Release();
    return hr;
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params,
                                   VARIANT* result, EXCEPINFO* error, UINT* argError) override {
    ITypeInfo* info = nullptr;
    HRESULT hr = TypeInfoFor(iid_, &info);
    if (FAILED(hr)) return hr;
    hr =
        DispInvoke(static_cast<Interface*>(this), info, id, flags, params, result, error, argError);
    info->Release();
    return hr;
  }

 protected:
  // Interfaces the object answers to besides its own (its bases, say).
  virtual bool AlsoImplements(REFIID) const { return false; }

 private:
  const IID& iid_;
  LONG refs_ = 1;
};

}  // namespace doubles
