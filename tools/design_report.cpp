#include "tools/design_report.h"

#include "design/number_text.h"
#include "jet/text.h"
#include "tools/csv.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <functional>
#include <optional>

namespace lout {

namespace {

constexpr std::size_t kModelNameColumn = 0;
constexpr std::size_t kFirstDimensionColumn = 2;
constexpr double milliohmsPerOhm = 1000;
constexpr const char* kAbsent = "--";

// One value of a report as the machine formats carry it.
struct Value {
    enum class Kind { Text, Number, Truth } kind;
    std::string text;
};

Value textOf(const std::string& text) { return {Value::Kind::Text, text}; }

// The shortest decimal text that reads back as the same double.
Value numberOf(double number)
{
    char buffer[32];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, number).ptr;
    return {Value::Kind::Number, std::string(buffer, end)};
}

template <typename T, typename Get>
std::optional<Value> numberIn(const std::optional<T>& readout, Get get)
{
    return readout ? std::optional<Value>(numberOf(get(*readout))) : std::nullopt;
}

// A report with its six result texts, worked out once for all its fields.
struct ShownReport {
    const CoreReport& report;
    std::array<std::string, 6> results;
};

struct Field {
    const char* name;
    std::function<std::optional<Value>(const ShownReport&)> value;
};

// The fields of a report in the machine formats, in their order.
const std::vector<Field>& fields()
{
    static const std::vector<Field> all = [] {
        std::vector<Field> f{{"model", [](const ShownReport& s) { return std::optional(textOf(s.report.model)); }}};
        const char* const resultNames[] = {"inductance", "turns", "gap", "diameter", "strands", "dummy_load"};
        for (std::size_t i = 0; i < std::size(resultNames); ++i)
            f.push_back({resultNames[i], [i](const ShownReport& s) { return std::optional(textOf(s.results[i])); }});
        using Fit = WindingFit;
        using Gap = FringedGap;
        using Copper = WindingCopper;
        f.push_back({"window_area_mm2", [](const ShownReport& s) { return numberIn(s.report.readouts.windowArea, [](double a) { return a; }); }});
        f.push_back({"turns_per_column", [](const ShownReport& s) { return numberIn(s.report.readouts.fit, [](const Fit& x) { return x.turnsPerColumn; }); }});
        f.push_back({"columns", [](const ShownReport& s) { return numberIn(s.report.readouts.fit, [](const Fit& x) { return x.columns; }); }});
        f.push_back({"turns_held", [](const ShownReport& s) { return numberIn(s.report.readouts.fit, [](const Fit& x) { return x.turnsHeld; }); }});
        f.push_back({"turns_needed", [](const ShownReport& s) { return numberIn(s.report.readouts.fit, [](const Fit& x) { return x.turnsNeeded; }); }});
        f.push_back({"fits", [](const ShownReport& s) {
                         return s.report.readouts.fit ? std::optional(Value{Value::Kind::Truth, s.report.readouts.fit->fits ? "true" : "false"})
                                               : std::nullopt;
                     }});
        f.push_back({"utilisation", [](const ShownReport& s) { return numberIn(s.report.readouts.fit, [](const Fit& x) { return x.utilisation; }); }});
        f.push_back({"winding_depth_mm", [](const ShownReport& s) {
                         return s.report.readouts.fit ? numberIn(s.report.readouts.fit->windingDepth, [](double d) { return d; }) : std::nullopt;
                     }});
        f.push_back({"corrected_gap_mm", [](const ShownReport& s) { return numberIn(s.report.readouts.fringedGap, [](const Gap& x) { return x.gap; }); }});
        f.push_back({"fringing_factor", [](const ShownReport& s) { return numberIn(s.report.readouts.fringedGap, [](const Gap& x) { return x.fringingFactor; }); }});
        f.push_back({"mean_turn_length_mm", [](const ShownReport& s) { return numberIn(s.report.readouts.copper, [](const Copper& x) { return x.meanTurnLength; }); }});
        f.push_back({"resistance_20c_ohm", [](const ShownReport& s) { return numberIn(s.report.readouts.copper, [](const Copper& x) { return x.resistanceAt20C; }); }});
        f.push_back({"resistance_100c_ohm", [](const ShownReport& s) { return numberIn(s.report.readouts.copper, [](const Copper& x) { return x.resistanceAt100C; }); }});
        f.push_back({"copper_loss_w", [](const ShownReport& s) { return numberIn(s.report.readouts.copper, [](const Copper& x) { return x.loss; }); }});
        return f;
    }();
    return all;
}

std::string csvHeader()
{
    std::string line;
    for (const Field& field : fields())
        line += (line.empty() ? "" : ",") + std::string(field.name);
    return line + "\n";
}

std::string csvRow(const CoreReport& report)
{
    const ShownReport shown{report, report.results()};
    std::string line;
    bool first = true;
    for (const Field& field : fields()) {
        if (!first)
            line += ',';
        first = false;
        if (const std::optional<Value> value = field.value(shown))
            line += value->kind == Value::Kind::Text ? csv::formatField(value->text) : value->text;
    }
    return line + "\n";
}

std::string jsonString(const std::string& text)
{
    std::string out = "\"";
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (byte < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", byte);
            out += escaped;
        } else {
            out += c;
        }
    }
    return out + "\"";
}

