// Keeps C++ exceptions from crossing a COM interface or an exported entry point.
#pragma once
#include <windows.h>
#include <new>

template <class Body>
HRESULT Guarded(Body&& body) noexcept {
  try {
    return body();
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  } catch (...) {
    return E_UNEXPECTED;
  }
}
