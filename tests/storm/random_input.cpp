#include "tests/storm/random_input.h"

#include <climits>

#include "addin/catalogue_table.h"

bool ParamsInput::Destroy() {
  bool destroyed = true;
  if (array_) destroyed = SUCCEEDED(SafeArrayDestroy(array_));
  array_ = nullptr;
  for (BSTR& s : strings_) SysFreeString(s);
  for (VARIANT& v : variants_) VariantClear(&v);
  strings_.clear();
  variants_.clear();
  longs_.clear();
  doubles_.clear();
  return destroyed;
}

namespace {

const long kBoundaryNumbers[] = {-1, -2, 0, 6, 7, 11, 16, 17, 21, 22, 29, 30, 31, 32, 33, 34, 100, 0x7FFF, 0x8000,
                                 0xFFFF, 0x10000, LONG_MAX, LONG_MIN, LONG_MIN + 1, -33};

}  // namespace

long InputMaker::MethodNumber() {
  long number;
  if (random_.Chance(55))
    number = random_.Below(catalogue::kMethodCount);
  else if (random_.Chance(60))
    number = kBoundaryNumbers[random_.Below(sizeof kBoundaryNumbers / sizeof kBoundaryNumbers[0])];
  else
    number = static_cast<long>(random_.Next());
  if (number == LONG_MIN || number == LONG_MAX) bad_.Note("extreme method number");
  else if (number < 0) bad_.Note("negative method number");
  else if (number >= catalogue::kMethodCount) bad_.Note("method number beyond the catalogue");
  return number;
}

long InputMaker::PropertyNumber() {
  if (random_.Chance(65)) return random_.Below(catalogue::kPropertyCount);
  const long number = random_.Chance(60) ? kBoundaryNumbers[random_.Below(sizeof kBoundaryNumbers / sizeof kBoundaryNumbers[0])]
                                         : static_cast<long>(random_.Next());
  if (number < 0 || number >= catalogue::kPropertyCount) bad_.Note("property number outside 0 and 1");
  return number;
}

long InputMaker::Alias() {
  if (random_.Chance(75)) return random_.Below(2);
  bad_.Note("alias other than 0 and 1");
  const long aliases[] = {2, 3, -1, LONG_MIN, LONG_MAX, static_cast<long>(random_.Next())};
  return aliases[random_.Below(6)];
}

std::wstring InputMaker::Text(size_t length) {
  static const wchar_t kAlphabet[] = L"AZaz09_ ,.:-АЯаяЁё";
  std::wstring text(length, L'A');
  for (wchar_t& c : text) c = kAlphabet[random_.Below(sizeof kAlphabet / sizeof kAlphabet[0] - 1)];
  return text;
}

std::wstring InputMaker::LongText() {
  static const size_t kLengths[] = {1024, 4096, 16384, 40000, 100000};
  return Text(kLengths[random_.Below(5)]);
}

std::wstring InputMaker::Mutated(std::wstring name) {
  if (name.empty()) return L"X";
  const size_t at = static_cast<size_t>(random_.Below(static_cast<long>(name.size())));
  switch (random_.Below(5)) {
    case 0:
      name.erase(at, 1);
      break;
    case 1:
      name.insert(at, 1, static_cast<wchar_t>(L'A' + random_.Below(26)));
      break;
    case 2:
      name[at] = static_cast<wchar_t>(name[at] ^ 0x20);  // flips the case of a letter
      break;
    case 3:
      name[at] = L'ё';
      break;
    default:
      name.resize(at);
      break;
  }
  return name;
}

