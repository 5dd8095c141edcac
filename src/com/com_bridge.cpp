#include "com_bridge.h"

#include <dispex.h>
#include <ocidl.h>
#include <oleauto.h>

#include <atomic>
#include <map>
#include <vector>

#include "automation/host_error.h"
#include "runtime/runtime_error.h"
#include "runtime/status.h"
#include "wide_text.h"

namespace zembrati::com {
namespace {

using automation::CallKind;
using automation::ObjectRef;
using automation::Variant;

constexpr unsigned long kControlFacility = 0x800A0000UL;

// Holds a VARIANT and clears it.
struct OwnedVariant {
  VARIANT value;
  OwnedVariant() { VariantInit(&value); }
  ~OwnedVariant() { VariantClear(&value); }
  OwnedVariant(const OwnedVariant&) = delete;
  OwnedVariant& operator=(const OwnedVariant&) = delete;
};

// VARIANTs a call owns, cleared however it ends.
struct OwnedVariants {
  std::vector<VARIANT> items;
  explicit OwnedVariants(std::size_t count) : items(count) {
    for (VARIANT& item : items) VariantInit(&item);
  }
  ~OwnedVariants() {
    for (VARIANT& item : items) VariantClear(&item);
  }
  OwnedVariants(const OwnedVariants&) = delete;
  OwnedVariants& operator=(const OwnedVariants&) = delete;
};

// --- The system's objects as IDispatch -------------------------------------------------------

class Dispatch : public IDispatch {
 public:
  Dispatch(ObjectRef object, ITypeInfo* typeInfo) : object_(std::move(object)), typeInfo_(typeInfo) {
    if (typeInfo_) typeInfo_->AddRef();
  }
  virtual ~Dispatch() {
    if (typeInfo_) typeInfo_->Release();
  }

  const ObjectRef& object() const { return object_; }

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    if (!out) return E_POINTER;
    if (iid == IID_IUnknown || iid == IID_IDispatch || (typeInfo_ && IsOwnInterface(iid)) || iid == SystemObjectIid()) {
      *out = static_cast<IDispatch*>(this);
      AddRef();
      return S_OK;
    }
    if (iid == IID_IProvideClassInfo && typeInfo_) {
      *out = static_cast<IProvideClassInfo*>(&classInfo_);
      AddRef();
      return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
  ULONG STDMETHODCALLTYPE Release() override {
    const ULONG left = --references_;
    if (left == 0) delete this;
    return left;
  }

  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
    if (!count) return E_POINTER;
    *count = typeInfo_ ? 1 : 0;
    return S_OK;
  }
  // The type information of the object is its class's: script engines name an object by it
  // (TypeName gives "ProfilHE", not the interface "_ProfilHE"), and the class leads to its
  // default interface with the members.
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID, ITypeInfo** info) override {
    if (!info) return E_POINTER;
    *info = nullptr;
    if (!typeInfo_ || index != 0) return DISP_E_BADINDEX;
    *info = ClassTypeInfoOrNull();
    if (!*info) {
      typeInfo_->AddRef();
      *info = typeInfo_;
    }
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) override {
    if (typeInfo_) return DispGetIDsOfNames(typeInfo_, names, count, ids);
    try {
      return IdsOfNames(names, count, ids);
    } catch (...) {
      return E_OUTOFMEMORY;
    }
  }

  HRESULT IdsOfNames(LPOLESTR* names, UINT count, DISPID* ids) {
    for (UINT i = 0; i < count; ++i) ids[i] = DISPID_UNKNOWN;
    if (count == 0) return S_OK;
    ids[0] = IdOf(Utf8(names[0]));
    return count == 1 ? S_OK : DISP_E_UNKNOWNNAME;
  }

  // Everything a client hands in is converted inside the error trap, so no VARIANT (an array, a
  // missing argument, Null, a date, an object without members, by reference or not) can end
  // otherwise than as a script error with its classic number; the object's state changes only
  // when the call succeeds.
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID iid, LCID locale, WORD flags, DISPPARAMS* params,
                                   VARIANT* result, EXCEPINFO* exception, UINT* argumentError) override {
    try {
      return Call(id, flags, params, result, exception, argumentError);
    } catch (...) {
      (void)iid;
      (void)locale;
      return E_OUTOFMEMORY;  // only the memory for a name or a result can run out out here
    }
  }

