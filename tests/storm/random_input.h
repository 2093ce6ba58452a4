// Random input for the storm: numbers, aliases, names, values and parameter
// arrays, drawn from a fixed seed, with a count of every kind of bad input tried.
#pragma once
#include <windows.h>
#include <oleauto.h>

#include <cstdint>
#include <deque>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "support/bstr.h"
#include "tests/storm/storm_doubles.h"

class Random {
 public:
  explicit Random(uint32_t seed) : engine_(seed) {}
  uint32_t Next() { return engine_(); }
  // 0 to n - 1.
  long Below(long n) { return static_cast<long>(Next() % static_cast<uint32_t>(n)); }
  bool Chance(int percent) { return Below(100) < percent; }

 private:
  std::mt19937 engine_;
};

// How often each kind of bad input was tried.
class BadInputs {
 public:
  void Note(const char* kind) { ++kinds_[kind]; }
  const std::map<std::string, long>& Kinds() const { return kinds_; }

 private:
  std::map<std::string, long> kinds_;
};

// A parameter array as the call receives it, with everything its elements
// point to. Destroy() frees it and says whether the array could be destroyed
// (an array that a call left locked cannot).
class ParamsInput {
 public:
  ParamsInput() = default;
  ParamsInput(const ParamsInput&) = delete;
  ParamsInput& operator=(const ParamsInput&) = delete;
  ~ParamsInput() { Destroy(); }

  SAFEARRAY** Pointer() { return nullPointer_ ? nullptr : &array_; }
  bool Destroy();

  SAFEARRAY* array_ = nullptr;
  bool nullPointer_ = false;
  // Targets of by-reference elements; deques keep their addresses stable.
  std::deque<LONG> longs_;
  std::deque<double> doubles_;
  std::deque<BSTR> strings_;
  std::deque<VARIANT> variants_;
};

class InputMaker {
 public:
  InputMaker(Random& random, BadInputs& bad, std::vector<std::wstring> names)
      : random_(random), bad_(bad), names_(std::move(names)) {}

  long MethodNumber();
  long PropertyNumber();
  long Alias();
  // A name for FindMethod, FindProp or SetLocale; may be a null BSTR.
  Bstr Name();
  // A value of any type the platform may pass; `owner` keeps by-reference targets.
  void Value(VARIANT& value, ParamsInput& owner, ElementObject& object, int depth = 0);
  // A parameter array for `method`: mostly well formed, sometimes not at all.
  void Params(long method, ParamsInput& params, ElementObject& object);

 private:
  std::wstring Text(size_t length);
  // A text of one of a few long lengths. The lengths are few on purpose: the
  // system caches freed strings by size, and random long sizes would fill that
  // cache for as long as the storm runs, hiding what the component does.
  std::wstring LongText();
  std::wstring Mutated(std::wstring name);
  void FillVector(SAFEARRAY* array, long count, ParamsInput& owner, ElementObject& object, int depth);

  Random& random_;
  BadInputs& bad_;
  std::vector<std::wstring> names_;  // every name the catalogue knows
};
