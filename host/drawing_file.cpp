#include "drawing_file.h"

#include <windows.h>

#include <algorithm>
#include <charconv>
#include <fstream>
#include <sstream>
#include <system_error>

namespace orv::host {

namespace {

constexpr std::string_view kSignature = "ORV-DIBUJO 1";

enum class Section { None, Layers, Points, Polylines };

std::vector<std::string_view> split(std::string_view line, char separator) {
    std::vector<std::string_view> fields;
    for (size_t start = 0;;) {
        const size_t end = line.find(separator, start);
        fields.push_back(line.substr(start, end == std::string_view::npos ? end : end - start));
        if (end == std::string_view::npos) return fields;
        start = end + 1;
    }
}

class LineReader {
  public:
    explicit LineReader(int line) : line_(line) {}

    [[noreturn]] void fail(const std::string& reason) const { throw DrawingFileError(line_, reason); }

    template <class Number>
    Number number(std::string_view field, const char* what) const {
        Number value{};
        const auto [end, error] = std::from_chars(field.data(), field.data() + field.size(), value);
        if (field.empty() || error != std::errc() || end != field.data() + field.size())
            fail(std::string(what) + " no es un número: \"" + std::string(field) + "\"");
        return value;
    }

    void expectFields(const std::vector<std::string_view>& fields, size_t count, const char* record) const {
        if (fields.size() != count)
            fail(std::string(record) + " lleva " + std::to_string(count) +
                 " campos separados por tabuladores, no " + std::to_string(fields.size()));
    }

