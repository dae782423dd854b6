// Little-endian packing of int32 and binary64 values for the tvn format,
// independent of the host's byte order.
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>

namespace byte_order {

template <class U> constexpr U reversed(U v) {
    U out = 0;
    for (unsigned i = 0; i < sizeof(U); ++i, v >>= 8)
        out = static_cast<U>((out << 8) | (v & 0xff));
    return out;
}

// On a little-endian host (every one we build for) this is the identity and a whole
// value moves with one memcpy; elsewhere the bytes are reversed.
template <class U> constexpr U littleEndian(U v) {
    if constexpr (std::endian::native == std::endian::little)
        return v;
    else
        return reversed(v);
}

} // namespace byte_order

// Writes into memory the caller has sized for everything that is written.
class ByteWriter {
  public:
    explicit ByteWriter(unsigned char* out) : p(out) {}
    void i32(std::int32_t v) { put(static_cast<std::uint32_t>(v)); }
    void f64(double v) { put(std::bit_cast<std::uint64_t>(v)); }
    unsigned char* position() const { return p; }

  private:
    template <class U> void put(U v) {
        v = byte_order::littleEndian(v);
        std::memcpy(p, &v, sizeof(U));
        p += sizeof(U);
    }
    unsigned char* p;
};

class ByteReader {
  public:
    ByteReader(const unsigned char* data, std::size_t size) : p(data), n(size) {}
    bool i32(std::int32_t& v) {
        std::uint32_t u;
        if (!get(u))
            return false;
        v = static_cast<std::int32_t>(u);
        return true;
    }
    bool f64(double& v) {
        std::uint64_t u;
        if (!get(u))
            return false;
        v = std::bit_cast<double>(u);
        return true;
    }
    std::size_t remaining() const { return n - pos; }
    std::size_t offset() const { return pos; }

  private:
    template <class U> bool get(U& v) {
        if (remaining() < sizeof(U))
            return false;
        std::memcpy(&v, p + pos, sizeof(U));
        v = byte_order::littleEndian(v);
        pos += sizeof(U);
        return true;
    }
    const unsigned char* p;
    std::size_t n;
    std::size_t pos = 0;
};
