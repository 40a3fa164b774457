#include "tools/render/decay.h"

#include <cmath>
#include <cstdio>

namespace {

const double kFloorDb = -200.0;
const double kStartDb = -5.0;
const double kEndsDb[] = {-35.0, -25.0, -15.0};
// The integral stops where the render stops, which bends the curve's last part
// down even for a tail that never decays (a held tank); fits stay before it.
const double kUsableFraction = 0.8;

int firstAtOrBelow(const std::vector<double>& curve, double level, int from) {
    for (int i = from; i < static_cast<int>(curve.size()); ++i)
        if (curve[i] <= level) return i;
    return -1;
}

}  // namespace

std::vector<double> energyDecayCurveDb(const std::vector<double>& binEnergy) {
    std::vector<double> remaining(binEnergy.size());
    double sum = 0;
    for (size_t i = binEnergy.size(); i-- > 0;) {
        sum += binEnergy[i];
        remaining[i] = sum;
    }
    std::vector<double> curve(binEnergy.size(), kFloorDb);
    if (sum <= 0) return curve;
    for (size_t i = 0; i < curve.size(); ++i)
        if (remaining[i] > 0) curve[i] = std::max(kFloorDb, 10.0 * std::log10(remaining[i] / sum));
    return curve;
}

Rt60Estimate estimateRt60(const std::vector<double>& curveDb, double binSeconds) {
    Rt60Estimate e;
    const int start = firstAtOrBelow(curveDb, kStartDb, 0);
    if (start < 0) return e;
    for (double endDb : kEndsDb) {
        const int end = firstAtOrBelow(curveDb, endDb, start);
        if (end < 0 || end - start < 2 || end > kUsableFraction * curveDb.size()) continue;
        double n = 0, st = 0, sy = 0, stt = 0, sty = 0;
        for (int i = start; i <= end; ++i) {
            const double t = i * binSeconds;
            n += 1;
            st += t;
            sy += curveDb[i];
            stt += t * t;
            sty += t * curveDb[i];
        }
        const double slope = (n * sty - st * sy) / (n * stt - st * st);
        if (!(slope < 0)) return e;
        e.valid = true;
        e.slopeDbPerSecond = slope;
        e.interceptDb = (sy - slope * st) / n;
        e.seconds = -60.0 / slope;
        e.toDb = endDb;
        return e;
    }
    return e;
}

std::string describeRt60(const Rt60Estimate& e) {
    char text[96];
    if (!e.valid) return "RT60: no decay of 10 dB within the tail";
    std::snprintf(text, sizeof text, "RT60 %.2f s (fitted from %.0f to %.0f dB)", e.seconds, e.fromDb, e.toDb);
    return text;
}
