#include "ui/table/cell_store.h"

#include <algorithm>
#include <bit>
#include <limits>

#include "automation/standard_errors.h"

namespace orv::ui {

namespace {

using automation::Text;
using automation::TextView;
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

// FNV-1a: tells texts apart before their characters are compared.
uint64_t hashOf(TextView text) {
    uint64_t hash = 14695981039346656037u;
    for (char16_t c : text) hash = (hash ^ c) * 1099511628211u;
    return hash;
}

void checkCellCount(int64_t rows, int64_t cols) {
    if (rows > std::numeric_limits<int32_t>::max() || uint64_t(rows) * uint64_t(cols) > CellStore::kMaxCells)
        automation::raiseStandardError(automation::error_number::kOutOfMemory);
}

}  // namespace

void CellStore::resize(int32_t rows, int32_t cols) {
    checkCellCount(rows, cols);
    for (size_t column = size_t(cols); column < columns_.size(); ++column)
        release(columns_[column], 0, size_t(rows_));
    columns_.resize(size_t(cols));
    for (Column& cells : columns_) {
        if (cells.tags.size() <= size_t(rows)) continue;
        release(cells, size_t(rows), cells.tags.size() - size_t(rows));
        cells.tags.resize(size_t(rows));
        cells.payloads.resize(size_t(rows));
        if (cells.tags.capacity() > 4 * cells.tags.size() + 1024) {
            cells.tags.shrink_to_fit();
            cells.payloads.shrink_to_fit();
        }
    }
    if (!records_.empty()) {
        records_.resize(size_t(rows), kNoRecord);
        if (records_.capacity() > 4 * records_.size() + 1024) records_.shrink_to_fit();
    }
    rows_ = rows;
    cols_ = cols;
    compactIfWasteful();
}

void CellStore::insertRows(int32_t at, int32_t count) {
    checkCellCount(int64_t{rows_} + count, cols_);
    for (Column& cells : columns_) {
        if (cells.tags.size() <= size_t(at)) continue;
        cells.tags.insert(cells.tags.begin() + at, size_t(count), kUnset);
        cells.payloads.insert(cells.payloads.begin() + at, size_t(count), 0);
    }
    if (!records_.empty()) records_.insert(records_.begin() + at, size_t(count), kNoRecord);
    rows_ += count;
}

void CellStore::removeRows(int32_t first, int32_t count) {
    for (Column& cells : columns_) {
        const size_t begin = std::min(size_t(first), cells.tags.size());
        const size_t end = std::min(size_t(first) + size_t(count), cells.tags.size());
        release(cells, begin, end - begin);
        cells.tags.erase(cells.tags.begin() + ptrdiff_t(begin), cells.tags.begin() + ptrdiff_t(end));
        cells.payloads.erase(cells.payloads.begin() + ptrdiff_t(begin),
                             cells.payloads.begin() + ptrdiff_t(end));
    }
    if (!records_.empty()) records_.erase(records_.begin() + first, records_.begin() + first + count);
    rows_ -= count;
    compactIfWasteful();
}

void CellStore::setRecords(int32_t first, int32_t count, int32_t firstRecord) {
    if (count <= 0) return;
    if (records_.empty()) records_.assign(size_t(rows_), kNoRecord);
    const auto begin = size_t(first), end = begin + size_t(count);
    for (Column& cells : columns_) {
        const size_t to = std::min(end, cells.tags.size());
        if (to <= begin) continue;
        release(cells, begin, to - begin);
        // An unset cell's payload is never read: only the tags are written.
        std::fill(cells.tags.begin() + ptrdiff_t(begin), cells.tags.begin() + ptrdiff_t(to), uint8_t{kUnset});
    }
    for (size_t row = begin; row < end; ++row) records_[row] = firstRecord + int32_t(row - begin);
    compactIfWasteful();
}

void CellStore::clearRecord(int32_t row) {
    if (!records_.empty()) records_[size_t(row)] = kNoRecord;
}

Value CellStore::get(int32_t row, int32_t column) const {
    const Column& cells = columns_[size_t(column)];
    if (size_t(row) >= cells.tags.size()) return std::monostate{};
    const uint64_t payload = cells.payloads[size_t(row)];
    switch (cells.tags[size_t(row)]) {
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
    // The new text goes in before the old one is released: a compaction must not see the cell half written.
    uint8_t tag = kEmpty;
    uint64_t payload = 0;
    Column& target = columns_[size_t(column)];
    // Emptying a cell that reads as empty anyway: a column none of whose cells is set stays without arrays.
    if (std::holds_alternative<std::monostate>(value) && record(row) == kNoRecord &&
        (size_t(row) >= target.tags.size() || target.tags[size_t(row)] == kUnset))
        return;
    if (const auto* text = std::get_if<Text>(&value)) {
        tag = kText;
        payload = storeText(column, *text);
    } else if (const auto* number = std::get_if<int32_t>(&value)) {
        tag = kLong;
        payload = static_cast<uint32_t>(*number);
    } else if (const auto* real = std::get_if<double>(&value)) {
        tag = kDouble;
        payload = std::bit_cast<uint64_t>(*real);
    }
    put(target, size_t(row), tag, payload);
}

void CellStore::setText(int32_t row, int32_t column, TextView text) {
    const uint64_t payload = storeText(column, text);
    put(columns_[size_t(column)], size_t(row), kText, payload);
}

void CellStore::reach(Column& cells, size_t row) const {
    if (row < cells.tags.size()) return;
    // Grown by half again at least: a fill that sets a column row by row moves it a few times only.
    const size_t size = std::min(std::max(row + 1, cells.tags.size() + cells.tags.size() / 2), size_t(rows_));
    cells.tags.resize(size, kUnset);
    cells.payloads.resize(size, 0);
}

void CellStore::setLongs(int32_t first, int32_t column, const int32_t* values, int32_t count) {
    if (count <= 0) return;
    Column& cells = columns_[size_t(column)];
    // Only the cells the column already reached may hold texts.
    release(cells, size_t(first), size_t(count));
    reach(cells, size_t(first) + size_t(count) - 1);
    for (size_t i = 0; i < size_t(count); ++i) {
        cells.tags[size_t(first) + i] = kLong;
        cells.payloads[size_t(first) + i] = static_cast<uint32_t>(values[i]);
    }
    compactIfWasteful();
}

void CellStore::put(Column& cells, size_t row, uint8_t tag, uint64_t payload) {
    reach(cells, row);
    release(cells, row, 1);
    cells.tags[row] = tag;
    cells.payloads[row] = payload;
    compactIfWasteful();
}

size_t CellStore::bytes() const {
    size_t total = (arena_.capacity() + spare_.capacity()) * sizeof(char16_t) +
                   columns_.capacity() * sizeof(Column) + records_.capacity() * sizeof(int32_t);
    for (const Column& cells : columns_)
        total += cells.tags.capacity() * sizeof(uint8_t) + cells.payloads.capacity() * sizeof(uint64_t);
    return total;
}

void CellStore::release(const Column& cells, size_t first, size_t count) {
    for (size_t row = first; row < std::min(first + count, cells.tags.size()); ++row)
        if (cells.tags[row] == kText) garbage_ += textLength(cells.payloads[row]);
}

void CellStore::compactIfWasteful() {
    // A compaction visits every cell: it waits until as much was released as there are cells, so that its
    // cost stays in proportion to the writes that made the garbage.
    if (garbage_ >= kCompactAbove && 2 * garbage_ >= arena_.size() &&
        2 * garbage_ >= size_t(rows_) * size_t(cols_))
        compact();
}

void CellStore::compact() {
    // Into the buffer the last compaction left behind: a table refilled again and again (another polyline
    // each time) then writes into memory it already has, instead of the system handing out and clearing
    // fresh pages for every compaction and every growth of the arena.
    std::vector<char16_t>& arena = spare_;
    arena.clear();
    // Room for as much again: a refill of the same size appends without moving the arena.
    arena.reserve(2 * (arena_.size() - std::min(garbage_, arena_.size())));
    for (Column& cells : columns_) {
        // Cells that shared a text share its copy, known by where it was: the last few texts moved, old
        // place to new. Nothing is hashed on the way: a compaction only copies.
        std::array<uint64_t, kRecentTexts> from{}, to{};
        size_t seen = 0, next = 0;
        for (size_t row = 0; row < cells.tags.size(); ++row) {
            if (cells.tags[row] != kText) continue;
            const uint64_t old = cells.payloads[row];
            const auto moved = std::find(from.begin(), from.begin() + seen, old);
            if (moved != from.begin() + seen) {
                cells.payloads[row] = to[size_t(moved - from.begin())];
                continue;
            }
            const char16_t* text = arena_.data() + textOffset(old);
            const uint64_t payload = textPayload(arena.size(), textLength(old));
            arena.insert(arena.end(), text, text + textLength(old));
            from[next] = old;
            to[next] = payload;
            next = (next + 1) % kRecentTexts;
            seen = std::min(seen + 1, kRecentTexts);
            cells.payloads[row] = payload;
        }
        // A later text of this column may share the ones moved last, as if it had just stored them.
        RecentTexts recent;
        for (size_t i = 0; i < seen; ++i) {
            const uint64_t payload = to[(next + kRecentTexts - seen + i) % kRecentTexts];
            remember(recent, payload,
                     hashOf(TextView(arena.data() + textOffset(payload), textLength(payload))));
        }
        cells.recent = recent;
    }
    arena_.swap(spare_);
    garbage_ = 0;
    // A table that shrank (rows removed, a shorter polyline) gives the old arena back: it is kept only while
    // it is about the size a refill of this table needs.
    if (spare_.capacity() > 4 * arena_.capacity()) std::vector<char16_t>().swap(spare_);
}

uint64_t CellStore::storeText(int32_t column, TextView text) {
    const uint64_t hash = hashOf(text);
    uint64_t payload = 0;
    if (findRecentIn(arena_, columns_[size_t(column)].recent, text, hash, payload)) return payload;
    constexpr size_t kLimit = std::numeric_limits<uint32_t>::max();
    if (text.size() > kLimit - arena_.size()) {
        compact();
        if (text.size() > kLimit - arena_.size())
            automation::raiseStandardError(automation::error_number::kOutOfMemory);
    }
    payload = textPayload(arena_.size(), text.size());
    arena_.insert(arena_.end(), text.begin(), text.end());
    remember(columns_[size_t(column)].recent, payload, hash);
    return payload;
}

bool CellStore::findRecentIn(const std::vector<char16_t>& arena, const RecentTexts& recent, TextView text,
                             uint64_t hash, uint64_t& payload) {
    for (size_t i = 0; i < recent.count; ++i) {
        const uint64_t candidate = recent.payloads[i];
        if (recent.hashes[i] == hash && textLength(candidate) == text.size() &&
            TextView(arena.data() + textOffset(candidate), text.size()) == text) {
            payload = candidate;
            return true;
        }
    }
    return false;
}

void CellStore::remember(RecentTexts& recent, uint64_t payload, uint64_t hash) {
    recent.payloads[recent.next] = payload;
    recent.hashes[recent.next] = hash;
    recent.next = (recent.next + 1) % kRecentTexts;
    recent.count = std::min(recent.count + 1, kRecentTexts);
}

}  // namespace orv::ui
