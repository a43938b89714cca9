#pragma once

// How lout-design prints its reports: a table for people, CSV and JSON for
// other programs (fields named in plain ASCII, numbers in full precision,
// an absent readout empty or null).
#include "tools/design_report.h"

#include <string>
#include <vector>

namespace lout {

enum class ReportFormat { Table, Csv, Json };

// One model: a caption and text per line (table), a header and a row
// (csv), one object (json).
std::string formatReport(const CoreReport& report, ReportFormat format);
// Many models: one line each under a header (table, csv), an array (json).
std::string formatReports(const std::vector<CoreReport>& reports, ReportFormat format);

} // namespace lout
