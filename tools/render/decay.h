// The energy decay curve of a rendered tail and the reverberation time read from it.
#pragma once

#include <string>
#include <vector>

// Backward-integrated energy (Schroeder), in dB relative to the total; bins of
// silence at the end read as the floor, -200 dB.
std::vector<double> energyDecayCurveDb(const std::vector<double>& binEnergy);

struct Rt60Estimate {
    bool valid = false;
    double seconds = 0;       // time for a 60 dB decay
    double fromDb = -5, toDb = 0;  // the stretch of the curve the line was fitted to
    double slopeDbPerSecond = 0, interceptDb = 0;  // the fitted line
};

// A least-squares line through the curve from -5 dB down to -35 dB (or to -25 or
// -15 dB when the curve does not fall that far), extended to 60 dB. Invalid when
// the curve falls by less than 10 dB after -5 dB within its first four fifths.
Rt60Estimate estimateRt60(const std::vector<double>& curveDb, double binSeconds);

std::string describeRt60(const Rt60Estimate& estimate);