Bstr InputMaker::Name() {
  const std::wstring& known = names_[static_cast<size_t>(random_.Below(static_cast<long>(names_.size())))];
  switch (random_.Below(12)) {
    case 0:
      bad_.Note("null name");
      return Bstr();
    case 1:
      bad_.Note("empty name");
      return Bstr(L"");
    case 2:
      bad_.Note("very long name");
      return Bstr(LongText());
    case 3: {
      bad_.Note("name with NUL or unpaired surrogates");
      std::wstring odd = known;
      odd.insert(static_cast<size_t>(random_.Below(static_cast<long>(odd.size()) + 1)), 1,
                 random_.Chance(50) ? L'\0' : static_cast<wchar_t>(0xD800 + random_.Below(0x800)));
      return Bstr(odd);
    }
    case 4:
    case 5:
      bad_.Note("mutated catalogue name");
      return Bstr(Mutated(known));
    case 6: {
      std::wstring lower = known;
      for (wchar_t& c : lower)
        if ((c >= L'A' && c <= L'Z') || (c >= L'\x0410' && c <= L'\x042F')) c = static_cast<wchar_t>(c + 0x20);
      return Bstr(lower);
    }
    case 7:
      bad_.Note("random text as a name");
      return Bstr(Text(static_cast<size_t>(random_.Below(40))));
    default:
      return Bstr(known);
  }
}

void InputMaker::Value(VARIANT& value, ParamsInput& owner, ElementObject& object, int depth) {
  VariantInit(&value);
  switch (random_.Below(30)) {
    case 0: break;  // VT_EMPTY
    case 1: value.vt = VT_NULL; break;
    case 2: value.vt = VT_I2; value.iVal = static_cast<SHORT>(random_.Next()); break;
    case 3: value.vt = VT_I4; value.lVal = static_cast<LONG>(random_.Next()); break;
    case 4: value.vt = VT_R4; value.fltVal = static_cast<float>(random_.Next()) / 7.0f; break;
    case 5: value.vt = VT_R8; value.dblVal = static_cast<double>(random_.Next()) * 1e-3; break;
    case 6: value.vt = VT_CY; value.cyVal.int64 = static_cast<LONGLONG>(random_.Next()) * 10000; break;
    case 7: value.vt = VT_DATE; value.date = 45000.5; break;
    case 8: value.vt = VT_BSTR; value.bstrVal = Bstr(Text(static_cast<size_t>(random_.Below(30)))).Detach(); break;
    case 9:
      bad_.Note("null BSTR element");
      value.vt = VT_BSTR;
      break;
    case 10:
      bad_.Note("very long BSTR element");
      value.vt = VT_BSTR;
      value.bstrVal = Bstr(LongText()).Detach();
      break;
    case 11:
      bad_.Note("object element");
      value.vt = VT_DISPATCH;
      value.pdispVal = object.As<IDispatch>();
      object.AddRef();
      break;
    case 12:
      bad_.Note("null object element");
      value.vt = random_.Chance(50) ? VT_DISPATCH : VT_UNKNOWN;
      break;
    case 13: value.vt = VT_ERROR; value.scode = DISP_E_PARAMNOTFOUND; break;  // an omitted parameter
    case 14: value.vt = VT_BOOL; value.boolVal = random_.Chance(50) ? VARIANT_TRUE : VARIANT_FALSE; break;
    case 15:
      bad_.Note("object element");
      value.vt = VT_UNKNOWN;
      value.punkVal = object.As<IDispatch>();
      object.AddRef();
      break;
    case 16:
      value.vt = VT_DECIMAL;
      value.decVal.Lo32 = random_.Next();
      value.decVal.scale = 2;
      break;
    case 17: value.vt = VT_I1; value.cVal = static_cast<CHAR>(random_.Next()); break;
    case 18: value.vt = VT_UI1; value.bVal = static_cast<BYTE>(random_.Next()); break;
    case 19: value.vt = VT_UI2; value.uiVal = static_cast<USHORT>(random_.Next()); break;
    case 20: value.vt = VT_UI4; value.ulVal = random_.Next(); break;
    case 21: value.vt = VT_I8; value.llVal = static_cast<LONGLONG>(random_.Next()) << 20; break;
    case 22: value.vt = VT_UI8; value.ullVal = static_cast<ULONGLONG>(random_.Next()) << 24; break;
    case 23: value.vt = VT_INT; value.intVal = static_cast<INT>(random_.Next()); break;
    case 24: value.vt = VT_UINT; value.uintVal = random_.Next(); break;
    case 25:
      bad_.Note("by-reference element");
      owner.longs_.push_back(static_cast<LONG>(random_.Next()));
      value.vt = VT_BYREF | VT_I4;
      value.plVal = &owner.longs_.back();
      break;
    case 26:
      bad_.Note("by-reference element");
      owner.strings_.push_back(random_.Chance(80) ? Bstr(Text(12)).Detach() : nullptr);
      value.vt = VT_BYREF | VT_BSTR;
      value.pbstrVal = &owner.strings_.back();
      break;
    case 27: {
      bad_.Note("by-reference element");
      VARIANT target;
      if (depth < 1) Value(target, owner, object, depth + 1);
      else VariantInit(&target);
      owner.variants_.push_back(target);
      value.vt = VT_BYREF | VT_VARIANT;
      value.pvarVal = &owner.variants_.back();
      break;
    }
    case 28:
      bad_.Note("by-reference element");
      owner.doubles_.push_back(1.5);
      value.vt = VT_BYREF | VT_R8;
      value.pdblVal = &owner.doubles_.back();
      break;
    default:
      bad_.Note("array element");
      if (depth < 1 && random_.Chance(50)) {
        value.vt = VT_ARRAY | VT_VARIANT;
        const long count = random_.Below(4);
        value.parray = SafeArrayCreateVector(VT_VARIANT, 0, static_cast<ULONG>(count));
        FillVector(value.parray, count, owner, object, depth + 1);
      } else {
        value.vt = VT_ARRAY | VT_I4;
        value.parray = SafeArrayCreateVector(VT_I4, 0, 3);
      }
      break;
  }
}

