#pragma once

// What lout-design reports: for one model or every model of the catalogue,
// the six results a freshly started window shows once the model is chosen
// and the inputs are entered, and the readouts of that design.
#include "catalogue/core_catalogue.h"
#include "design/text/entered_design.h"
#include "design/text/shown_texts.h"
#include "drawing/design_readouts.h"

#include <array>
#include <cstddef>
#include <string>
#include <vector>

namespace lout {

struct CoreReport {
    std::string model;
    DesignResult design; // as the window holds it
    DesignReadouts readouts;

    // The six results as the window shows them.
    std::array<std::string, 6> results() const { return shownTexts(design).results; }
};

// A core of the catalogue as the core picture reads it.
CoreDimensions drawnCore(const CatalogueCore& core);

// Reports for the cores of a catalogue of at least seven, each as a window
// started on the catalogue shows it after that core is chosen and `inputs`
// are entered.
class DesignReporter {
public:
    DesignReporter(const CoreCatalogue& catalogue, const EnteredInputs& inputs);
    CoreReport report(std::size_t index) const;
    // Every core in the catalogue's order.
    std::vector<CoreReport> reportAll() const;

private:
    const CoreCatalogue& catalogue_;
    EnteredInputs inputs_;
    ShownDesign started_;
};

// The reports whose winding fits its window, the smallest whole window
// first; equal windows keep their order.
std::vector<CoreReport> fittingCores(std::vector<CoreReport> reports);

} // namespace lout
