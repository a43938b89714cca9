#include "tools/design_report.h"

#include <algorithm>
#include <optional>

namespace lout {

CoreDimensions drawnCore(const CatalogueCore& core)
{
    return {core.name, dimensionsOf(core)};
}

DesignReporter::DesignReporter(const CoreCatalogue& catalogue, const EnteredInputs& inputs)
    : catalogue_(catalogue), inputs_(inputs),
      started_(startedWindow(coreAreaOf(catalogue.cores.at(kStartUpModel), catalogue.file)))
{
}

CoreReport DesignReporter::report(std::size_t index) const
{
    const CatalogueCore& core = catalogue_.cores.at(index);
    const ShownDesign shown = afterEntering(started_, coreAreaOf(core, catalogue_.file), inputs_);
    return {core.name, shown.design, readoutsOf(drawnCore(core), shown.design)};
}

std::vector<CoreReport> DesignReporter::reportAll() const
{
    std::vector<CoreReport> reports;
    reports.reserve(catalogue_.cores.size());
    for (std::size_t index = 0; index < catalogue_.cores.size(); ++index)
        reports.push_back(report(index));
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
