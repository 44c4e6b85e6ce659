#include "app/fatal_error.h"

#include <cstdio>
#include <cstdlib>
#include <new>

namespace {

constexpr int fatalExitCode = -1;

[[noreturn]] void onStorageFailure() {
    fatalError("out of memory");
}

}  // namespace

void fatalError(std::string_view what) noexcept {
    std::fprintf(stderr, "formation finder: fatal error: %.*s\n", static_cast<int>(what.size()),
                 what.data());
    std::fflush(stderr);
    std::_Exit(fatalExitCode);
}

void makeStorageFailureFatal() noexcept {
    std::set_new_handler(onStorageFailure);
}
