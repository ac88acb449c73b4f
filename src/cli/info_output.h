// The two forms of "info": a text of tables for people, and the same facts as JSON.
#pragma once

#include <ostream>

#include "cli/info_report.h"
#include "cli/json.h"

namespace cli {

void PrintReport(std::ostream& out, const LevelSetReport& report);
void PrintReport(std::ostream& out, const ColourReport& report);
void PrintReport(std::ostream& out, const TextReport& report);
void PrintReport(std::ostream& out, const ProgramReport& report);

JsonValue ReportJson(const LevelSetReport& report);
JsonValue ReportJson(const ColourReport& report);
JsonValue ReportJson(const TextReport& report);
JsonValue ReportJson(const ProgramReport& report);

}  // namespace cli
