// The frame's entry point in a real .so, loaded through the test host.
#include <gtest/gtest.h>

#include <cstring>

#include "tests/frame/test_effect.h"
#include "tests/host/test_host.h"

namespace {

class TestPlugin : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(plugin.isLoaded()) << plugin.error();
        counts = reinterpret_cast<TestCounts* (*)()>(plugin.symbol("testPluginCounts"))();
        before = *counts;
        oome = static_cast<int*>(plugin.symbol("oome"));
        throws = static_cast<int*>(plugin.symbol("testPluginConstructorThrows"));
        ASSERT_NE(oome, nullptr);
        ASSERT_NE(throws, nullptr);
    }
    void TearDown() override {
        if (oome) *oome = 0;
        if (throws) *throws = 0;
    }

    testhost::PluginLibrary plugin{TEST_PLUGIN_PATH};
    TestCounts* counts = nullptr;
    TestCounts before;
    int* oome = nullptr;
    int* throws = nullptr;
};

TEST_F(TestPlugin, ExportsTheEntryPointUnderThreeNames) {
    void* entry = plugin.symbol("main_macho");
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(plugin.symbol("VSTPluginMain"), entry);
    EXPECT_EQ(plugin.symbol("main"), entry);
    EXPECT_EQ(reinterpret_cast<void*>(plugin.entryPoint()), entry);
    EXPECT_EQ(*oome, 0);

    auto hostCanDos = static_cast<const char**>(plugin.symbol("hostCanDos"));
    auto plugCanDos = static_cast<const char**>(plugin.symbol("plugCanDos"));
    ASSERT_NE(hostCanDos, nullptr);
    ASSERT_NE(plugCanDos, nullptr);
    EXPECT_STREQ(hostCanDos[16], "startStopProcess");
    EXPECT_STREQ(plugCanDos[25], "bypass");

    // The frame's own functions stay inside the plug-in.
    EXPECT_EQ(plugin.symbol("_Z19dispatchEffectClassP7AEffectiilPvf"), nullptr);
    EXPECT_EQ(plugin.symbol("_Z20createEffectInstancePFlP7AEffectiilPvfE"), nullptr);
}

TEST_F(TestPlugin, AVersion0HostGetsNullAndNothingIsBuilt) {
    testhost::RecordingHost host;
    host.setAnswer(audioMasterVersion, 0);
    EXPECT_EQ(plugin.instantiate(host.callback()), nullptr);
    EXPECT_EQ(counts->effectsConstructed, before.effectsConstructed);
    ASSERT_EQ(host.calls().size(), 1u);
    EXPECT_EQ(host.calls()[0].effect, nullptr);
    EXPECT_EQ(host.calls()[0].opcode, audioMasterVersion);
}

TEST_F(TestPlugin, NoHostCallbackGetsNull) {
    EXPECT_EQ(plugin.instantiate(nullptr), nullptr);
    EXPECT_EQ(counts->effectsConstructed, before.effectsConstructed);
}

TEST_F(TestPlugin, InstantiatesAfterTheVersionQueryAndClosesCleanly) {
    testhost::RecordingHost host;
    AEffect* effect = plugin.instantiate(host.callback());
    ASSERT_NE(effect, nullptr);
    ASSERT_EQ(host.calls().size(), 1u);
    EXPECT_EQ(host.calls()[0].effect, nullptr);
    EXPECT_EQ(host.calls()[0].opcode, audioMasterVersion);
    EXPECT_EQ(host.calls()[0].index, 0);
    EXPECT_EQ(host.calls()[0].value, 0);
    EXPECT_EQ(host.calls()[0].ptr, nullptr);
    EXPECT_EQ(host.calls()[0].opt, 0.0f);

    EXPECT_EQ(effect->magic, kEffectMagic);
    EXPECT_EQ(effect->numPrograms, 10);
    EXPECT_EQ(effect->numParams, 18);
    EXPECT_EQ(effect->flags, effFlagsHasEditor);
    EXPECT_EQ(testhost::dispatch(effect, effGetVstVersion), 2300);
    char name[64] = "unchanged";
    EXPECT_EQ(testhost::dispatch(effect, effGetEffectName, 0, 0, name), 0);

    EXPECT_EQ(testhost::closeEffect(effect), 1);
    EXPECT_EQ(counts->effectsConstructed, before.effectsConstructed + 1);
    EXPECT_EQ(counts->effectsDestroyed, before.effectsDestroyed + 1);
    EXPECT_EQ(counts->editorsDestroyed, before.editorsDestroyed + 1);
}

TEST_F(TestPlugin, OutOfMemoryAfterConstructionDestroysTheEffect) {
    testhost::RecordingHost host;
    *oome = 1;
    EXPECT_EQ(plugin.instantiate(host.callback()), nullptr);
    EXPECT_EQ(counts->effectsConstructed, before.effectsConstructed + 1);
    EXPECT_EQ(counts->effectsDestroyed, before.effectsDestroyed + 1);
    EXPECT_EQ(counts->editorsDestroyed, before.editorsDestroyed + 1);
}

TEST_F(TestPlugin, AFailingConstructorGivesNullInsteadOfAnException) {
    testhost::RecordingHost host;
    *throws = 1;
    EXPECT_EQ(plugin.instantiate(host.callback()), nullptr);
    EXPECT_EQ(counts->effectsConstructed, before.effectsConstructed + 1);
    EXPECT_EQ(counts->effectsDestroyed, before.effectsDestroyed + 1);
}

TEST(TestHost, AMissingLibraryReportsWhy) {
    testhost::PluginLibrary missing("/nonexistent/plugin.so");
    EXPECT_FALSE(missing.isLoaded());
    EXPECT_FALSE(missing.error().empty());
    EXPECT_EQ(missing.entryPoint(), nullptr);
    EXPECT_EQ(missing.instantiate(nullptr), nullptr);
}

}  // namespace
