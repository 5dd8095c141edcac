#pragma once

#include <windows.h>
#include <oaidl.h>

#include <string>

#include "automation/object.h"

// The meeting point of the system's late-bound object model and COM's IDispatch, both ways:
// the system's objects are exposed as IDispatch, and the host's IDispatch objects are called as
// the system's Objects. Values cross as VARIANTs.
namespace zembrati::com {

std::wstring Wide(const std::string& utf8);
std::string Utf8(const wchar_t* wide);
// The whole text of a BSTR, NUL characters inside it included.
std::string BstrText(BSTR text);

// A Variant as a VARIANT (the caller clears it) and back. Objects of the system become its own
// IDispatch; IDispatch objects from outside become Objects that call them.
void ToVariant(const automation::Variant& value, VARIANT& out);
automation::Variant FromVariant(const VARIANT& value);

// An Object exposed through IDispatch. With a type info, names are resolved by the type library
// (the system's registered classes); without one, each name gets a DISPID when first asked for.
IDispatch* NewDispatch(automation::ObjectRef object, ITypeInfo* typeInfo);

// An IDispatch called as an Object (null for a null pointer).
automation::ObjectRef WrapDispatch(IDispatch* dispatch);

// The HRESULT and error info that carry a runtime error through COM: numbers of the classic
// runtime (below 65536) in the control facility, as the runtime raises them; others as they are.
HRESULT ErrorResult(std::int32_t number);
// The runtime error number an HRESULT stands for.
std::int32_t ErrorNumber(HRESULT result);

}  // namespace zembrati::com
