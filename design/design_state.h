#pragma once

namespace lout {

// The thirteen single-precision values the window keeps between events.
// All start at zero and are never reset; each is overwritten only by its
// own writer (an input handler, the core choice or the recomputation).
struct DesignState {
    // Inputs.
    float secondaryPeakVoltage = 0; // V
    float outputVoltage = 0;        // V
    float dutyRatio = 0;            // fraction, computed
    float outputCurrent = 0;        // A
    float rippleRatio = 0;          // allowed ripple current, fraction of the output current

    // The chosen core and the frequency.
    float coreArea = 0;    // effective cross-section, cm^2
    float fluxDensity = 0; // T
    float frequency = 0;   // switching frequency, Hz

    // Results.
    float inductance = 0;   // uH
    float turns = 0;        // a whole number
    float airGap = 0;       // mm
    float wireDiameter = 0; // mm
    float strands = 0;      // parallel wires, a whole number
};

// The flux density every chosen core is designed for.
inline constexpr float kDesignFluxDensity = 0.25F; // T

} // namespace lout
