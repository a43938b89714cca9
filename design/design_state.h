#pragma once

namespace lout {

// The thirteen single-precision values the window keeps between events.
// All start at zero and are never reset; each is overwritten only by its
// own writer (an input handler, the core choice or the recomputation).
struct DesignState {
    float U2m = 0;      // secondary peak voltage, V
    float Uo = 0;       // output voltage, V
    float Dmax = 0;     // duty ratio, fraction
    float Io = 0;       // output current, A
    float Wave = 0;     // allowed ripple, fraction of Io

    float Ae = 0;       // core cross-section, cm^2
    float Bm = 0;       // flux density, T
    float Fosc = 0;     // switching frequency, Hz
    float L_uH = 0;     // inductance, uH
    float N_Turn = 0;   // turns
    float Gap_mm = 0;   // air gap, mm
    float Dia_mm = 0;   // wire diameter, mm
    float N_Strand = 0; // parallel strands
};

} // namespace lout
