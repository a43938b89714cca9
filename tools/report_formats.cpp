#include "tools/report_formats.h"

#include "design/text/number_text.h"
#include "tools/csv.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <optional>

namespace lout {

namespace {

constexpr double milliohmsPerOhm = 1000;
constexpr const char* kAbsent = "--";

// One value of a report as the machine formats carry it.
struct Value {
    enum class Kind { Text, Number, Truth } kind;
    std::string text;
};
using Field = std::optional<Value>; // empty where the report has no such value

Field textOf(const std::string& text) { return Value{Value::Kind::Text, text}; }

// The shortest decimal text that reads back as the same double.
Field numberOf(double number)
{
    char buffer[32];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, number).ptr;
    return Value{Value::Kind::Number, std::string(buffer, end)};
}

// A value of a readout, or nothing without the readout.
template <typename Readout, typename Get>
Field numberIn(const std::optional<Readout>& readout, Get get)
{
    return readout ? numberOf(get(*readout)) : std::nullopt;
}

// The fields of the machine formats, in their order.
constexpr const char* kFieldNames[] = {
    "model", "inductance", "turns", "gap", "diameter", "strands", "dummy_load", "window_area_mm2",
    "turns_per_column", "columns", "turns_held", "turns_needed", "fits", "utilisation", "winding_depth_mm",
    "corrected_gap_mm", "fringing_factor", "mean_turn_length_mm", "resistance_20c_ohm", "resistance_100c_ohm",
    "copper_loss_w"};
using Fields = std::array<Field, std::size(kFieldNames)>;

Fields fieldsOf(const CoreReport& report)
{
    const std::array<std::string, 6> results = report.results();
    const std::optional<WindingFit>& fit = report.readouts.fit;
    const std::optional<FringedGap>& gap = report.readouts.fringedGap;
    const std::optional<WindingCopper>& copper = report.readouts.copper;
    const Field fits = fit ? Field(Value{Value::Kind::Truth, fit->fits ? "true" : "false"}) : std::nullopt;
    const Field depth = fit ? numberIn(fit->windingDepth, [](double d) { return d; }) : std::nullopt;
    return {textOf(report.model), textOf(results[0]), textOf(results[1]), textOf(results[2]), textOf(results[3]),
            textOf(results[4]), textOf(results[5]), numberIn(report.readouts.windowArea, [](double a) { return a; }),
            numberIn(fit, [](const WindingFit& f) { return f.turnsPerColumn; }),
            numberIn(fit, [](const WindingFit& f) { return f.columns; }),
            numberIn(fit, [](const WindingFit& f) { return f.turnsHeld; }),
            numberIn(fit, [](const WindingFit& f) { return f.turnsNeeded; }), fits,
            numberIn(fit, [](const WindingFit& f) { return f.utilisation; }), depth,
            numberIn(gap, [](const FringedGap& g) { return g.gap; }),
            numberIn(gap, [](const FringedGap& g) { return g.fringingFactor; }),
            numberIn(copper, [](const WindingCopper& c) { return c.meanTurnLength; }),
            numberIn(copper, [](const WindingCopper& c) { return c.resistanceAt20C; }),
            numberIn(copper, [](const WindingCopper& c) { return c.resistanceAt100C; }),
            numberIn(copper, [](const WindingCopper& c) { return c.loss; })};
}

std::string csvHeader()
{
    std::string line;
    for (const char* name : kFieldNames) {
        if (!line.empty())
            line += ',';
        line += name;
    }
    line += '\n';
    return line;
}

std::string csvRow(const CoreReport& report)
{
    std::string line;
    bool first = true;
    for (const Field& field : fieldsOf(report)) {
        if (!first)
            line += ',';
        first = false;
        if (field)
            line += field->kind == Value::Kind::Text ? csv::formatField(field->text) : field->text;
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
    const Fields fields = fieldsOf(report);
    std::string out = indent + "{";
    for (std::size_t i = 0; i < fields.size(); ++i) {
        out += (i ? ",\n" : "\n") + indent + "  " + jsonString(kFieldNames[i]) + ": ";
        const Field& field = fields[i];
        out += !field ? "null" : field->kind == Value::Kind::Text ? jsonString(field->text) : field->text;
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

// A readout as the table shows it, "--" without it.
template <typename Readout, typename Show>
std::string shownOr(const std::optional<Readout>& readout, Show show)
{
    return readout ? show(*readout) : kAbsent;
}

// The columns of the many-model table.
constexpr const char* kTableCaptions[] = {"型号",     "匝数",   "气隙",     "修正气隙",     "边缘系数",
                                          "可绕匝数", "绕得下", "利用系数", "电阻(100 °C)", "铜损"};
using TableRow = std::array<std::string, std::size(kTableCaptions)>;

TableRow tableRowOf(const CoreReport& report)
{
    const std::array<std::string, 6> results = report.results();
    const DesignReadouts& r = report.readouts;
    return {report.model, results[1], results[2],
            shownOr(r.fringedGap, [](const FringedGap& g) { return formatFixed(g.gap, 2) + " mm"; }),
            shownOr(r.fringedGap, [](const FringedGap& g) { return formatFixed(g.fringingFactor, 2); }),
            shownOr(r.fit, [](const WindingFit& f) { return formatWhole(f.turnsHeld); }),
            shownOr(r.fit, [](const WindingFit& f) { return std::string(f.fits ? "是" : "否"); }),
            shownOr(r.fit, [](const WindingFit& f) { return formatFixed(f.utilisation, 2); }),
            shownOr(r.copper,
                    [](const WindingCopper& c) { return formatFixed(c.resistanceAt100C * milliohmsPerOhm, 1) + " mΩ"; }),
            shownOr(r.copper, [](const WindingCopper& c) { return formatFixed(c.loss, 2) + " W"; })};
}

std::string tableOf(const std::vector<CoreReport>& reports)
{
    std::vector<TableRow> rows;
    rows.reserve(reports.size() + 1);
    rows.push_back({});
    std::copy(std::begin(kTableCaptions), std::end(kTableCaptions), rows.front().begin());
    for (const CoreReport& report : reports)
        rows.push_back(tableRowOf(report));
    std::array<std::size_t, std::size(kTableCaptions)> widths{};
    for (const TableRow& row : rows)
        for (std::size_t c = 0; c < row.size(); ++c)
            widths[c] = std::max(widths[c], displayWidth(row[c]));
    std::string out;
    for (const TableRow& row : rows) {
        for (std::size_t c = 0; c + 1 < row.size(); ++c)
            out += row[c] + std::string(widths[c] - displayWidth(row[c]) + 2, ' ');
        out += row.back() + "\n";
    }
    return out;
}

} // namespace

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
