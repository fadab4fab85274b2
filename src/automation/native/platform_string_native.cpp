// Our own length-prefixed strings, laid out as the platform lays them out: a 4-byte byte count just before
// the characters, and a terminating NUL after them that the count does not include.
#include <cstdlib>
#include <cstring>

#include "automation/platform_string.h"
#include "automation/standard_errors.h"

namespace orv::automation {

namespace {
constexpr size_t kPrefixBytes = sizeof(uint32_t);
constexpr size_t kMaxUnits = (0x7FFFFFFFu - kPrefixBytes) / sizeof(char16_t) - 1;

std::byte* blockOf(const char16_t* string) {
    return reinterpret_cast<std::byte*>(const_cast<char16_t*>(string)) - kPrefixBytes;
}
}  // namespace

RawString stringAllocate(TextView text) {
    if (text.size() > kMaxUnits) raiseStandardError(error_number::kOutOfMemory);
    const uint32_t bytes = static_cast<uint32_t>(text.size() * sizeof(char16_t));
    auto* block = static_cast<std::byte*>(std::malloc(kPrefixBytes + bytes + sizeof(char16_t)));
    if (!block) raiseStandardError(error_number::kOutOfMemory);
    std::memcpy(block, &bytes, kPrefixBytes);
    auto* characters = reinterpret_cast<char16_t*>(block + kPrefixBytes);
    if (bytes) std::memcpy(characters, text.data(), bytes);
    characters[text.size()] = u'\0';
    return characters;
}

void stringFree(RawString string) noexcept {
    if (string) std::free(blockOf(string));
}

uint32_t stringLength(const char16_t* string) noexcept {
    if (!string) return 0;
    uint32_t bytes = 0;
    std::memcpy(&bytes, blockOf(string), kPrefixBytes);
    return bytes / sizeof(char16_t);
}

}  // namespace orv::automation
