#include "ui/win32/accessible_object.h"

#include "win32/wide_text.h"

namespace mirella::ui::win32 {

HRESULT STDMETHODCALLTYPE AccessibleObject::QueryInterface(REFIID riid, void** object) {
  if (object == nullptr) return E_POINTER;
  if (IsEqualIID(riid, __uuidof(IUnknown)) || IsEqualIID(riid, __uuidof(IDispatch)) ||
      IsEqualIID(riid, __uuidof(IAccessible))) {
    *object = static_cast<IAccessible*>(this);
    AddRef();
    return S_OK;
  }
  *object = nullptr;
  return E_NOINTERFACE;
}

ULONG STDMETHODCALLTYPE AccessibleObject::AddRef() {
  return static_cast<ULONG>(InterlockedIncrement(&references_));
}

ULONG STDMETHODCALLTYPE AccessibleObject::Release() {
  const LONG left = InterlockedDecrement(&references_);
  if (left == 0) delete this;
  return static_cast<ULONG>(left);
}

HRESULT STDMETHODCALLTYPE AccessibleObject::GetTypeInfoCount(UINT* count) {
  if (count == nullptr) return E_POINTER;
  *count = 0;
  return S_OK;
}

HRESULT STDMETHODCALLTYPE AccessibleObject::GetTypeInfo(UINT, LCID, ITypeInfo** info) {
  if (info != nullptr) *info = nullptr;
  return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE AccessibleObject::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) {
  return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE AccessibleObject::Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*,
                                                   VARIANT*, EXCEPINFO*, UINT*) {
  return E_NOTIMPL;
}

HRESULT ReturnText(const wchar_t* text, BSTR* out) {
  if (out == nullptr) return E_POINTER;
  *out = nullptr;
  if (text == nullptr || *text == L'\0') return S_FALSE;
  *out = SysAllocString(text);
  return *out != nullptr ? S_OK : E_OUTOFMEMORY;
}

HRESULT ReturnText(const std::string& text, BSTR* out) {
  return ReturnText(Widen(text).c_str(), out);
}

LONG MsaaRole(AccessibleRole role) {
  switch (role) {
    case AccessibleRole::kClient:
      return ROLE_SYSTEM_CLIENT;
    case AccessibleRole::kGrouping:
      return ROLE_SYSTEM_GROUPING;
    case AccessibleRole::kStaticText:
      return ROLE_SYSTEM_STATICTEXT;
    case AccessibleRole::kGraphic:
      return ROLE_SYSTEM_GRAPHIC;
    case AccessibleRole::kProgressBar:
      return ROLE_SYSTEM_PROGRESSBAR;
    case AccessibleRole::kLink:
      return ROLE_SYSTEM_LINK;
    case AccessibleRole::kPushButton:
      return ROLE_SYSTEM_PUSHBUTTON;
    case AccessibleRole::kText:
      return ROLE_SYSTEM_TEXT;
    case AccessibleRole::kComboBox:
      return ROLE_SYSTEM_COMBOBOX;
    case AccessibleRole::kNone:
      break;
  }
  return 0;
}

LONG MsaaStates(const AccessibleStates& states) {
  LONG flags = 0;
  if (states.invisible) flags |= STATE_SYSTEM_INVISIBLE;
  if (states.unavailable) flags |= STATE_SYSTEM_UNAVAILABLE;
  if (states.focusable) flags |= STATE_SYSTEM_FOCUSABLE;
  if (states.focused) flags |= STATE_SYSTEM_FOCUSED;
  if (states.linked) flags |= STATE_SYSTEM_LINKED;
  if (states.readOnly) flags |= STATE_SYSTEM_READONLY;
  if (states.hasPopup) flags |= STATE_SYSTEM_HASPOPUP;
  return flags;
}

}  // namespace mirella::ui::win32
