// Raw memory for the document's list nodes: small blocks from the heap, large ones mapped
// and advised to use huge pages.
#include "scene/node_memory.h"

#include <cstdint>
#include <new>
#include <sys/mman.h>
#include <unistd.h>
#include <utility>

namespace {

constexpr std::size_t kHugePageBytes = std::size_t{2} << 20;
// Below this a block is a heap allocation: huge pages would not pay for a mapping.
constexpr std::size_t kMappedFromBytes = 4 * kHugePageBytes;

std::size_t roundUp(std::size_t n, std::size_t step) {
    return (n + step - 1) / step * step;
}

// A mapping of bytes that starts on a huge-page boundary, so that all of it but the last
// partial huge page can be backed by huge pages; null when the kernel refuses.
void* mapAligned(std::size_t bytes) {
    const std::size_t padded = bytes + kHugePageBytes;
    void* raw = ::mmap(nullptr, padded, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (raw == MAP_FAILED)
        return nullptr;
    const auto start = reinterpret_cast<std::uintptr_t>(raw);
    const std::uintptr_t aligned = roundUp(start, kHugePageBytes);
    const std::size_t head = aligned - start;
    if (head > 0)
        ::munmap(raw, head);
    if (const std::size_t tail = padded - head - bytes; tail > 0)
        ::munmap(reinterpret_cast<void*>(aligned + bytes), tail);
    // Only advice: where the kernel has no huge page free it uses small ones.
    ::madvise(reinterpret_cast<void*>(aligned), bytes, MADV_HUGEPAGE);
    return reinterpret_cast<void*>(aligned);
}

} // namespace

NodeMemory::NodeMemory(std::size_t bytes) {
    if (bytes >= kMappedFromBytes) {
        const std::size_t mapped =
            roundUp(bytes, static_cast<std::size_t>(::sysconf(_SC_PAGESIZE)));
        memory = mapAligned(mapped);
        if (!memory)
            throw std::bad_alloc();
        mappedBytes = mapped;
    } else {
        memory = ::operator new(bytes);
    }
}

NodeMemory::~NodeMemory() {
    release();
}

NodeMemory::NodeMemory(NodeMemory&& other) noexcept
    : memory(std::exchange(other.memory, nullptr)),
      mappedBytes(std::exchange(other.mappedBytes, 0)) {}

NodeMemory& NodeMemory::operator=(NodeMemory&& other) noexcept {
    if (this != &other) {
        release();
        memory = std::exchange(other.memory, nullptr);
        mappedBytes = std::exchange(other.mappedBytes, 0);
    }
    return *this;
}

void NodeMemory::release() {
    if (!memory)
        return;
    if (mappedBytes > 0)
        ::munmap(memory, mappedBytes);
    else
        ::operator delete(memory);
    memory = nullptr;
    mappedBytes = 0;
}
