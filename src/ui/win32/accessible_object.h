#pragma once
// The common part of the program's Active Accessibility objects: reference counting, the
// IUnknown and IDispatch that IAccessible derives from (clients use the IAccessible methods, so
// IDispatch's late binding is not offered), and the link to the window the object speaks for,
// which the window cuts when it goes: a client may hold the object longer than the window lives.

#include <windows.h>
#include <oleacc.h>

#include <string>

#include "ui/accessible_description.h"

namespace mirella::ui::win32 {

// Interface ids come from __uuidof: oleacc's import library offers IID_IAccessible as data of the
// DLL, which a plain reference would take for a function's thunk.
class AccessibleObject : public IAccessible {
 public:
  // The window is gone: every further call fails as disconnected.
  void Disconnect() { connected_ = false; }

  // IUnknown
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override;
  ULONG STDMETHODCALLTYPE AddRef() override;
  ULONG STDMETHODCALLTYPE Release() override;

  // IDispatch
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** info) override;
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override;
  HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                   UINT*) override;

  // Setting names and values is not offered.
  HRESULT STDMETHODCALLTYPE put_accName(VARIANT, BSTR) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE put_accValue(VARIANT, BSTR) override { return E_NOTIMPL; }

 protected:
  AccessibleObject() = default;
  virtual ~AccessibleObject() = default;
  bool Connected() const { return connected_; }

 private:
  LONG references_ = 1;
  bool connected_ = true;
};

// A BSTR for a client, from UTF-8 text; S_FALSE and null for empty text, as IAccessible's
// text properties report "none".
HRESULT ReturnText(const std::string& text, BSTR* out);
HRESULT ReturnText(const wchar_t* text, BSTR* out);

// Active Accessibility's numbers for a role (0 for kNone) and a set of states.
LONG MsaaRole(AccessibleRole role);
LONG MsaaStates(const AccessibleStates& states);

// Runs the body of an IAccessible method; no exception reaches the client.
template <typename Body>
HRESULT Guarded(Body&& body) {
  try {
    return body();
  } catch (...) {
    return E_FAIL;
  }
}

// The program's own client object of a window: made on the first WM_GETOBJECT that asks for
// OBJID_CLIENT, around the window's standard object, handed out again after that, and cut off
// from the window when the window's owner goes (a client may hold the object longer).
template <typename Object>
class ClientAccessible {
 public:
  ClientAccessible() = default;
  ClientAccessible(const ClientAccessible&) = delete;
  ClientAccessible& operator=(const ClientAccessible&) = delete;
  ~ClientAccessible() {
    if (object_ != nullptr) {
      object_->Disconnect();
      object_->Release();
    }
  }

  // WM_GETOBJECT's answer for OBJID_CLIENT; `site` is what the object speaks for.
  template <typename Site>
  LRESULT Answer(HWND window, WPARAM wParam, Site& site) {
    if (object_ == nullptr) {
      IAccessible* standard = nullptr;
      CreateStdAccessibleObject(window, OBJID_CLIENT, __uuidof(IAccessible),
                                reinterpret_cast<void**>(&standard));
      object_ = new Object(site, standard);
    }
    return LresultFromObject(__uuidof(IAccessible), wParam, object_);
  }

 private:
  Object* object_ = nullptr;
};

}  // namespace mirella::ui::win32
