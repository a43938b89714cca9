#pragma once

// What lout-design reports: for one model or every model of the catalogue,
// the six results a freshly started window shows once the model is chosen
// and the inputs are entered, and the readouts of that design.
#include "catalogue/core_catalogue.h"
#include "design/entered_design.h"
#include "drawing/design_readouts.h"

#include <array>
#include <cstddef>
#include <string>
#include <vector>

namespace lout {

struct CoreReport {
    std::string model;
    DesignState design;     // as the window holds it
    CurrentResults current; // which of its results the window shows
    DesignReadouts readouts;

    // lab_Pram(0) to lab_Pram(5) as the window shows them.
    std::array<std::string, 6> results() const { return windowResultTexts(design, current); }
};

// The window's start-up model: the seventh in name order.
inline constexpr std::size_t kStartUpModelRow = 6;

// Row `row` of the record set (name order) as the core picture reads it:
// the name and the dimensions A to F of the columns after the second.
CoreDimensions coreDimensionsOf(const CoreRecordSet& set, std::size_t row);

// Reports for rows of a record set of at least seven rows, each as a window
// started on the set shows it after that row's model is chosen and `inputs`
// are entered.
class DesignReporter {
public:
    DesignReporter(const CoreRecordSet& set, const std::string& file, const EnteredInputs& inputs);
    CoreReport report(std::size_t row) const;
    // Every row in name order.
    std::vector<CoreReport> reportAll() const;

private:
    float areaOf(std::size_t row) const;

    const CoreRecordSet& set_;
    std::string file_;
    EnteredInputs inputs_;
    std::size_t areaColumn_ = 0;
    ShownDesign started_;
};

// The reports whose winding fits its window, the smallest whole window
// first; equal windows keep their order.
std::vector<CoreReport> fittingCores(std::vector<CoreReport> reports);

} // namespace lout