  private:
    int line_;
};

int32_t colourOf(const LineReader& reader, std::string_view field) {
    if (field.size() != 7 || field[0] != '#')
        reader.fail("el color no es #RRGGBB: \"" + std::string(field) + "\"");
    uint32_t rgb = 0;
    const auto [end, error] = std::from_chars(field.data() + 1, field.data() + 7, rgb, 16);
    if (error != std::errc() || end != field.data() + 7)
        reader.fail("el color no es #RRGGBB: \"" + std::string(field) + "\"");
    return static_cast<int32_t>(((rgb >> 16) & 0xFF) | (rgb & 0xFF00) | ((rgb & 0xFF) << 16));
}

void readLayer(const LineReader& reader, std::string_view line, Drawing& drawing) {
    const auto fields = split(line, '\t');
    reader.expectFields(fields, 2, "una capa");
    if (reader.number<int32_t>(fields[0], "el número de capa") !=
        static_cast<int32_t>(drawing.layers.size()) + 1)
        reader.fail("las capas se numeran 1, 2, 3... en orden");
    if (drawing.layers.size() >= 32767) reader.fail("más de 32767 capas");
    drawing.layers.push_back(widen(fields[1]));
}

void readPoint(const LineReader& reader, std::string_view line, Drawing& drawing) {
    const auto fields = split(line, '\t');
    reader.expectFields(fields, 7, "un punto");
    if (reader.number<int32_t>(fields[0], "el número de punto") != drawing.pointCount() + 1)
        reader.fail("los puntos se numeran 1, 2, 3... en orden");
    SurveyPoint point;
    point.name = widen(fields[1]);
    point.x = reader.number<double>(fields[2], "X");
    point.y = reader.number<double>(fields[3], "Y");
    point.z = reader.number<double>(fields[4], "Z");
    point.code = widen(fields[5]);
    point.layer = reader.number<int16_t>(fields[6], "la capa");
    if (point.layer < 0 || point.layer > static_cast<int32_t>(drawing.layers.size()))
        reader.fail("la capa " + std::to_string(point.layer) + " no está en [capas]");
    drawing.points.push_back(std::move(point));
}

void readPolyline(const LineReader& reader, std::string_view line, Drawing& drawing) {
    const auto fields = split(line, '\t');
    reader.expectFields(fields, 3, "una polilínea");
    Polyline polyline;
    polyline.layer = reader.number<int16_t>(fields[0], "la capa");
    if (polyline.layer < 1 || polyline.layer > static_cast<int32_t>(drawing.layers.size()))
        reader.fail("la capa " + std::to_string(polyline.layer) + " no está en [capas]");
    polyline.colour = colourOf(reader, fields[1]);
    for (std::string_view field : split(fields[2], ' ')) {
        if (field.empty()) continue;
        const auto number = reader.number<int32_t>(field, "un vértice");
        if (!drawing.hasPoint(number))
            reader.fail("el punto " + std::to_string(number) + " no está en [puntos]");
        polyline.points.push_back(number);
    }
    if (polyline.points.size() < 2) reader.fail("una polilínea necesita al menos dos vértices");
    drawing.polylines.push_back(std::move(polyline));
}

std::string colourText(int32_t colour) {
    char text[8];
    const auto value = static_cast<uint32_t>(colour);
    std::snprintf(text, sizeof text, "#%02X%02X%02X", value & 0xFF, (value >> 8) & 0xFF,
                  (value >> 16) & 0xFF);
    return text;
}

// The shortest text that reads back as the same double.
std::string numberText(double value) {
    char text[32];
    const auto result = std::to_chars(text, text + sizeof text, value);
    return std::string(text, result.ptr);
}

// A field may hold anything but the separators.
std::string fieldText(const std::wstring& text) {
    std::string field = narrow(text);
    for (char& c : field)
        if (c == '\t' || c == '\n' || c == '\r') c = ' ';
    return field;
}

}  // namespace

DrawingFileError::DrawingFileError(int line, const std::string& reason)
    : std::runtime_error(line > 0 ? "línea " + std::to_string(line) + ": " + reason : reason), line_(line) {}

Drawing parseDrawing(std::string_view text) {
    Drawing drawing;
    Section section = Section::None;
    int number = 0;
    size_t start = 0;
    do {
        const size_t end = std::min(text.find('\n', start), text.size());
        std::string_view line = text.substr(start, end - start);
        start = end + 1;
        const LineReader reader(++number);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (number == 1) {
            if (line.starts_with("\xEF\xBB\xBF")) line.remove_prefix(3);
            if (line != kSignature)
                reader.fail("no es un dibujo: la primera línea debe ser \"ORV-DIBUJO 1\"");
            continue;
        }
        if (line.empty() || line.front() == '#') continue;
        if (line == "[capas]")
            section = Section::Layers;
        else if (line == "[puntos]")
            section = Section::Points;
        else if (line == "[polil\xC3\xADneas]")
            section = Section::Polylines;
        else if (line.front() == '[')
            reader.fail("sección desconocida " + std::string(line));
        else if (section == Section::Layers)
            readLayer(reader, line, drawing);
        else if (section == Section::Points)
            readPoint(reader, line, drawing);
        else if (section == Section::Polylines)
            readPolyline(reader, line, drawing);
        else
            reader.fail("un registro antes de la primera sección");
    } while (start < text.size());
    return drawing;
}

std::string formatDrawing(const Drawing& drawing) {
    std::string out;
    out.reserve(drawing.points.size() * 64 + drawing.polylines.size() * 32);
    out += std::string(kSignature) + "\n[capas]\n";
    for (size_t k = 0; k < drawing.layers.size(); ++k)
        out += std::to_string(k + 1) + "\t" + fieldText(drawing.layers[k]) + "\n";
    out += "[puntos]\n";
    for (size_t p = 0; p < drawing.points.size(); ++p) {
        const SurveyPoint& point = drawing.points[p];
        out += std::to_string(p + 1) + "\t" + fieldText(point.name) + "\t" + numberText(point.x) + "\t" +
               numberText(point.y) + "\t" + numberText(point.z) + "\t" + fieldText(point.code) + "\t" +
               std::to_string(point.layer) + "\n";
    }
    out += "[polil\xC3\xADneas]\n";
    for (const Polyline& polyline : drawing.polylines) {
        out += std::to_string(polyline.layer) + "\t" + colourText(polyline.colour) + "\t";
        for (size_t i = 0; i < polyline.points.size(); ++i) {
            if (i) out += ' ';
            out += std::to_string(polyline.points[i]);
        }
        out += "\n";
    }
    return out;
}

Drawing readDrawingFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw DrawingFileError(0, "no se puede abrir " + narrow(path.wstring()));
    std::ostringstream text;
    text << in.rdbuf();
    return parseDrawing(text.str());
}

void writeDrawingFile(const std::filesystem::path& path, const Drawing& drawing) {
    const std::string text = formatDrawing(drawing);
    std::filesystem::path temporary = path;
    temporary += L".tmp";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        out.write(text.data(), static_cast<std::streamsize>(text.size()));
        out.flush();
        if (!out) {
            out.close();
            DeleteFileW(temporary.c_str());
            throw DrawingFileError(0, "no se puede escribir " + narrow(temporary.wstring()));
        }
    }
    if (!MoveFileExW(temporary.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        DeleteFileW(temporary.c_str());
        throw DrawingFileError(0, "no se puede reemplazar " + narrow(path.wstring()));
    }
}

std::wstring widen(std::string_view utf8) {
    if (utf8.empty()) return {};
    const int size = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring text(static_cast<size_t>(size), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), text.data(), size);
    return text;
}

std::string narrow(std::wstring_view text) {
    if (text.empty()) return {};
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0,
                                         nullptr, nullptr);
    std::string utf8(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), utf8.data(), size, nullptr,
                        nullptr);
    return utf8;
}

}  // namespace orv::host
