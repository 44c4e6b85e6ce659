#include <windows.h>

#include <exception>

#include "app/fatal_error.h"
#include "app/program_start.h"

// An exception that escapes is a fault of ours, so it takes the program's one fatal path. Defining
// the handler here also keeps libstdc++'s verbose one, and the 45 KB symbol demangler it brings,
// out of the program.
namespace __gnu_cxx {
void __verbose_terminate_handler() {
    fatalError("unexpected exception");
}
}  // namespace __gnu_cxx

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    return programStart();
}
