// SPDX-FileCopyrightText: 2026 Alarm Clock developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The program catches no exception and has no console: where the C++ library
// would throw or print why it ends, it ends at once. The library's own
// versions pull in its demangler, printf and exception classes, more than
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