std::string jsonObject(const CoreReport& report, const std::string& indent)
{
    const ShownReport shown{report, report.results()};
    std::string out = indent + "{";
    bool first = true;
    for (const Field& field : fields()) {
        out += (first ? "\n" : ",\n") + indent + "  " + jsonString(field.name) + ": ";
        first = false;
        const std::optional<Value> value = field.value(shown);
        out += !value ? "null" : value->kind == Value::Kind::Text ? jsonString(value->text) : value->text;
    }
    return out + "\n" + indent + "}";
}

// Columns a terminal gives a text: two for the characters of East Asian
// scripts and full-width forms, one for the others.
std::size_t displayWidth(const std::string& text)
{
    std::size_t width = 0;
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const std::size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        char32_t code = length == 1 ? lead : lead & (0x3F >> (length - 1));
        for (std::size_t k = 1; k < length && i + k < text.size(); ++k)
            code = (code << 6) | (static_cast<unsigned char>(text[i + k]) & 0x3F);
        const bool wide = (code >= 0x1100 && code <= 0x115F) || (code >= 0x2E80 && code <= 0xA4CF)
                          || (code >= 0xAC00 && code <= 0xD7A3) || (code >= 0xF900 && code <= 0xFAFF)
                          || (code >= 0xFE30 && code <= 0xFE4F) || (code >= 0xFF00 && code <= 0xFF60)
                          || (code >= 0xFFE0 && code <= 0xFFE6);
        width += wide ? 2 : 1;
        i += length;
    }
    return width;
}

template <typename T, typename Show>
std::string shownOr(const std::optional<T>& readout, Show show)
{
    return readout ? show(*readout) : kAbsent;
}

// The columns of the many-model table.
struct TableColumn {
    const char* caption;
    std::function<std::string(const ShownReport&)> cell;
};

const std::vector<TableColumn>& tableColumns()
{
    static const std::vector<TableColumn> columns = {
        {"型号", [](const ShownReport& s) { return s.report.model; }},
        {"匝数", [](const ShownReport& s) { return s.results[1]; }},
        {"气隙", [](const ShownReport& s) { return s.results[2]; }},
        {"修正气隙", [](const ShownReport& s) { return shownOr(s.report.readouts.fringedGap, [](const FringedGap& g) { return formatFixed(g.gap, 2) + " mm"; }); }},
        {"边缘系数", [](const ShownReport& s) { return shownOr(s.report.readouts.fringedGap, [](const FringedGap& g) { return formatFixed(g.fringingFactor, 2); }); }},
        {"可绕匝数", [](const ShownReport& s) { return shownOr(s.report.readouts.fit, [](const WindingFit& f) { return formatWhole(f.turnsHeld); }); }},
        {"绕得下", [](const ShownReport& s) { return shownOr(s.report.readouts.fit, [](const WindingFit& f) { return std::string(f.fits ? "是" : "否"); }); }},
        {"利用系数", [](const ShownReport& s) { return shownOr(s.report.readouts.fit, [](const WindingFit& f) { return formatFixed(f.utilisation, 2); }); }},
        {"电阻(100 °C)", [](const ShownReport& s) { return shownOr(s.report.readouts.copper, [](const WindingCopper& c) { return formatFixed(c.resistanceAt100C * milliohmsPerOhm, 1) + " mΩ"; }); }},
        {"铜损", [](const ShownReport& s) { return shownOr(s.report.readouts.copper, [](const WindingCopper& c) { return formatFixed(c.loss, 2) + " W"; }); }},
    };
    return columns;
}