  HRESULT Call(DISPID id, WORD flags, DISPPARAMS* params, VARIANT* result, EXCEPINFO* exception,
               UINT* argumentError) {
    std::string member;
    if (!NameOf(id, member)) return DISP_E_MEMBERNOTFOUND;
    const CallKind kind = KindOf(flags);
    std::vector<Variant> args;
    Variant value;
    const runtime::Status status = runtime::Trap([&] {
      args = Arguments(params, kind, argumentError);
      value = object_->Invoke(member, kind, args);
    });
    if (!status.ok()) return Fail(status, exception);
    WriteBack(params, args, kind);
    if (result) {
      VariantInit(result);
      ToVariant(value, *result);
    }
    return S_OK;
  }

  // IProvideClassInfo: the class behind the object, for clients that ask for it.
  HRESULT ClassInfo(ITypeInfo** info) const {
    if (!info) return E_POINTER;
    *info = ClassTypeInfoOrNull();
    return *info ? S_OK : E_NOTIMPL;
  }

  // An interface id no foreign object answers: lets the bridge find its own objects again.
  static const IID& SystemObjectIid() {
    static const IID iid = {0x30ca9b05, 0xc04d, 0x11d4, {0x85, 0x86, 0x00, 0xe0, 0x81, 0x10, 0xf9, 0xcf}};
    return iid;
  }

 private:
  bool IsOwnInterface(REFIID iid) const {
    TYPEATTR* attributes = nullptr;
    if (FAILED(typeInfo_->GetTypeAttr(&attributes))) return false;
    const bool same = IsEqualGUID(attributes->guid, iid);
    typeInfo_->ReleaseTypeAttr(attributes);
    return same;
  }

  // Arguments arrive last first; a put's value is the named DISPID_PROPERTYPUT one, which the
  // system expects last.
  static std::vector<Variant> Arguments(DISPPARAMS* params, CallKind kind, UINT* argumentError) {
    std::vector<Variant> args;
    const UINT count = params ? params->cArgs : 0;
    const bool put = kind == CallKind::PropertyPut || kind == CallKind::PropertyPutRef;
    const auto convert = [&](UINT i) {
      if (argumentError) *argumentError = i;
      args.push_back(FromVariant(params->rgvarg[i]));
    };
    for (UINT i = count; i-- > 0;) {
      if (put && i == 0 && params->cNamedArgs > 0) continue;
      convert(i);
    }
    if (put && count > 0 && params->cNamedArgs > 0) convert(0);
    return args;
  }

  ITypeInfo* ClassTypeInfoOrNull() const noexcept {
    try {
      return ClassTypeInfo();
    } catch (...) {
      return nullptr;
    }
  }

  // The coclass of the object's interface, found in the same type library.
  ITypeInfo* ClassTypeInfo() const {
    if (!typeInfo_) return nullptr;
    ITypeLib* library = nullptr;
    UINT index = 0;
    if (FAILED(typeInfo_->GetContainingTypeLib(&library, &index))) return nullptr;
    BSTR interfaceName = nullptr;
    ITypeInfo* found = nullptr;
    if (SUCCEEDED(typeInfo_->GetDocumentation(MEMBERID_NIL, &interfaceName, nullptr, nullptr, nullptr)) &&
        interfaceName && interfaceName[0] == L'_') {
      // Each class's interface is its name with a leading underscore.
      std::wstring className(interfaceName + 1);
      MEMBERID ids[1];
      ITypeInfo* infos[1] = {nullptr};
      USHORT wanted = 1;
      if (SUCCEEDED(library->FindName(className.data(), 0, infos, ids, &wanted)) && wanted == 1) {
        found = infos[0];
        TYPEATTR* attributes = nullptr;
        const bool isClass = ids[0] == MEMBERID_NIL && SUCCEEDED(found->GetTypeAttr(&attributes)) &&
                             attributes->typekind == TKIND_COCLASS;
        if (attributes) found->ReleaseTypeAttr(attributes);
        if (!isClass) {
          found->Release();
          found = nullptr;
        }
      }
    }
    SysFreeString(interfaceName);
    library->Release();
    return found;
  }

  static CallKind KindOf(WORD flags) {
    if (flags & DISPATCH_PROPERTYPUTREF) return CallKind::PropertyPutRef;
    if (flags & DISPATCH_PROPERTYPUT) return CallKind::PropertyPut;
    if ((flags & DISPATCH_PROPERTYGET) && !(flags & DISPATCH_METHOD)) return CallKind::PropertyGet;
    return CallKind::Method;
  }

