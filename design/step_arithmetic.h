#pragma once

#include <cmath>
#include <limits>

namespace lout {

static_assert(std::numeric_limits<double>::is_iec559 && std::numeric_limits<float>::is_iec559,
              "the design arithmetic relies on IEEE-754 single and double precision");

// Double-precision arithmetic that remembers, like the processor's sticky
// exception flags, whether an invalid operation, a division by zero or an
// overflow has happened since the computation began. Underflow and inexact
// results do not count. The checks look only at operands and results, so the
// outcome does not depend on how the compiler schedules the operations.
class StepArithmetic {
public:
    double add(double a, double b) { return note(a + b, a, b, isinf(a) && isinf(b) && (a > 0) != (b > 0)); }
    double sub(double a, double b) { return note(a - b, a, b, isinf(a) && isinf(b) && (a > 0) == (b > 0)); }

    double mul(double a, double b)
    {
        const bool zeroTimesInfinity = (a == 0 && isinf(b)) || (isinf(a) && b == 0);
        return note(a * b, a, b, zeroTimesInfinity);
    }

    double div(double a, double b)
    {
        const bool invalid = (a == 0 && b == 0) || (isinf(a) && isinf(b));
        if (!invalid && b == 0 && std::isfinite(a) && a != 0)
            failed_ = true; // division by zero
        return note(a / b, a, b, invalid);
    }

    double sqrt(double a)
    {
        if (a < 0) // -0 is allowed and NaN raises nothing
            failed_ = true;
        return std::sqrt(a);
    }

    // The largest whole number not above the value.
    static double floor(double a) { return std::floor(a); }

    // Narrowing to single precision rounds to nearest; a finite value too
    // large for single precision becomes an infinity and counts as an
    // overflow.
    float narrow(double a)
    {
        const float narrowed = static_cast<float>(a);
        if (std::isfinite(a) && std::isinf(narrowed))
            failed_ = true;
        return narrowed;
    }

    bool failed() const { return failed_; }

private:
    static bool isinf(double a) { return std::isinf(a); }

    // An overflow is a finite pair of operands giving an infinite result
    // (a finite divisor of zero is reported as a division by zero instead).
    double note(double result, double a, double b, bool invalid)
    {
        if (invalid || (std::isinf(result) && std::isfinite(a) && std::isfinite(b)))
            failed_ = true;
        return result;
    }

    bool failed_ = false;
};

} // namespace lout
