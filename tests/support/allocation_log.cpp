#include "support/allocation_log.h"

#include <cstdlib>
#include <limits>
#include <new>

namespace {

constexpr std::size_t maxRecorded = 4096;

struct Entry {
    const void* address;
    int allocations;
    int releases;
};

// A fixed array rather than a container: the log must not allocate through the operators it
// replaces.
Entry entries[maxRecorded];
std::size_t entryCount = 0;
// Released blocks are kept until recording stops, so no address is handed out twice meanwhile
// and a count per address is a count per block.
void* quarantine[maxRecorded];
std::size_t quarantineCount = 0;
bool recording = false;
std::size_t allocationsBeforeFailure = std::numeric_limits<std::size_t>::max();

Entry* entryFor(const void* address, bool create) {
    for (std::size_t i = 0; i < entryCount; ++i) {
        if (entries[i].address == address) return &entries[i];
    }
    if (!create || entryCount == maxRecorded) return nullptr;
    entries[entryCount] = {address, 0, 0};
    return &entries[entryCount++];
}

void* allocate(std::size_t size) {
    for (;;) {
        if (allocationsBeforeFailure > 0) {
            if (allocationsBeforeFailure != std::numeric_limits<std::size_t>::max()) {
                --allocationsBeforeFailure;
            }
            if (void* block = std::malloc(size ? size : 1)) {
                if (recording) {
                    if (Entry* entry = entryFor(block, true)) ++entry->allocations;
                }
                return block;
            }
        }
        std::new_handler handler = std::get_new_handler();
        if (!handler) throw std::bad_alloc();
        handler();
    }
}

void release(void* block) noexcept {
    if (!block) return;
    if (recording) {
        if (Entry* entry = entryFor(block, true)) ++entry->releases;
        if (quarantineCount < maxRecorded) {
            quarantine[quarantineCount++] = block;
            return;
        }
    }
    std::free(block);
}

}  // namespace

namespace allocationLog {

void startRecording() {
    entryCount = 0;
    recording = true;
}

void stopRecording() {
    recording = false;
    for (std::size_t i = 0; i < quarantineCount; ++i) std::free(quarantine[i]);
    quarantineCount = 0;
}

int releasesOf(const void* address) {
    const Entry* entry = entryFor(address, false);
    return entry ? entry->releases : 0;
}

int allocationsOf(const void* address) {
    const Entry* entry = entryFor(address, false);
    return entry ? entry->allocations : 0;
}

void failAfter(std::size_t successes) {
    allocationsBeforeFailure = successes;
}

}  // namespace allocationLog

void* operator new(std::size_t size) {
    return allocate(size);
}
void* operator new[](std::size_t size) {
    return allocate(size);
}
void operator delete(void* block) noexcept {
    release(block);
}
void operator delete[](void* block) noexcept {
    release(block);
}
void operator delete(void* block, std::size_t) noexcept {
    release(block);
}
void operator delete[](void* block, std::size_t) noexcept {
    release(block);
}
