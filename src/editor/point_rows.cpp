#include "editor/point_rows.h"

#include <algorithm>
#include <limits>

#include "automation/standard_errors.h"
#include "editor/array_elements.h"

namespace orv::editor {

namespace {

using automation::Text;
using automation::TextView;
using automation::Value;

// The columns a record answers for, as the fill writes them.
constexpr int32_t kVertexColumn = 0, kPointColumn = 1, kNameColumn = 2, kXColumn = 3, kCodeColumn = 6,
                  kLayerColumn = 7;

// The place of a text column among a frozen record's three texts; -1 for another column.
int textIndex(int32_t column) {
    return column == kNameColumn ? 0 : column == kCodeColumn ? 1 : column == kLayerColumn ? 2 : -1;
}

}  // namespace

PointRows::PointRows(const automation::DoubleArray& X, const automation::DoubleArray& Y,
                     const automation::DoubleArray& Z, const automation::TextArray& Nombre,
                     const automation::TextArray& Código, const automation::IntegerArray& CapaPuntos,
                     const automation::TextArray& Capas)
    : X_(X), Y_(Y), Z_(Z), Nombre_(Nombre), Código_(Código), CapaPuntos_(CapaPuntos), Capas_(Capas) {}

void PointRows::fill(const int32_t* points, int32_t count) {
    points_.assign(points, points + std::max(count, 0));
    ++fills_;
    frozen_ = false;
    coordinates_.clear();
    places_.clear();
    texts_.clear();
}

std::pair<int64_t, int64_t> PointRows::covered() const {
    int64_t first = 1, last = std::numeric_limits<int32_t>::max();
    auto within = [&](const auto& elements) {
        first = std::max(first, elements.first());
        last = std::min(last, elements.last());
    };
    within(ArrayElements<double>(X_));
    within(ArrayElements<double>(Y_));
    within(ArrayElements<double>(Z_));
    within(ArrayElements<Text>(Nombre_));
    within(ArrayElements<Text>(Código_));
    within(ArrayElements<int16_t>(CapaPuntos_));
    return {first, last};
}

void PointRows::freeze(ui::Toolkit& toolkit) {
    while (!frozen_)
        if (copy(toolkit)) frozen_ = true;
}

bool PointRows::copy(ui::Toolkit& toolkit) {
    // Nothing changes the arrays before the records are frozen, so a yield that let handlers run leaves them
    // as they were, unless one of those handlers froze the records (the copy is then made) or filled the
    // table anew (the copy starts over).
    const uint64_t fill = fills_;
    std::vector<double> coordinates(3 * points_.size());
    std::vector<TextPlaces> places(points_.size());
    std::vector<char16_t> texts;
    const ArrayElements<double> X(X_), Y(Y_), Z(Z_);
    const ArrayElements<Text> Nombre(Nombre_), Código(Código_), Capas(Capas_);
    const ArrayElements<int16_t> CapaPuntos(CapaPuntos_);
    // A layer's name is copied once, however many rows show it.
    std::vector<std::optional<std::pair<uint32_t, uint32_t>>> layers(
        Capas.last() >= Capas.first() ? size_t(Capas.last() - Capas.first() + 1) : 0);
    auto keep = [&texts](TextView text, uint32_t* place) {
        if (text.size() > std::numeric_limits<uint32_t>::max() - texts.size())
            automation::raiseStandardError(automation::error_number::kOutOfMemory);
        place[0] = static_cast<uint32_t>(texts.size());
        place[1] = static_cast<uint32_t>(text.size());
        texts.insert(texts.end(), text.begin(), text.end());
    };
    const auto [first, last] = covered();
    // Sized once: a copy that grew as it went would move its texts again and again.
    size_t units = 0;
    for (const int32_t p : points_)
        if (p >= first && p <= last) units += Nombre.text(p).size() + Código.text(p).size();
    texts.reserve(units + 64);
    constexpr size_t kRecordsBetweenYields = 4096;
    for (size_t k = 0; k < points_.size(); ++k) {
        if (k % kRecordsBetweenYields == kRecordsBetweenYields - 1) {
            toolkit.yieldWhenDue();
            if (frozen_) return true;
            if (fills_ != fill) return false;
        }
        const int32_t p = points_[k];
        TextPlaces& copy = places[k];
        // A record no row stands for (its point is no subscript of the arrays) keeps nothing.
        if (p < first || p > last) continue;
        coordinates[3 * k] = X(p);
        coordinates[3 * k + 1] = Y(p);
        coordinates[3 * k + 2] = Z(p);
        keep(Nombre.text(p), copy.text[0]);
        keep(Código.text(p), copy.text[1]);
        const int16_t capa = CapaPuntos(p);
        if (!Capas.contains(capa)) continue;
        auto& layer = layers[size_t(capa - Capas.first())];
        if (!layer) {
            keep(Capas.text(capa), copy.text[2]);
            layer.emplace(copy.text[2][0], copy.text[2][1]);
        }
        copy.text[2][0] = layer->first;
        copy.text[2][1] = layer->second;
    }
    coordinates_ = std::move(coordinates);
    places_ = std::move(places);
    texts_ = std::move(texts);
    return true;
}

std::optional<TextView> PointRows::liveText(int32_t p, int32_t column) const {
    if (!covers(p)) return std::nullopt;
    if (column == kNameColumn) return Nombre_.view(p);
    if (column == kCodeColumn) return Código_.view(p);
    // A layer the list has no name for shows none.
    const int16_t capa = CapaPuntos_(p);
    return Capas_.contains(capa) ? Capas_.view(capa) : TextView();
}

std::optional<TextView> PointRows::frozenText(int32_t record, int32_t column) const {
    const uint32_t* place = places_[size_t(record)].text[textIndex(column)];
    return TextView(texts_.data() + place[0], place[1]);
}

std::optional<TextView> PointRows::textView(int32_t record, int32_t column) const {
    if (record < 0 || size_t(record) >= points_.size() || textIndex(column) < 0) return std::nullopt;
    return frozen_ ? frozenText(record, column) : liveText(points_[size_t(record)], column);
}

std::optional<int32_t> PointRows::longCell(int32_t record, int32_t column) const {
    if (record < 0 || size_t(record) >= points_.size()) return std::nullopt;
    if (column == kVertexColumn) return record + 1;
    if (column == kPointColumn) return points_[size_t(record)];
    return std::nullopt;
}

Value PointRows::cell(int32_t record, int32_t column) const {
    if (const std::optional<int32_t> number = longCell(record, column)) return *number;
    if (const std::optional<TextView> text = textView(record, column)) return Text(*text);
    if (record < 0 || size_t(record) >= points_.size() || column < kXColumn || column > kXColumn + 2)
        return Value();
    const int32_t p = points_[size_t(record)];
    if (frozen_) {
        return coordinate(record, column);
    }
    if (!covers(p)) return Value();
    const automation::DoubleArray& array = column == kXColumn ? X_ : column == kXColumn + 1 ? Y_ : Z_;
    return array(p);
}

}  // namespace orv::editor