  DISPID IdOf(const std::string& name) {
    for (const auto& [id, known] : names_) {
      if (automation::NamesEqual(known, name)) return id;
    }
    const DISPID id = static_cast<DISPID>(names_.size() + 1);
    names_[id] = name;
    return id;
  }

  bool NameOf(DISPID id, std::string& name) {
    if (typeInfo_) {
      BSTR found = nullptr;
      UINT count = 0;
      if (FAILED(typeInfo_->GetNames(id, &found, 1, &count)) || count == 0) return false;
      name = Utf8(found);
      SysFreeString(found);
      return true;
    }
    const auto known = names_.find(id);
    if (known == names_.end()) return false;
    name = known->second;
    return true;
  }

  // Output arguments: what the callee wrote goes back into the caller's by-reference VARIANTs.
  static void WriteBack(DISPPARAMS* params, const std::vector<Variant>& args, CallKind kind) {
    if (!params || kind == CallKind::PropertyPut || kind == CallKind::PropertyPutRef) return;
    for (UINT i = 0; i < params->cArgs; ++i) {
      VARIANT& slot = params->rgvarg[params->cArgs - 1 - i];
      if ((slot.vt & VT_BYREF) && slot.vt == (VT_BYREF | VT_VARIANT) && slot.pvarVal) {
        VariantClear(slot.pvarVal);
        ToVariant(args[i], *slot.pvarVal);
      }
    }
  }

  static HRESULT Fail(const runtime::Status& status, EXCEPINFO* exception) {
    if (exception) {
      *exception = {};
      exception->bstrSource = SysAllocString(L"Zembrati");
      exception->bstrDescription = SysAllocString(Wide(status.description).c_str());
      exception->scode = ErrorResult(status.number);
      return DISP_E_EXCEPTION;
    }
    return ErrorResult(status.number);
  }

  // IProvideClassInfo as a part of the object, sharing its identity and reference count.
  class ProvideClassInfo : public IProvideClassInfo {
   public:
    explicit ProvideClassInfo(Dispatch& owner) : owner_(owner) {}
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override { return owner_.QueryInterface(iid, out); }
    ULONG STDMETHODCALLTYPE AddRef() override { return owner_.AddRef(); }
    ULONG STDMETHODCALLTYPE Release() override { return owner_.Release(); }
    HRESULT STDMETHODCALLTYPE GetClassInfo(ITypeInfo** info) override { return owner_.ClassInfo(info); }

   private:
    Dispatch& owner_;
  };

  ObjectRef object_;
  ITypeInfo* typeInfo_;
  ProvideClassInfo classInfo_{*this};
  std::atomic<ULONG> references_{1};
  std::map<DISPID, std::string> names_;
};

// --- IDispatch objects as the system's Objects --------------------------------------------------

