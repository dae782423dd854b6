// Raw memory for the document's list nodes. A block that holds a large scene comes
// straight from the kernel in huge pages where it can: the kernel then prepares the
// memory in 2 MiB steps instead of 4 KiB ones, which was most of what a large load cost.
#pragma once

#include <cstddef>

class NodeMemory {
  public:
    NodeMemory() = default;
    // At least bytes of uninitialised memory, aligned for any object.
    explicit NodeMemory(std::size_t bytes);
    ~NodeMemory();
    NodeMemory(NodeMemory&& other) noexcept;
    NodeMemory& operator=(NodeMemory&& other) noexcept;
    NodeMemory(const NodeMemory&) = delete;
    NodeMemory& operator=(const NodeMemory&) = delete;

    void* data() const { return memory; }

  private:
    void release();

    void* memory = nullptr;
    std::size_t mappedBytes = 0; // nonzero when memory is a mapping of its own
};
