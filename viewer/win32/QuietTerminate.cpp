// The viewer's end for an exception nobody catches. The C++ runtime's default prints the
// exception's demangled type to the standard error stream, which a Windows program without
// a console does not have, and brings in the demangler and printf with it: about a third
// of the viewer's code. Defined here, the program's own definition is taken instead of the
// runtime library's, and the program ends the same way, by abort().
#include <cstdlib>
#include <exception>

namespace __gnu_cxx {

void __verbose_terminate_handler() { std::abort(); }

}  // namespace __gnu_cxx