void InputMaker::FillVector(SAFEARRAY* array, long count, ParamsInput& owner, ElementObject& object, int depth) {
  for (long i = 0; i < count; ++i) {
    VARIANT element;
    Value(element, owner, object, depth);
    SafeArrayPutElement(array, &i, &element);  // keeps its own copy
    VariantClear(&element);
  }
}

void InputMaker::Params(long method, ParamsInput& params, ElementObject& object) {
  const long expected = method >= 0 && method < catalogue::kMethodCount ? catalogue::kMethods[method].paramCount : -1;
  long count = expected >= 0 && random_.Chance(60) ? expected : random_.Below(13);
  if (expected >= 0 && count < expected) bad_.Note("fewer parameters than the method takes");
  if (expected >= 0 && count > expected) bad_.Note("more parameters than the method takes");
  switch (random_.Below(20)) {
    case 0:
      bad_.Note("null parameter-array pointer");
      params.nullPointer_ = true;
      return;
    case 1:
      bad_.Note("null parameter array");
      return;
    case 2: {
      bad_.Note("array of another element type");
      const VARTYPE types[] = {VT_I4, VT_BSTR, VT_UI1, VT_DISPATCH, VT_R8};
      params.array_ = SafeArrayCreateVector(types[random_.Below(5)], 0, static_cast<ULONG>(count));
      return;
    }
    case 3: {
      bad_.Note("two-dimensional array");
      SAFEARRAYBOUND bounds[2] = {{static_cast<ULONG>(count), 0}, {2, 0}};
      params.array_ = SafeArrayCreate(VT_VARIANT, 2, bounds);
      return;
    }
    case 4: {
      bad_.Note("array not indexed from 0");
      SAFEARRAYBOUND bound = {static_cast<ULONG>(count), random_.Chance(50) ? 1 : -3};
      params.array_ = SafeArrayCreate(VT_VARIANT, 1, &bound);
      LONG lower = bound.lLbound;
      for (long i = 0; i < count; ++i) {
        LONG index = lower + i;
        VARIANT element;
        Value(element, params, object);
        SafeArrayPutElement(params.array_, &index, &element);
        VariantClear(&element);
      }
      return;
    }
    default:
      params.array_ = SafeArrayCreateVector(VT_VARIANT, 0, static_cast<ULONG>(count));
      FillVector(params.array_, count, params, object, 0);
      return;
  }
}
