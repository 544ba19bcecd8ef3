// What a Windows program does when a failure escapes every handler: it ends
// at once, as the C++ library would after its report. A windowed program has
// no console for that report, and the library's reporting handler brings the
// symbol demangler and a formatted printf into the program (about 75 KiB of
// the executable). Linked into each program as an object of its own, so that
// this definition is the one the linker takes.

#include <cstdlib>

namespace __gnu_cxx {

void __verbose_terminate_handler() { std::abort(); }

}  // namespace __gnu_cxx
