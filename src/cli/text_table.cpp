#include "cli/text_table.h"

#include <algorithm>

namespace cli {
namespace {

constexpr std::string_view kGap = "  ";

void PrintRow(std::ostream& out, std::span<const TableColumn> columns,
              std::span<const std::size_t> widths, std::span<const std::string> cells) {
  std::string line;
  for (std::size_t c = 0; c < columns.size(); ++c) {
    const std::string_view cell = c < cells.size() ? std::string_view(cells[c]) : "";
    const std::string padding(widths[c] - std::min(widths[c], cell.size()), ' ');
    if (c > 0) line += kGap;
    line += columns[c].align_left ? std::string(cell) + padding : padding + std::string(cell);
  }
  // Trailing spaces would only make the lines differ where nothing can be seen.
  line.erase(line.find_last_not_of(' ') + 1);
  out << line << '\n';
}

}  // namespace

void PrintTable(std::ostream& out, std::span<const TableColumn> columns,
                const std::vector<std::vector<std::string>>& rows) {
  std::vector<std::size_t> widths;
  for (const TableColumn& column : columns)
    widths.push_back(column.title.size());
  for (const std::vector<std::string>& row : rows) {
    for (std::size_t c = 0; c < std::min(row.size(), widths.size()); ++c) {
      widths[c] = std::max(widths[c], row[c].size());
    }
  }
  std::vector<std::string> titles;
  for (const TableColumn& column : columns)
    titles.emplace_back(column.title);
  PrintRow(out, columns, widths, titles);
  for (const std::vector<std::string>& row : rows)
    PrintRow(out, columns, widths, row);
}

}  // namespace cli
