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
    // Plain writes: nothing here may need storage or a formatter.
    constexpr std::string_view prefix = "formation finder: fatal error: ";
    std::fwrite(prefix.data(), 1, prefix.size(), stderr);
    std::fwrite(what.data(), 1, what.size(), stderr);
    std::fputc('\n', stderr);
    std::fflush(stderr);
    std::_Exit(fatalExitCode);
}

void makeStorageFailureFatal() noexcept {
    std::set_new_handler(onStorageFailure);
}