std::string tableOf(const std::vector<CoreReport>& reports)
{
    const std::vector<TableColumn>& columns = tableColumns();
    std::vector<std::vector<std::string>> cells(reports.size() + 1);
    for (const TableColumn& column : columns)
        cells[0].push_back(column.caption);
    for (std::size_t r = 0; r < reports.size(); ++r) {
        const ShownReport shown{reports[r], reports[r].results()};
        for (const TableColumn& column : columns)
            cells[r + 1].push_back(column.cell(shown));
    }
    std::vector<std::size_t> widths(columns.size(), 0);
    for (const auto& line : cells)
        for (std::size_t c = 0; c < line.size(); ++c)
            widths[c] = std::max(widths[c], displayWidth(line[c]));
    std::string out;
    for (const auto& line : cells) {
        std::string text;
        for (std::size_t c = 0; c < line.size(); ++c) {
            text += line[c];
            if (c + 1 < line.size())
                text += std::string(widths[c] - displayWidth(line[c]) + 2, ' ');
        }
        out += text + "\n";
    }
    return out;
}

} // namespace

CoreDimensions coreDimensionsOf(const CoreRecordSet& set, std::size_t row)
{
    const std::vector<FieldValue>& cells = set.row(row);
    CoreDimensions core{textValue(cells.at(kModelNameColumn)), {}};
    for (std::size_t i = 0; i < core.millimetres.size(); ++i)
        core.millimetres[i] = numericValue(cells.at(kFirstDimensionColumn + i));
    return core;
}

DesignReporter::DesignReporter(const CoreRecordSet& set, const std::string& file, const EnteredInputs& inputs)
    : set_(set), file_(file), inputs_(inputs)
{
    const std::vector<std::string>& names = set.columnNames();
    const auto area = std::find_if(names.begin(), names.end(),
                                   [](const std::string& name) { return jet::sameNameIgnoringAsciiCase(name, "Co_Ae"); });
    if (area == names.end())
        throw catalogue_errors::columnMissing(file, "Co_Ae");
    areaColumn_ = static_cast<std::size_t>(area - names.begin());
    started_ = startedWindow(areaOf(kStartUpModelRow));
}

float DesignReporter::areaOf(std::size_t row) const
{
    return coreAreaOf(set_.row(row).at(areaColumn_), file_);
}

CoreReport DesignReporter::report(std::size_t row) const
{
    const ShownDesign shown = afterEntering(started_, areaOf(row), inputs_);
    const CoreDimensions core = coreDimensionsOf(set_, row);
    const CurrentResults current = shown.current();
    return {core.modelName.value_or(std::string()), shown.state, current, readoutsOf(core, shown.state, current)};
}

std::vector<CoreReport> DesignReporter::reportAll() const
{
    std::vector<CoreReport> reports;
    reports.reserve(set_.rowCount());
    for (std::size_t row = 0; row < set_.rowCount(); ++row)
        reports.push_back(report(row));
    return reports;
}

std::vector<CoreReport> fittingCores(std::vector<CoreReport> reports)
{
    std::erase_if(reports, [](const CoreReport& r) { return !(r.readouts.fit && r.readouts.fit->fits); });
    std::stable_sort(reports.begin(), reports.end(), [](const CoreReport& a, const CoreReport& b) {
        return *a.readouts.windowArea < *b.readouts.windowArea;
    });
    return reports;
}

std::string formatReport(const CoreReport& report, ReportFormat format)
{
    switch (format) {
    case ReportFormat::Csv:
        return csvHeader() + csvRow(report);
    case ReportFormat::Json:
        return jsonObject(report, "") + "\n";
    case ReportFormat::Table:
        break;
    }
    const char* const captions[] = {"滤波电感", "绕组圈数", "磁芯间隙", "最佳线径", "导线股数", "死负载"};
    std::string out = "磁芯型号：" + report.model + "\n";
    const std::array<std::string, 6> results = report.results();
    for (std::size_t i = 0; i < results.size(); ++i)
        out += std::string(captions[i]) + "：" + results[i] + "\n";
    out += "窗口绕线：" + windingFitText(report.readouts.fit) + "\n";
    out += "边缘磁通：" + fringedGapText(report.readouts.fringedGap) + "\n";
    out += "绕组铜损：" + copperText(report.readouts.copper) + "\n";
    return out;
}

std::string formatReports(const std::vector<CoreReport>& reports, ReportFormat format)
{
    switch (format) {
    case ReportFormat::Csv: {
        std::string out = csvHeader();
        for (const CoreReport& report : reports)
            out += csvRow(report);
        return out;
    }
    case ReportFormat::Json: {
        std::string out = "[";
        for (std::size_t i = 0; i < reports.size(); ++i)
            out += (i ? ",\n" : "\n") + jsonObject(reports[i], "  ");
        return out + (reports.empty() ? "]\n" : "\n]\n");
    }
    case ReportFormat::Table:
        break;
    }
    return tableOf(reports);
}

} // namespace lout
