// The C++ runtime's last resort for an uncaught exception, in place of its verbose one.
//
// The runtime's own handler prints the exception's demangled type name to stderr, which drags the whole
// symbol demangler into every binary. These are GUI programs without a console to print to, and no
// exception leaves our code by design, so the only useful thing left to do is to end the process.
// This file must reach the linker as an object file (not from an archive) so that it is taken before
// the runtime's definition.
#include <cstdlib>
#include <exception>

namespace __gnu_cxx {

void __verbose_terminate_handler() { std::abort(); }

}  // namespace __gnu_cxx
