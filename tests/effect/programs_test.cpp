// Selecting, editing and naming programs, and a host's save and restore.
#include <gtest/gtest.h>

#include <algorithm>

#include "tests/effect/probe.h"

namespace {

std::string programName(TarnwellProbe& effect)
{
    char text[64] = {};
    effect.dispatch(effGetProgramName, 0, 0, text);
    return text;
}

std::string indexedName(TarnwellProbe& effect, VstInt32 index, VstIntPtr* answer = nullptr)
{
    char text[64] = "untouched";
    const VstIntPtr a = effect.dispatch(effGetProgramNameIndexed, index, 0, text);
    if (answer)
        *answer = a;
    return text;
}

TEST(Programs, FactoryNamesAndValues)
{
    const char* names[kNumPrograms] = {"Metal Room", "Dark & Long", "Extra Crispy", "Mr. Smoothy",
                                       "Freeze Me", "Full Monty", "Rotten To The Core",
                                       "Ambience", "Vocal Air", "Sprinklers"};
    TarnwellProbe effect(nullptr);
    for (VstInt32 p = 0; p < kNumPrograms; ++p) {
        EXPECT_EQ(indexedName(effect, p), names[p]);
        effect.dispatch(effSetProgram, 0, p);
        EXPECT_EQ(programName(effect), names[p]);
        for (VstInt32 i = 0; i < kNumParams; ++i)
            EXPECT_EQ(effect.getParameter(i), kFactoryPrograms[p].values[i]) << p << " " << i;
    }
    effect.dispatch(effSetProgram, 0, 6);
    EXPECT_EQ(effect.getParameter(kDrySw), 0.0f);
    EXPECT_EQ(effect.getParameter(kPreDelay), 1.0f);
}

TEST(Programs, ARecordStartsAsProgramZero)
{
    TarnwellProgram record;
    EXPECT_STREQ(record.name, "Metal Room");
    EXPECT_EQ(record.values[kRoomSize], 0.25f);
    EXPECT_EQ(record.values[kHPFilter], 0.2f);
}

TEST(Programs, EditsStayWithTheirProgram)
{
    TarnwellProbe effect(nullptr);
    effect.dispatch(effSetProgram, 0, 3);
    effect.setParameter(kRoomSize, 0.9f);
    effect.dispatch(effSetProgram, 0, 5);
    EXPECT_EQ(effect.getParameter(kRoomSize), 0.75f);
    effect.dispatch(effSetProgram, 0, 3);
    EXPECT_EQ(effect.getParameter(kRoomSize), 0.9f);
}

TEST(Programs, OutOfRangeSelectionChangesNothing)
{
    TarnwellProbe effect(nullptr);
    effect.dispatch(effSetProgram, 0, 2);
    effect.setParameter(kHPReson, 0.3f);
    for (VstIntPtr bad : {VstIntPtr{10}, VstIntPtr{-1}, VstIntPtr{1000}}) {
        effect.dispatch(effSetProgram, 0, bad);
        EXPECT_EQ(effect.dispatch(effGetProgram), 2);
        EXPECT_EQ(effect.getParameter(kHPReson), 0.3f);
    }
    effect.setProgram(10);  // also when called directly
    EXPECT_EQ(effect.dispatch(effGetProgram), 2);
}

TEST(Programs, SelectingTellsTheHostNothing)
{
    RecordingHost::calls().clear();
    TarnwellProbe effect(&RecordingHost::callback);
    RecordingHost::calls().clear();
    effect.dispatch(effSetProgram, 0, 7);
    EXPECT_TRUE(RecordingHost::calls().empty());
}

TEST(Programs, InitIsNumberedOnlyInTheCurrentName)
{
    TarnwellProbe effect(nullptr);
    effect.dispatch(effSetProgram, 0, 2);
    char init[] = "Init";
    effect.dispatch(effSetProgramName, 0, 0, init);
    EXPECT_EQ(programName(effect), "Init 3");
    EXPECT_EQ(indexedName(effect, 2), "Init");
    effect.dispatch(effSetProgram, 0, 9);
    effect.dispatch(effSetProgramName, 0, 0, init);
    EXPECT_EQ(programName(effect), "Init 10");
}

TEST(Programs, IndexedNameBounds)
{
    TarnwellProbe effect(nullptr);
    VstIntPtr answer = -1;
    EXPECT_EQ(indexedName(effect, 9, &answer), "Sprinklers");
    EXPECT_EQ(answer, 1);
    EXPECT_EQ(indexedName(effect, 10, &answer), "untouched");
    EXPECT_EQ(answer, 0);
    EXPECT_EQ(indexedName(effect, -1, &answer), "untouched");
    EXPECT_EQ(answer, 0);
}

TEST(Programs, LongNameKeepsItsFirst23Characters)
{
    TarnwellProbe effect(nullptr);
    std::string longName(100, 'x');
    longName.replace(0, 26, "abcdefghijklmnopqrstuvwxyz");
    effect.dispatch(effSetProgramName, 0, 0, longName.data());
    EXPECT_EQ(programName(effect), "abcdefghijklmnopqrstuvw");
    EXPECT_EQ(effect.programs[0].name[23], '\0');
    EXPECT_EQ(indexedName(effect, 1), "Dark & Long");  // the next record is intact
}

struct SavedProgram {
    std::string name;
    float values[kNumParams];
};

// A host without chunks saves each program as its name and 18 values.
std::vector<SavedProgram> save(TarnwellProbe& effect)
{
    AEffect* e = effect.getAeffect();
    std::vector<SavedProgram> bank(kNumPrograms);
    for (VstInt32 p = 0; p < kNumPrograms; ++p) {
        effect.dispatch(effSetProgram, 0, p);
        bank[p].name = programName(effect);
        for (VstInt32 i = 0; i < kNumParams; ++i)
            bank[p].values[i] = e->getParameter(e, i);
    }
    return bank;
}

void restore(TarnwellProbe& effect, const std::vector<SavedProgram>& bank)
{
    AEffect* e = effect.getAeffect();
    for (VstInt32 p = 0; p < kNumPrograms; ++p) {
        effect.dispatch(effSetProgram, 0, p);
        std::string name = bank[p].name;
        effect.dispatch(effSetProgramName, 0, 0, name.data());
        for (VstInt32 i = 0; i < kNumParams; ++i)
            e->setParameter(e, i, bank[p].values[i]);
    }
}

TEST(Programs, SaveAndRestoreIntoANewInstance)
{
    TarnwellProbe original(nullptr);
    AEffect* e = original.getAeffect();
    original.dispatch(effSetProgram, 0, 1);
    e->setParameter(e, kRoomSize, 0.33f);
    e->setParameter(e, kMHoldSw, 1.0f);
    char renamed[] = "My Hall";
    original.dispatch(effSetProgramName, 0, 0, renamed);
    original.dispatch(effSetProgram, 0, 8);
    e->setParameter(e, kWetLevel, 0.125f);
    e->setParameter(e, kPreDelay, 0.7f);
    const std::vector<SavedProgram> bank = save(original);
    original.dispatch(effSetProgram, 0, 4);

    TarnwellProbe copy(nullptr);
    restore(copy, bank);
    copy.dispatch(effSetProgram, 0, 4);
    const std::vector<SavedProgram> again = save(copy);
    for (VstInt32 p = 0; p < kNumPrograms; ++p) {
        EXPECT_EQ(again[p].name, bank[p].name) << p;
        for (VstInt32 i = 0; i < kNumParams; ++i)
            EXPECT_EQ(bits(again[p].values[i]), bits(bank[p].values[i])) << p << " " << i;
    }
    EXPECT_EQ(bank[1].name, "My Hall");
    EXPECT_EQ(bank[1].values[kRoomSize], 0.33f);
    EXPECT_EQ(bank[8].values[kWetLevel], 0.125f);

    // The restored instance sounds like the original.
    original.dispatch(effSetProgram, 0, 8);
    copy.dispatch(effSetProgram, 0, 8);
    const Stereo in = noise(2048, 11);
    EXPECT_TRUE(sameBits(render(copy, in).right, render(original, in).right));
}

}  // namespace
