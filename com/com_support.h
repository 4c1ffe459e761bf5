// Shared pieces of the automation adapter: text and error conversion, the
// module's object count, the type library, and the IDispatch implementation
// that every adapter class inherits.
#pragma once

#include <windows.h>
// After windows.h, which it needs.
#include <oleauto.h>

#include <atomic>
#include <new>

#include <rxtheme/runtime/automation_error.h>
#include <rxtheme/runtime/object.h>
#include <rxtheme/runtime/wstring.h>
#include "rxtheme_idl.h"
#include "win_owners.h"

namespace rxTheme::com {

// The DLL's module handle, set when it is attached.
extern HMODULE g_module;

// Live adapter objects and server locks; the DLL may unload at zero.
extern std::atomic<long> g_object_count;

WString FromBstr(BSTR text);
// A new BSTR holding every unit of `text` (embedded zeros included).
UniqueBstr ToBstr(const WString& text);
// Stores a new BSTR of `text` in a caller's out-parameter, which must not be
// null (raises 5 otherwise, allocating nothing).
void ReturnText(BSTR* out, const WString& text);
inline const wchar_t* Wide(const WString& text) {
  return reinterpret_cast<const wchar_t*>(text.c_str());
}

// Records an automation error for the caller (IErrorInfo with its source and
// description) and returns the HRESULT 0x800A0000 + number.
HRESULT ReportError(const AutomationError& error, REFIID iid);

// Turns a failed HRESULT from another object into an AutomationError: an
// automation error code gives back its number, common system codes their
// run-time numbers; the caller's error information supplies the description.
[[noreturn]] void RaiseFromHresult(HRESULT hr, const EXCEPINFO* info = nullptr);

// Runs `body`, mapping every exception to an HRESULT with error information.
template <typename Body>
HRESULT Guard(REFIID iid, Body&& body) {
  try {
    body();
    return S_OK;
  } catch (const AutomationError& e) {
    return ReportError(e, iid);
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  } catch (...) {
    return E_UNEXPECTED;
  }
}

// Shows a failure inside a window procedure in a message box, as the picker
// shows the failures of its handlers ("Error <number>: <description>").
void ShowWindowProcError(const AutomationError& error) noexcept;

// Runs the work of a window procedure, so that no C++ exception leaves it:
// a failure is shown and false returned; the window stays as it is.
template <typename Body>
bool GuardWindowProc(Body&& body) noexcept {
  try {
    body();
    return true;
  } catch (const AutomationError& e) {
    ShowWindowProcError(e);
  } catch (const std::bad_alloc&) {
    ShowWindowProcError(
        AutomationError(kOutOfMemory, kDefaultErrorSource, StandardDescription(kOutOfMemory)));
  } catch (...) {
    ShowWindowProcError(
        AutomationError(kInternalError, kDefaultErrorSource, StandardDescription(kInternalError)));
  }
  return false;
}

// The type information of one interface of the embedded type library.
HRESULT InterfaceTypeInfo(REFIID iid, ITypeInfo** info);

// Calls a member through the type library's description of the interface
// (ITypeInfo::Invoke), so that names, identifiers and argument types come from
// the type library alone.
HRESULT InvokeThroughTypeInfo(void* instance, REFIID iid, DISPID member, WORD flags,
                              DISPPARAMS* params, VARIANT* result, EXCEPINFO* excep,
                              UINT* arg_error);

// The private interface through which the adapter recognises its own objects
// and reaches the core object behind them.
struct DECLSPEC_UUID("8642db72-5bfc-42be-9b7e-5b4232afd79c") ICoreObject : public IUnknown {
  // The core object, and the module that made the adapter (objects of another
  // copy of the DLL hold objects of another core and are not unwrapped).
  virtual const ObjectRef& STDMETHODCALLTYPE CoreRef() = 0;
  virtual const void* STDMETHODCALLTYPE Module() = 0;
};
const void* ThisModuleToken();

}  // namespace rxTheme::com

__CRT_UUID_DECL(rxTheme::com::ICoreObject, 0x8642db72, 0x5bfc, 0x42be, 0x9b, 0x7e, 0x5b, 0x42, 0x32,
                0xaf, 0xd7, 0x9c)
