#pragma once
// The fuzzer's bytes read as the choices a target makes: small numbers, whole numbers of any width, texts.
// Past the end every reading gives zero, so each input is a complete run.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace orv::fuzz {

// An invariant broke: say which, then stop the run as a crash would, so the fuzzer keeps the input.
[[noreturn]] inline void finding(const char* what) {
    std::fprintf(stderr, "finding: %s\n", what);
    std::abort();
}

class FuzzInput {
  public:
    FuzzInput(const uint8_t* data, size_t size) : data_(data), size_(size) {}

    bool empty() const { return at_ >= size_; }
    uint8_t byte() { return at_ < size_ ? data_[at_++] : 0; }
    uint32_t pick(uint32_t count) { return count ? byte() % count : 0; }  // 0 .. count - 1
    bool flag() { return byte() & 1; }
    template <class T>
    T raw() {
        T value{};
        const size_t from = std::min(at_, size_);
        std::memcpy(&value, data_ + from, std::min(sizeof value, size_ - from));
        at_ += sizeof value;
        return value;
    }
    // Mostly near zero, sometimes at or past the edges of its width.
    int32_t number(int32_t nearZero) {
        const uint32_t kind = pick(8);
        if (kind == 0) return raw<int32_t>();
        if (kind == 1) return raw<int16_t>();
        return static_cast<int32_t>(pick(2 * nearZero + 1)) - nearZero;
    }
    // A text of up to `length` units (bytes as Latin-1, 0xFF escapes one 16-bit unit); rest() takes all left.
    std::u16string text(size_t length) { return units(pick(static_cast<uint32_t>(length) + 1)); }
    std::u16string rest() { return units(size_); }

  private:
    std::u16string units(size_t count) {
        std::u16string result;
        for (; count > 0 && !empty(); --count) {
            const uint8_t b = byte();
            result.push_back(b == 0xFF ? raw<char16_t>() : char16_t(b));
        }
        return result;
    }

    const uint8_t* data_;
    size_t size_;
    size_t at_ = 0;
};

}  // namespace orv::fuzz
