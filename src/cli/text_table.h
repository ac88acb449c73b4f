// A table printed as text: each column as wide as its widest cell, two spaces between columns,
// numbers aligned to the right and words to the left.
#pragma once

#include <ostream>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace cli {

struct TableColumn {
  std::string_view title;
  bool align_left;
};

void PrintTable(std::ostream& out, std::span<const TableColumn> columns,
                const std::vector<std::vector<std::string>>& rows);

}  // namespace cli
