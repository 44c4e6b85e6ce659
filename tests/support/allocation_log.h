#pragma once
// Replaces the global operator new and delete of a test program so that tests can see which
// blocks the code under test takes and gives back, and make the next allocations fail.

#include <cstddef>

namespace allocationLog {

// While recording, every allocation and release is counted per address; released blocks are
// freed only when recording stops, so each address stands for one block.
void startRecording();
void stopRecording();

// How often the block at `address` was released while recording.
int releasesOf(const void* address);
// How often a block was allocated at `address` while recording.
int allocationsOf(const void* address);

// After `successes` more allocations, every allocation fails the way running out of storage does:
// the new handler is called and, if it returns, std::bad_alloc is thrown.
void failAfter(std::size_t successes);

}  // namespace allocationLog
