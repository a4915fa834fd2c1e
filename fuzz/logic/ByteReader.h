#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

// Reads numbers and records from the front of a byte string; past its end everything reads as
// zero bytes.
class ByteReader {
public:
    ByteReader(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

    std::uint8_t Byte() { return next_ < size_ ? data_[next_++] : 0; }
    std::uint16_t Word() {
        const std::uint8_t low = Byte();
        return static_cast<std::uint16_t>(low | Byte() << 8);
    }
    std::int32_t Int() {
        const std::uint16_t low = Word();
        return static_cast<std::int32_t>(static_cast<std::uint32_t>(low) |
                                         static_cast<std::uint32_t>(Word()) << 16);
    }
    // Fills a plain record byte by byte.
    template <class T>
    T Record() {
        T value{};
        auto* bytes = reinterpret_cast<std::uint8_t*>(&value);
        for (std::size_t i = 0; i < sizeof value; ++i) bytes[i] = Byte();
        return value;
    }
    std::vector<std::uint8_t> Rest() const {
        return next_ < size_ ? std::vector<std::uint8_t>(data_ + next_, data_ + size_)
                             : std::vector<std::uint8_t>();
    }

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t next_ = 0;
};
