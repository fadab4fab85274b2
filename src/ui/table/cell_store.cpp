#include "ui/table/cell_store.h"

#include <bit>
#include <limits>

#include "automation/standard_errors.h"

namespace orv::ui {

namespace {

using automation::Text;
using automation::Value;

// A text payload: offset into the arena in the low half, length in the high half.
constexpr uint64_t textPayload(size_t offset, size_t length) {
    return uint64_t(offset) | (uint64_t(length) << 32);
}
constexpr size_t textOffset(uint64_t payload) {
    return size_t(payload & 0xFFFFFFFFu);
}
constexpr size_t textLength(uint64_t payload) {
    return size_t(payload >> 32);
}

// Below this much garbage the arena is left alone: compacting small tables buys nothing.
constexpr size_t kCompactAbove = size_t{1} << 16;

void checkCellCount(int64_t rows, int64_t cols) {
    if (rows > std::numeric_limits<int32_t>::max() || uint64_t(rows) * uint64_t(cols) > CellStore::kMaxCells)
        automation::raiseStandardError(automation::error_number::kOutOfMemory);
}

}  // namespace

void CellStore::resize(int32_t rows, int32_t cols) {
    checkCellCount(rows, cols);
    if (cols == cols_) {
        const size_t kept = at(rows, 0);
        if (rows < rows_) release(kept, tags_.size() - kept);
        tags_.resize(kept, kEmpty);
        payloads_.resize(kept, 0);
        if (tags_.capacity() > 4 * tags_.size() + 1024) {
            tags_.shrink_to_fit();
            payloads_.shrink_to_fit();
        }
    } else {
        // Another row width: every row moves, so lay the cells out anew.
        std::vector<uint8_t> tags(size_t(rows) * size_t(cols), kEmpty);
        std::vector<uint64_t> payloads(tags.size(), 0);
        for (int32_t row = 0; row < rows_; ++row)
            for (int32_t column = 0; column < cols_; ++column) {
                if (row < rows && column < cols) {
                    tags[size_t(row) * size_t(cols) + size_t(column)] = tags_[at(row, column)];
                    payloads[size_t(row) * size_t(cols) + size_t(column)] = payloads_[at(row, column)];
                } else {
                    release(at(row, column), 1);
                }
            }
        tags_.swap(tags);
        payloads_.swap(payloads);
    }
    rows_ = rows;
    cols_ = cols;
    compactIfWasteful();
}

void CellStore::insertRows(int32_t at, int32_t count) {
    checkCellCount(int64_t{rows_} + count, cols_);
    const size_t first = this->at(at, 0), cells = size_t(count) * size_t(cols_);
    tags_.insert(tags_.begin() + ptrdiff_t(first), cells, kEmpty);
    payloads_.insert(payloads_.begin() + ptrdiff_t(first), cells, 0);
    rows_ += count;
}

void CellStore::removeRows(int32_t first, int32_t count) {
    const size_t begin = at(first, 0), cells = size_t(count) * size_t(cols_);
    release(begin, cells);
    tags_.erase(tags_.begin() + ptrdiff_t(begin), tags_.begin() + ptrdiff_t(begin + cells));
    payloads_.erase(payloads_.begin() + ptrdiff_t(begin), payloads_.begin() + ptrdiff_t(begin + cells));
    rows_ -= count;
    compactIfWasteful();
}

Value CellStore::get(int32_t row, int32_t column) const {
    const size_t cell = at(row, column);
    const uint64_t payload = payloads_[cell];
    switch (tags_[cell]) {
        case kText:
            return Text(arena_.data() + textOffset(payload), textLength(payload));
        case kLong:
            return static_cast<int32_t>(static_cast<uint32_t>(payload));
        case kDouble:
            return std::bit_cast<double>(payload);
        default:
            return std::monostate{};
    }
}

void CellStore::set(int32_t row, int32_t column, const Value& value) {
    const size_t cell = at(row, column);
    // The new text goes in before the old one is released: a compaction must not see the cell half written.
    uint8_t tag = kEmpty;
    uint64_t payload = 0;
    if (const auto* text = std::get_if<Text>(&value)) {
        tag = kText;
        payload = storeText(*text);
    } else if (const auto* number = std::get_if<int32_t>(&value)) {
        tag = kLong;
        payload = static_cast<uint32_t>(*number);
    } else if (const auto* real = std::get_if<double>(&value)) {
        tag = kDouble;
        payload = std::bit_cast<uint64_t>(*real);
    }
    release(cell, 1);
    tags_[cell] = tag;
    payloads_[cell] = payload;
    compactIfWasteful();
}

size_t CellStore::bytes() const {
    return tags_.capacity() * sizeof(uint8_t) + payloads_.capacity() * sizeof(uint64_t) +
           arena_.capacity() * sizeof(char16_t);
}

void CellStore::release(size_t first, size_t count) {
    for (size_t cell = first; cell < first + count; ++cell)
        if (tags_[cell] == kText) garbage_ += textLength(payloads_[cell]);
}

void CellStore::compactIfWasteful() {
    if (garbage_ >= kCompactAbove && 2 * garbage_ >= arena_.size()) compact();
}

void CellStore::compact() {
    std::vector<char16_t> arena;
    arena.reserve(arena_.size() - garbage_);
    for (size_t cell = 0; cell < tags_.size(); ++cell) {
        if (tags_[cell] != kText) continue;
        const size_t offset = textOffset(payloads_[cell]), length = textLength(payloads_[cell]);
        payloads_[cell] = textPayload(arena.size(), length);
        arena.insert(arena.end(), arena_.begin() + ptrdiff_t(offset),
                     arena_.begin() + ptrdiff_t(offset + length));
    }
    arena_.swap(arena);
    garbage_ = 0;
}

uint64_t CellStore::storeText(const Text& text) {
    constexpr size_t kLimit = std::numeric_limits<uint32_t>::max();
    if (text.size() > kLimit - arena_.size()) {
        compact();
        if (text.size() > kLimit - arena_.size())
            automation::raiseStandardError(automation::error_number::kOutOfMemory);
    }
    const uint64_t payload = textPayload(arena_.size(), text.size());
    arena_.insert(arena_.end(), text.begin(), text.end());
    return payload;
}

}  // namespace orv::ui
