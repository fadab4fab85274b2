#include "ui/table/tab_separated_text.h"

namespace orv::ui {

using automation::Text;
using automation::TextView;

namespace {

bool needsQuotes(const Text& cell) {
    return cell.find_first_of(u"\t\r\n\"") != Text::npos;
}

}  // namespace

Text writeTabSeparated(const TextRows& rows) {
    Text out;
    for (const auto& row : rows) {
        for (size_t i = 0; i < row.size(); ++i) {
            if (i > 0) out += u'\t';
            if (!needsQuotes(row[i])) {
                out += row[i];
                continue;
            }
            out += u'"';
            for (char16_t c : row[i]) {
                if (c == u'"') out += u'"';
                out += c;
            }
            out += u'"';
        }
        out += u"\r\n";
    }
    return out;
}

TextRows readTabSeparated(TextView text) {
    TextRows rows;
    std::vector<Text> row;
    Text cell;
    bool cellStarted = false;
    size_t i = 0;
    auto endRow = [&] {
        row.push_back(std::move(cell));
        rows.push_back(std::move(row));
        row.clear();
        cell.clear();
        cellStarted = false;
    };
    while (i < text.size()) {
        char16_t c = text[i];
        if (c == u'"' && !cellStarted && cell.empty()) {
            // A quoted cell runs to the quote that is not doubled.
            ++i;
            while (i < text.size()) {
                if (text[i] == u'"') {
                    if (i + 1 < text.size() && text[i + 1] == u'"') {
                        cell += u'"';
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                cell += text[i++];
            }
            cellStarted = true;
            continue;
        }
        if (c == u'\t') {
            row.push_back(std::move(cell));
            cell.clear();
            cellStarted = false;
            ++i;
        } else if (c == u'\r' || c == u'\n') {
            endRow();
            i += (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') ? 2 : 1;
        } else {
            cell += c;
            cellStarted = true;
            ++i;
        }
    }
    if (cellStarted || !row.empty()) endRow();
    return rows;
}

}  // namespace orv::ui
