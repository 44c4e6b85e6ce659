#pragma once

#include <string_view>

// The one fatal path: reports `what` and ends the process with exit code -1 at once, without
// running the exit routine.
[[noreturn]] void fatalError(std::string_view what) noexcept;

// From now on, storage that cannot be had ends the process through fatalError.
void makeStorageFailureFatal() noexcept;
