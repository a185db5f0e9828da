// The fuzz input read front to back as the answers a host or a file would give. Once the
// bytes run out every read yields zero, so any input, however short, is a complete run.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

namespace figfuzz {

class ByteSource {
public:
    ByteSource(const uint8_t *data, size_t size) : data_(data), size_(size) {}

    bool empty() const { return at_ >= size_; }
    size_t left() const { return size_ - at_; }

    uint8_t Byte() { return at_ < size_ ? data_[at_++] : 0; }
    bool Flag() { return Byte() & 1; }
    // A value in [0, bound) (bound <= 256).
    int Below(int bound) { return bound > 0 ? Byte() % bound : 0; }
    uint16_t U16() { return static_cast<uint16_t>(Byte() | Byte() << 8); }
    uint32_t U32() { return U16() | static_cast<uint32_t>(U16()) << 16; }
    double RawDouble() {
        uint64_t bits = U32() | static_cast<uint64_t>(U32()) << 32;
        double value;
        std::memcpy(&value, &bits, sizeof value);
        return value;
    }
    // Up to `count` bytes (fewer at the end of the input), zeros for the rest.
    void Fill(void *out, size_t count) {
        const size_t n = count < left() ? count : left();
        if (n) std::memcpy(out, data_ + at_, n);
        std::memset(static_cast<uint8_t *>(out) + n, 0, count - n);
        at_ += n;
    }
    // The rest of the input.
    std::string Rest() {
        std::string rest(reinterpret_cast<const char *>(data_ + at_), left());
        at_ = size_;
        return rest;
    }

private:
    const uint8_t *data_;
    size_t size_;
    size_t at_ = 0;
};

}  // namespace figfuzz
