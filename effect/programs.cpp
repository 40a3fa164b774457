// Selecting, naming and filling the programs.
#include <cstdio>
#include <cstring>

#include "effect/tarnwell.h"

namespace {

constexpr size_t kNameField = sizeof(TarnwellProgram::name);

}  // namespace

void Tarnwell::setProgram(VstInt32 program)
{
    if (program < 0 || program >= kNumPrograms)
        return;
    currentProgram = program;
    for (VstInt32 index = 0; index < kNumParams; ++index)
        setParameter(index, programs[program].values[index]);
}

void Tarnwell::setProgramName(char* name)
{
    if (!name)
        return;
    // A longer name keeps its first 23 characters.
    char* field = programs[currentProgram].name;
    std::strncpy(field, name, kNameField - 1);
    field[kNameField - 1] = '\0';
}

void Tarnwell::getProgramName(char* name)
{
    if (!name)
        return;
    const char* stored = programs[currentProgram].name;
    if (std::strcmp(stored, "Init") == 0)
        std::snprintf(name, kNameField, "Init %d", static_cast<int>(currentProgram + 1));
    else
        std::strcpy(name, stored);
}

bool Tarnwell::getProgramNameIndexed(VstInt32 /*category*/, VstInt32 index, char* text)
{
    if (index < 0 || index >= kNumPrograms || !text)
        return false;
    std::strcpy(text, programs[index].name);
    return true;
}

void Tarnwell::initPresets()
{
    for (VstInt32 program = 1; program < kNumPrograms; ++program)
        loadFactoryProgram(programs[program], kFactoryPrograms[program]);
}
