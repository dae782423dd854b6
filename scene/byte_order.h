// Little-endian packing of int32 and binary64 values for the tvn format,
// independent of the host's byte order.
#pragma once

#include <bit>
#include <cstdint>
#include <cstring>
#include <vector>

class ByteWriter {
  public:
    explicit ByteWriter(std::vector<unsigned char>& out) : buf(out) {}
    void i32(std::int32_t v) { put(static_cast<std::uint32_t>(v)); }
    void f64(double v) { put(std::bit_cast<std::uint64_t>(v)); }

  private:
    template <class U> void put(U v) {
        for (unsigned i = 0; i < sizeof(U); ++i)
            buf.push_back(static_cast<unsigned char>(v >> (8 * i)));
    }
    std::vector<unsigned char>& buf;
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
        v = 0;
        for (unsigned i = 0; i < sizeof(U); ++i)
            v |= static_cast<U>(p[pos + i]) << (8 * i);
        pos += sizeof(U);
        return true;
    }
    const unsigned char* p;
    std::size_t n;
    std::size_t pos = 0;
};
