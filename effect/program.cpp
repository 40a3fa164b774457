#include "effect/program.h"

#include <cstring>

// One row per program, values in parameter order: PreDelay, PrDly Sw, RoomSize,
// Mode, LPFilter, HPFilter, HP Reson, Bit Rot, BitRotSw, InLevel, Input Sw,
// WetLevel, Wet Sw, DryLevel, Dry Sw, MHold Sw, MSize Sw, MLevelSw.
const FactoryProgram kFactoryPrograms[kNumPrograms] = {
    {"Metal Room", {0, 0, 0.25f, 0, 0.5f, 0.2f, 0, 0, 0, 1, 1, 1, 1, 1, 1, 0, 0, 0}},
    {"Dark & Long", {0.25f, 1, 1, 0, 1, 0, 0, 0, 0, 1, 1, 1, 1, 1, 1, 0, 0, 0}},
    {"Extra Crispy", {0, 0, 0.5f, 0, 0, 1, 0, 0.5f, 1, 1, 1, 1, 1, 1, 1, 0, 0, 0}},
    {"Mr. Smoothy", {0, 0, 0.65f, 0, 0.15f, 0.15f, 0, 0, 0, 1, 1, 1, 1, 1, 1, 0, 0, 0}},
    {"Freeze Me", {0, 0, 0.25f, 0, 1, 0.25f, 0.75f, 0.75f, 1, 1, 1, 1, 1, 1, 1, 0, 0, 0}},
    {"Full Monty", {0.2f, 1, 0.75f, 0, 0.25f, 0, 0, 0, 0, 1, 1, 1, 1, 1, 1, 0, 0, 0}},
    {"Rotten To The Core", {1, 1, 0.75f, 0, 0.6f, 0.4f, 0.75f, 0.55f, 1, 1, 1, 1, 1, 1, 0, 0, 0, 0}},
    {"Ambience", {0, 0, 0.5f, 0, 0.4f, 0.3f, 0, 0, 0, 1, 1, 0.5f, 1, 1, 1, 0, 0, 0}},
    {"Vocal Air", {0, 0, 0.5f, 0, 0.4f, 0.6f, 0, 0, 0, 1, 1, 0.25f, 1, 1, 1, 0, 0, 0}},
    {"Sprinklers", {0, 0, 0, 0, 0.75f, 1, 0.5f, 0.25f, 1, 1, 1, 1, 1, 1, 1, 0, 0, 0}},
};

TarnwellProgram::TarnwellProgram()
{
    loadFactoryProgram(*this, kFactoryPrograms[0]);
}

void loadFactoryProgram(TarnwellProgram& program, const FactoryProgram& factory)
{
    std::memcpy(program.values, factory.values, sizeof program.values);
    std::strcpy(program.name, factory.name);
}
