#pragma once
// Rows of cells as the clipboard carries them between spreadsheets: cells separated by tabs, rows by line
// ends, and a cell that holds a tab, a line end or a quote written in quotes (a quote inside doubled).
#include <vector>

#include "automation/text.h"

namespace orv::ui {

using TextRows = std::vector<std::vector<automation::Text>>;

// Every row ends with CR LF, as spreadsheets write it.
automation::Text writeTabSeparated(const TextRows& rows);
// Reads LF, CR LF or CR line ends; a final line end adds no empty row.
TextRows readTabSeparated(automation::TextView text);

}  // namespace orv::ui
