// Members whose texts cannot be allocated: the address space and the process
// heap, where BSTRs live, are used up for the duration of the calls. No
// exception may leave the component; a member that could not answer reads
// VT_BOOL 0. Runs as a program of its own: nothing else may need memory
// meanwhile. (The C runtime's heap is left alone: under Wine a C++ throw
// needs it.)
#include <vector>

#include "tests/dispatch/session.h"

namespace {

// Takes all the address space, the process heap and the BSTR cache; gives
// everything back when it goes.
class MemoryExhausted {
 public:
  MemoryExhausted() {
    reserved_.reserve(1 << 16);
    heapBlocks_.reserve(1 << 18);
    strings_.reserve(1 << 12);
    for (SIZE_T size = SIZE_T(1) << 30; size >= 64 * 1024; size /= 2) {
      while (reserved_.size() < reserved_.capacity()) {
        void* block = VirtualAlloc(nullptr, size, MEM_RESERVE, PAGE_NOACCESS);
        if (!block) break;
        reserved_.push_back(block);
      }
    }
    for (SIZE_T size = 64 * 1024; size >= 1; size = size > 1024 ? size / 2 : size - 1) {
      while (heapBlocks_.size() < heapBlocks_.capacity()) {
        void* block = HeapAlloc(GetProcessHeap(), 0, size);
        if (!block) break;
        heapBlocks_.push_back(block);
      }
    }
    for (UINT length = 0; length < 256; ++length) {
      while (strings_.size() < strings_.capacity()) {
        BSTR string = SysAllocStringLen(nullptr, length);
        if (!string) break;
        strings_.push_back(string);
      }
    }
  }
  ~MemoryExhausted() {
    for (BSTR string : strings_) SysFreeString(string);
    for (void* block : heapBlocks_) HeapFree(GetProcessHeap(), 0, block);
    for (void* block : reserved_) VirtualFree(block, 0, MEM_RELEASE);
  }
  MemoryExhausted(const MemoryExhausted&) = delete;
  MemoryExhausted& operator=(const MemoryExhausted&) = delete;

  // False when a further small text could still be allocated.
  static bool Complete() {
    BSTR probe = SysAllocString(L"1.1");
    SysFreeString(probe);
    return probe == nullptr;
  }

 private:
  std::vector<void*> reserved_;
  std::vector<void*> heapBlocks_;
  std::vector<BSTR> strings_;
};

struct Outcome {
  HRESULT hr;
  VARTYPE type;
  LONG value;
};

TEST(OutOfMemory, MembersThatCannotAllocateReadFalse) {
  // A 64-bit address space is not used up: the process heap would take the
  // machine's memory instead. Allocation failures behave alike on both.
  if (sizeof(void*) > 4) GTEST_SKIP() << "memory is used up only in a 32-bit process";
  Session session(false);
  ParamArray params(7);
  const long methods[] = {16, 17, 11, 21, 22, 14};
  Outcome outcomes[std::size(methods)] = {};
  bool complete = false;
  {
    MemoryExhausted exhausted;
    complete = MemoryExhausted::Complete();
    for (size_t i = 0; i < std::size(methods); ++i) {
      VARIANT result;
      VariantInit(&result);
      outcomes[i].hr = session.addin->CallAsFunc(methods[i], &result, params.Get());
      outcomes[i].type = result.vt;
      outcomes[i].value = result.lVal;
      VariantClear(&result);
    }
  }
  ASSERT_TRUE(complete) << "memory could not be used up; nothing was tested";
  for (size_t i = 0; i < std::size(methods); ++i) {
    const bool allocates = methods[i] != 22;  // DoAdditionalAction writes nothing
    EXPECT_EQ(outcomes[i].hr, S_OK) << methods[i];
    EXPECT_EQ(outcomes[i].type, VT_BOOL) << methods[i];
    EXPECT_EQ(outcomes[i].value, allocates ? 0 : 1) << methods[i];
  }
  EXPECT_EQ(TextIn(session.Call(16, params)), L"1.1") << "answers again once memory is back";
}

}  // namespace
