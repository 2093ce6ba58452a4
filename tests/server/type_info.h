// Readable views of a type library's entries for the tests: type and function
// descriptions held for as long as needed, and parameter types as text.
#pragma once
#include <windows.h>
#include <oaidl.h>

#include <string>
#include <vector>

#include "support/bstr.h"
#include "support/com_ptr.h"

class TypeAttr {
 public:
  explicit TypeAttr(ITypeInfo* info) : info_(info) { info_->GetTypeAttr(&attr_); }
  ~TypeAttr() {
    if (attr_) info_->ReleaseTypeAttr(attr_);
  }
  TypeAttr(const TypeAttr&) = delete;
  TypeAttr& operator=(const TypeAttr&) = delete;
  const TYPEATTR* operator->() const { return attr_; }

 private:
  ITypeInfo* info_;
  TYPEATTR* attr_ = nullptr;
};

class FuncDesc {
 public:
  FuncDesc(ITypeInfo* info, UINT index) : info_(info) { info_->GetFuncDesc(index, &desc_); }
  ~FuncDesc() {
    if (desc_) info_->ReleaseFuncDesc(desc_);
  }
  FuncDesc(const FuncDesc&) = delete;
  FuncDesc& operator=(const FuncDesc&) = delete;
  const FUNCDESC* operator->() const { return desc_; }
  explicit operator bool() const { return desc_ != nullptr; }

 private:
  ITypeInfo* info_;
  FUNCDESC* desc_ = nullptr;
};

// Name (member id MEMBERID_NIL: the entry itself) and help string.
struct Documentation {
  std::wstring name;
  std::wstring helpString;
  bool hasHelpFile = false;
};

inline Documentation DocumentationOf(ITypeInfo* info, MEMBERID member = MEMBERID_NIL) {
  Bstr name, help, file;
  info->GetDocumentation(member, name.Put(), help.Put(), nullptr, file.Put());
  return {std::wstring(name.View()), std::wstring(help.View()), file.Get() != nullptr};
}

// A parameter or result type in IDL spelling: "long*", "SAFEARRAY(VARIANT)*", ...
inline std::wstring TypeText(ITypeInfo* info, const TYPEDESC& type) {
  switch (type.vt) {
    case VT_PTR: return TypeText(info, *type.lptdesc) + L"*";
    case VT_SAFEARRAY: return L"SAFEARRAY(" + TypeText(info, *type.lptdesc) + L")";
    case VT_I4: return L"long";
    case VT_BSTR: return L"BSTR";
    case VT_VARIANT: return L"VARIANT";
    case VT_HRESULT: return L"HRESULT";
    case VT_DISPATCH: return L"IDispatch*";
    case VT_UNKNOWN: return L"IUnknown*";
    case VT_USERDEFINED: {
      ComPtr<ITypeInfo> referenced;
      if (FAILED(info->GetRefTypeInfo(type.hreftype, referenced.Put()))) return L"<unresolved>";
      return DocumentationOf(referenced.Get()).name;
    }
    default: return L"<vt " + std::to_wstring(type.vt) + L">";
  }
}

// Parameter names of member `member`, in order.
inline std::vector<std::wstring> ParameterNames(ITypeInfo* info, MEMBERID member, UINT count) {
  std::vector<BSTR> names(count + 1, nullptr);
  UINT found = 0;
  info->GetNames(member, names.data(), count + 1, &found);
  std::vector<std::wstring> result;
  for (UINT i = 0; i < found; ++i) {
    Bstr name = Bstr::Adopt(names[i]);
    if (i > 0) result.emplace_back(name.View());  // the first name is the function's own
  }
  return result;
}
