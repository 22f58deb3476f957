// Not part of the program's logic: it keeps parts of the C++ runtime out of
// QorvaneShutdown.exe so the file stays small (measured: 251,904 bytes with
// them, 111,104 without; see the README). Only libstdc++ (MinGW) is touched;
// with another standard library this file compiles to nothing.
//
// The program catches no exception: one thrown anywhere (out of memory, in
// practice) can only end it, and it could not cross a window procedure anyway.
// With libstdc++ that end goes through code the program does not need: the
// default terminate handler prints the demangled type to a stderr a GUI
// program lacks (57 KB with its demangler), and the throw helpers drag in the
// exception classes with their own string and random-device code (57 KB).
// Defining them here keeps the library's copies out; each ends the process at
// once, as an uncaught exception did.
#include <cstddef>
#include <cstdlib>  // also tells which standard library this is

#if defined(__GLIBCXX__)
// NOLINTBEGIN(bugprone-reserved-identifier): the library's own names, replaced on purpose

namespace __gnu_cxx {
void __verbose_terminate_handler();
void __verbose_terminate_handler() { std::abort(); }
}  // namespace __gnu_cxx

namespace std {
void __throw_bad_alloc();
void __throw_bad_alloc() { std::abort(); }
void __throw_bad_array_new_length();
void __throw_bad_array_new_length() { std::abort(); }
void __throw_length_error(const char*);
void __throw_length_error(const char*) { std::abort(); }
void __throw_logic_error(const char*);
void __throw_logic_error(const char*) { std::abort(); }
void __throw_out_of_range_fmt(const char*, ...);
void __throw_out_of_range_fmt(const char*, ...) { std::abort(); }
}  // namespace std
// NOLINTEND(bugprone-reserved-identifier)

// The library's operator new throws bad_alloc itself, which brings the
// unwinder and its threads library (on x86, 40 KB); out of memory ends the
// program at once here too. The library's deletes free with std::free.
void* operator new(std::size_t size) {
    if (void* memory = std::malloc(size == 0 ? 1 : size)) return memory;
    std::abort();
}
void* operator new[](std::size_t size) { return ::operator new(size); }
#endif
