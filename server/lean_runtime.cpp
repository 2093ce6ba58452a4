// Keeps the DLL small. The C++ runtime is linked in statically, and two of its
// defaults drag in far more than the DLL uses: the verbose terminate handler
// (a symbol demangler and a printf engine) and the standard-exception
// throwers (the old string type, stream-free formatting, the random device).
// Defining them here keeps those parts of the runtime out of the link.
//
// Nothing of this changes what the component does: every exception is caught
// at the interface by Guarded (support/guard.h); a container or string that
// cannot grow is reported as a failed allocation, which is what it is.
#include <cstdlib>
#include <exception>
#include <new>

namespace __gnu_cxx {
// Called only when an exception escapes a noexcept boundary: end the process
// without printing (the DLL writes nothing).
void __verbose_terminate_handler() { std::abort(); }
}  // namespace __gnu_cxx

namespace std {
// The full set that the runtime's own definitions provide: defining only a part
// would pull its definitions in again and make the link fail on duplicates.
void __throw_bad_alloc() { throw bad_alloc(); }
void __throw_bad_array_new_length() { throw bad_alloc(); }
void __throw_length_error(const char*) { throw bad_alloc(); }
void __throw_bad_exception() { throw exception(); }
void __throw_bad_cast() { throw exception(); }
void __throw_bad_typeid() { throw exception(); }
void __throw_logic_error(const char*) { throw exception(); }
void __throw_domain_error(const char*) { throw exception(); }
void __throw_invalid_argument(const char*) { throw exception(); }
void __throw_out_of_range(const char*) { throw exception(); }
void __throw_out_of_range_fmt(const char*, ...) { throw exception(); }
void __throw_runtime_error(const char*) { throw exception(); }
void __throw_range_error(const char*) { throw exception(); }
void __throw_overflow_error(const char*) { throw exception(); }
void __throw_underflow_error(const char*) { throw exception(); }
}  // namespace std