class DispatchClient : public automation::Object {
 public:
  explicit DispatchClient(IDispatch* dispatch) : dispatch_(dispatch) {
    dispatch_->AddRef();
    IUnknown* unknown = nullptr;
    if (SUCCEEDED(dispatch_->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&unknown)))) {
      identity_ = unknown;
      unknown->Release();
    }
  }
  ~DispatchClient() override { dispatch_->Release(); }

  const void* Identity() const override { return identity_; }
  std::string ClassName() const override { return "IDispatch"; }
  IDispatch* dispatch() const { return dispatch_; }

  Variant Invoke(std::string_view member, CallKind kind, std::span<Variant> args) override {
    const DISPID id = Resolve(member);
    const bool put = kind == CallKind::PropertyPut || kind == CallKind::PropertyPutRef;
    const std::size_t count = args.size();
    // Every argument goes by reference, so the callee can write into it.
    OwnedVariants values(count);
    std::vector<VARIANT> passed(count);  // refers to `values`; owns nothing
    for (std::size_t i = 0; i < count; ++i) {
      ToVariant(args[i], values.items[i]);
      VariantInit(&passed[count - 1 - i]);
      if (put && i == count - 1) {
        passed[0] = values.items[i];  // the value of a put goes by value
      } else {
        passed[count - 1 - i].vt = VT_BYREF | VT_VARIANT;
        passed[count - 1 - i].pvarVal = &values.items[i];
      }
    }
    DISPID putId = DISPID_PROPERTYPUT;
    DISPPARAMS params{passed.data(), put ? &putId : nullptr, static_cast<UINT>(count), put ? 1u : 0u};
    WORD flags = DISPATCH_METHOD | DISPATCH_PROPERTYGET;
    if (kind == CallKind::PropertyPut) flags = DISPATCH_PROPERTYPUT;
    if (kind == CallKind::PropertyPutRef) flags = DISPATCH_PROPERTYPUTREF;
    OwnedVariant result;
    EXCEPINFO exception{};
    const HRESULT hr = dispatch_->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, &params,
                                         put ? nullptr : &result.value, &exception, nullptr);
    if (FAILED(hr)) Raise(hr, exception, member);
    for (std::size_t i = 0; i < count; ++i) {
      if (!(put && i == count - 1)) args[i] = FromVariant(values.items[i]);
    }
    return FromVariant(result.value);
  }

 private:
  DISPID Resolve(std::string_view member) {
    std::wstring name = Wide(std::string(member));
    LPOLESTR names[] = {name.data()};
    DISPID id = DISPID_UNKNOWN;
    HRESULT hr = dispatch_->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
    if (hr == E_NOTIMPL) {
      // Script objects answer only through the extended interface.
      IDispatchEx* extended = nullptr;
      if (SUCCEEDED(dispatch_->QueryInterface(__uuidof(IDispatchEx), reinterpret_cast<void**>(&extended)))) {
        BSTR bstr = SysAllocString(name.c_str());
        hr = extended->GetDispID(bstr, fdexNameCaseInsensitive, &id);
        SysFreeString(bstr);
        extended->Release();
      }
    }
    if (FAILED(hr)) {
      throw automation::HostError(runtime::error::kMemberNotSupported,
                                  std::string(runtime::ErrorDescription(runtime::error::kMemberNotSupported)) + " (" +
                                      std::string(member) + ")");
    }
    return id;
  }

  [[noreturn]] static void Raise(HRESULT hr, EXCEPINFO& exception, std::string_view member) {
    if (exception.pfnDeferredFillIn) exception.pfnDeferredFillIn(&exception);
    std::string description = BstrText(exception.bstrDescription);
    HRESULT code = hr == DISP_E_EXCEPTION ? (exception.scode ? exception.scode : exception.wCode) : hr;
    SysFreeString(exception.bstrDescription);
    SysFreeString(exception.bstrSource);
    SysFreeString(exception.bstrHelpFile);
    const std::int32_t number = ErrorNumber(code);
    if (description.empty()) description = ThreadErrorDescription();
    if (description.empty()) description = std::string(runtime::ErrorDescription(number)) + " (" + std::string(member) + ")";
    throw automation::HostError(number, description);
  }

  // Script engines leave the description of an error they raise in the thread's error object
  // rather than in the exception record.
  static std::string ThreadErrorDescription() {
    IErrorInfo* info = nullptr;
    if (GetErrorInfo(0, &info) != S_OK || !info) return {};
    BSTR text = nullptr;
    std::string description;
    if (SUCCEEDED(info->GetDescription(&text))) description = BstrText(text);
    SysFreeString(text);
    info->Release();
    return description;
  }

  IDispatch* dispatch_;
  const void* identity_ = nullptr;
};

}  // namespace

std::wstring Wide(const std::string& utf8) { return win32::Wide(utf8); }

std::string Utf8(const wchar_t* wide) { return wide ? win32::Utf8(wide) : std::string(); }

std::string BstrText(BSTR text) { return text ? win32::Utf8(std::wstring_view(text, SysStringLen(text))) : std::string(); }

void ToVariant(const Variant& value, VARIANT& out) {
  VariantInit(&out);
  switch (value.type()) {
    case automation::VariantType::Empty: break;
    case automation::VariantType::Null: out.vt = VT_NULL; break;
    case automation::VariantType::Nothing:
      out.vt = VT_DISPATCH;
      out.pdispVal = nullptr;
      break;
    case automation::VariantType::Integer:
      out.vt = VT_I2;
      out.iVal = *value.TryGet<std::int16_t>();
      break;
    case automation::VariantType::Long:
      out.vt = VT_I4;
      out.lVal = *value.TryGet<std::int32_t>();
      break;
    case automation::VariantType::Double:
      out.vt = VT_R8;
      out.dblVal = *value.TryGet<double>();
      break;
    case automation::VariantType::Boolean:
      out.vt = VT_BOOL;
      out.boolVal = *value.TryGet<bool>() ? VARIANT_TRUE : VARIANT_FALSE;
      break;
    case automation::VariantType::Text: {
      out.vt = VT_BSTR;
      const std::wstring text = Wide(*value.TryGet<std::string>());
      out.bstrVal = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
      break;
    }
    case automation::VariantType::Object: {
      const ObjectRef object = value.ToObject();
      out.vt = VT_DISPATCH;
      if (auto* client = dynamic_cast<DispatchClient*>(object.get())) {
        // A foreign object goes back as itself, not wrapped twice.
        out.pdispVal = client->dispatch();
        out.pdispVal->AddRef();
      } else {
        out.pdispVal = NewDispatch(object, nullptr);
      }
      break;
    }
  }
}

