// One program: the 18 parameter values and a name; and the factory contents.
#pragma once

#include "effect/parameters.h"

struct FactoryProgram {
    const char* name;
    float values[kNumParams];
};

// Programs 0 to 9 as the effect ships them.
extern const FactoryProgram kFactoryPrograms[kNumPrograms];

struct TarnwellProgram {
    TarnwellProgram();  // program 0's values and name

    float values[kNumParams];
    char name[24];
};

// Copies a factory program into a record.
void loadFactoryProgram(TarnwellProgram& program, const FactoryProgram& factory);
