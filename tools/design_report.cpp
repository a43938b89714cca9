#include "tools/design_report.h"

#include "jet/text.h"

#include <algorithm>
#include <optional>

namespace lout {

namespace {

constexpr std::size_t kModelNameColumn = 0;
constexpr std::size_t kFirstDimensionColumn = 2;

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
    const auto isArea = [](const std::string& name) { return jet::sameNameIgnoringAsciiCase(name, "Co_Ae"); };
    const auto area = std::find_if(names.begin(), names.end(), isArea);
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

} // namespace lout