namespace {

[[noreturn]] void RaiseFor(HRESULT result) {
  if (result == DISP_E_OVERFLOW) runtime::Raise(runtime::error::kOverflow);
  if (result == E_OUTOFMEMORY) runtime::Raise(runtime::error::kOutOfMemory);
  runtime::Raise(runtime::error::kTypeMismatch);
}

Variant FromObject(IUnknown* unknown) {
  if (!unknown) return Variant::Nothing();
  IDispatch* ours = nullptr;
  if (SUCCEEDED(unknown->QueryInterface(Dispatch::SystemObjectIid(), reinterpret_cast<void**>(&ours)))) {
    ObjectRef object = static_cast<Dispatch*>(ours)->object();
    ours->Release();
    return object;
  }
  IDispatch* dispatch = nullptr;
  if (FAILED(unknown->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&dispatch)))) {
    runtime::Raise(runtime::error::kTypeMismatch);
  }
  ObjectRef wrapped = WrapDispatch(dispatch);
  dispatch->Release();
  return wrapped;
}

}  // namespace

Variant FromVariant(const VARIANT& in) {
  // By-reference forms (of any depth) are read through to the value they refer to.
  const VARIANT* value = &in;
  while (value->vt == (VT_BYREF | VT_VARIANT) && value->pvarVal) value = value->pvarVal;
  OwnedVariant direct;
  if (value->vt & VT_BYREF) {
    if (value->byref == nullptr) runtime::Raise(runtime::error::kTypeMismatch);  // a reference to nothing
    if (value->vt & VT_ARRAY) runtime::Raise(runtime::error::kTypeMismatch);
    const HRESULT copied = VariantCopyInd(&direct.value, const_cast<VARIANT*>(value));
    if (FAILED(copied)) RaiseFor(copied);
    value = &direct.value;
  }
  if (value->vt & VT_ARRAY) runtime::Raise(runtime::error::kTypeMismatch);  // no member takes an array
  switch (value->vt) {
    case VT_EMPTY: return {};
    case VT_NULL: return Variant::Null();
    case VT_ERROR:
      // An argument the caller left out arrives as this error value.
      if (value->scode == DISP_E_PARAMNOTFOUND) runtime::Raise(runtime::error::kArgumentNotOptional);
      runtime::Raise(runtime::error::kTypeMismatch);
    case VT_I2: return value->iVal;
    case VT_I4: return std::int32_t{value->lVal};
    case VT_R8: return value->dblVal;
    case VT_BOOL: return value->boolVal != VARIANT_FALSE;
    // The whole text, also past a NUL character inside it.
    case VT_BSTR: return BstrText(value->bstrVal);
    case VT_DISPATCH:
    case VT_UNKNOWN: return FromObject(value->punkVal);
    default: {
      // Other numbers (bytes, 64-bit integers, currency, decimals, dates) by the runtime's rules.
      OwnedVariant converted;
      const HRESULT result = VariantChangeType(&converted.value, const_cast<VARIANT*>(value), 0, VT_R8);
      if (FAILED(result)) RaiseFor(result);
      return converted.value.dblVal;
    }
  }
}

IDispatch* NewDispatch(ObjectRef object, ITypeInfo* typeInfo) {
  if (!object) return nullptr;
  return new Dispatch(std::move(object), typeInfo);
}

ObjectRef WrapDispatch(IDispatch* dispatch) {
  if (!dispatch) return nullptr;
  return std::make_shared<DispatchClient>(dispatch);
}

HRESULT ErrorResult(std::int32_t number) {
  if (number > 0 && number < 65536) return static_cast<HRESULT>(kControlFacility | static_cast<unsigned long>(number));
  return number == 0 ? E_FAIL : static_cast<HRESULT>(number);
}

std::int32_t ErrorNumber(HRESULT result) {
  if ((static_cast<unsigned long>(result) & 0xFFFF0000UL) == kControlFacility) return result & 0xFFFF;
  return static_cast<std::int32_t>(result);
}

}  // namespace zembrati::com
