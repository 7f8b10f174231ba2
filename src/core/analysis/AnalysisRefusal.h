#pragma once

#include <string>

namespace tremvix {

// Why an analysis computed nothing.
enum class AnalysisRefusalKind {
    TooFewSamples,     // fewer samples than the analysis needs
    BadSamplingStep,   // time step or rate not positive, or not finite
    NonFiniteSample,   // a sample is NaN or infinite
    BadPeriod,         // an oscillator period not positive or not finite, or none at all
    PeriodTooShort,    // a period so short that one sample step needs more than 10,000 sub-steps
    BadDamping,        // damping outside [0, 1), or none at all
    BadBandwidth,      // smoothing bandwidth not positive, or not finite
    BadBand,           // frequency band reversed, not finite, or holding no frequency
    BadTaper,          // taper fraction outside [0, 0.5]
    LengthsDiffer,     // channels of different lengths
    RecordTooShort,    // shorter than the 0.3 s the intensity needs
    NoMotion,          // the filtered motion is zero everywhere: no intensity
    IntegrationFailed, // the integration could not get its work memory
    HighPassNotDesignable,  // the long-period high-pass has no design at this rate
};

struct AnalysisRefusal {
    AnalysisRefusalKind kind;
};

// The message box text (Japanese, UTF-8, ending in five ideographic spaces) and
// its caption.
std::string AnalysisRefusalText(const AnalysisRefusal& refusal);
std::string AnalysisRefusalCaption(const AnalysisRefusal& refusal);

}  // namespace tremvix
