// The DLL's entry points: class objects for ShellWindows and InternetExplorer, and their
// registration in the prefix's machine-wide classes (Wine 8 ignores per-user classes).
#include <exdisp.h>
#include <olectl.h>
#include <windows.h>

#include <string>

#include "browser.h"
#include "scenario.h"
#include "shell_windows.h"
#include "tally.h"

using namespace doubles;

namespace {

class ClassFactory : public IClassFactory {
 public:
  explicit ClassFactory(bool shellWindows) : shellWindows_(shellWindows) { TallyMade(); }
  virtual ~ClassFactory() { TallyGone(); }

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    if (!out) return E_POINTER;
    if (iid == IID_IUnknown || iid == IID_IClassFactory) {
      *out = static_cast<IClassFactory*>(this);
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
    LONG left = InterlockedDecrement(&refs_);
    if (left == 0) delete this;
    return static_cast<ULONG>(left);
  }

  HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** out) override {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (outer) return CLASS_E_NOAGGREGATION;
    IUnknown* object = nullptr;
    if (shellWindows_) {
      object = static_cast<IShellWindows*>(new doubles::ShellWindows());
    } else {
      if (CurrentScenario()->Fails(L"Create")) return E_FAIL;
      AppendLog(L"create");
      object = static_cast<IWebBrowser2*>(new Browser(Browser::kNew));
    }
    HRESULT hr = object->QueryInterface(iid, out);
    object->Release();
    return hr;
  }
  HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override {
    if (lock) {
      InterlockedIncrement(&g_liveCount);
    } else {
      InterlockedDecrement(&g_liveCount);
    }
    return S_OK;
  }

 private:
  LONG refs_ = 1;
  bool shellWindows_;
};

std::wstring GuidText(REFCLSID clsid) {
  wchar_t text[40];
  StringFromGUID2(clsid, text, 40);
  return text;
}

bool SetValue(HKEY root, const std::wstring& path, const wchar_t* name, const std::wstring& value) {
  HKEY key = nullptr;
  if (RegCreateKeyExW(root, path.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr) !=
      ERROR_SUCCESS) {
    return false;
  }
  LONG result = RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                               static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
  RegCloseKey(key);
  return result == ERROR_SUCCESS;
}

bool RegisterDouble(REFCLSID clsid, const wchar_t* name, const std::wstring& dll) {
  std::wstring base = L"Software\\Classes\\CLSID\\" + GuidText(clsid);
  // Wine's own entries would start its stubs out of process: ours must be the only server.
  RegDeleteTreeW(HKEY_LOCAL_MACHINE, (base + L"\\LocalServer32").c_str());
  return SetValue(HKEY_LOCAL_MACHINE, base, nullptr, name) &&
         SetValue(HKEY_LOCAL_MACHINE, base + L"\\InprocServer32", nullptr, dll) &&
         SetValue(HKEY_LOCAL_MACHINE, base + L"\\InprocServer32", L"ThreadingModel", L"Both");
}

}  // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) {
    g_module = instance;
    DisableThreadLibraryCalls(instance);
  } else if (reason == DLL_PROCESS_DETACH) {
    TallyUnloaded();
  }
  return TRUE;
}

extern "C" HRESULT STDAPICALLTYPE DllGetClassObject(REFCLSID clsid, REFIID iid, void** out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  bool shellWindows = clsid == CLSID_ShellWindows;
  if (!shellWindows && clsid != CLSID_InternetExplorer) return CLASS_E_CLASSNOTAVAILABLE;
  auto* factory = new ClassFactory(shellWindows);
  HRESULT hr = factory->QueryInterface(iid, out);
  factory->Release();
  return hr;
}

extern "C" HRESULT STDAPICALLTYPE DllCanUnloadNow() {
  return g_liveCount == 0 ? S_OK : S_FALSE;
}

extern "C" HRESULT STDAPICALLTYPE DllRegisterServer() {
  wchar_t path[MAX_PATH];
  DWORD n = GetModuleFileNameW(g_module, path, MAX_PATH);
  if (n == 0 || n == MAX_PATH) return SELFREG_E_CLASS;
  std::wstring dll(path, n);
  if (!RegisterDouble(CLSID_ShellWindows, L"ShellWindows (test double)", dll) ||
      !RegisterDouble(CLSID_InternetExplorer, L"InternetExplorer (test double)", dll)) {
    return SELFREG_E_CLASS;
  }
  return S_OK;
}

extern "C" HRESULT STDAPICALLTYPE DllUnregisterServer() {
  for (REFCLSID clsid : {CLSID_ShellWindows, CLSID_InternetExplorer}) {
    RegDeleteTreeW(HKEY_LOCAL_MACHINE, (L"Software\\Classes\\CLSID\\" + GuidText(clsid)).c_str());
  }
  return S_OK;
}
