// SPDX-FileCopyrightText: 2026 Alarm Clock developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The program catches no exception and has no console: where the C++ library
// would throw or print why it ends, it ends at once. The library's own
// versions pull in its demangler, printf and exception classes, and with
// them the unwinder and the POSIX thread library it locks with: more than
// half of the executable.
#include <cstdlib>

namespace __gnu_cxx {
void __verbose_terminate_handler()
{
    std::abort();
}
} // namespace __gnu_cxx

namespace std {
void __throw_bad_alloc()
{
    std::abort();
}
void __throw_bad_array_new_length()
{
    std::abort();
}
void __throw_bad_function_call()
{
    std::abort();
}
void __throw_length_error(const char *)
{
    std::abort();
}
void __throw_logic_error(const char *)
{
    std::abort();
}
} // namespace std

// The library's operator new throws by itself when memory runs out; this one
// ends the program there, like the helpers above.
void *operator new(std::size_t size)
{
    if (void *memory = std::malloc(size ? size : 1))
        return memory;
    std::abort();
}

void operator delete(void *memory) noexcept
{
    std::free(memory);
}

void operator delete(void *memory, std::size_t) noexcept
{
    std::free(memory);
}
