// Speaker arrangements: one zero-filled block per arrangement, released once.
#include <gtest/gtest.h>

#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <limits>

#include "tests/frame/test_effect.h"

namespace {

size_t blockSize(VstInt32 channels) {
    return offsetof(VstSpeakerArrangement, speakers) + channels * sizeof(VstSpeakerProperties);
}

TEST(SpeakerArrangement, AllocateReplacesTheOldBlockWithAZeroFilledOne) {
    BareEffect effect(nullptr);
    VstSpeakerArrangement* arrangement = nullptr;
    ASSERT_TRUE(effect.allocateArrangement(&arrangement, 5));
    std::memset(arrangement, 0xAB, blockSize(5));

    // The old block is released (the leak checker of the sanitizer build sees it).
    ASSERT_TRUE(effect.allocateArrangement(&arrangement, 2));
    ASSERT_NE(arrangement, nullptr);
    EXPECT_EQ(arrangement->numChannels, 2);
    EXPECT_EQ(arrangement->type, 0);
    const unsigned char* bytes = reinterpret_cast<const unsigned char*>(arrangement);
    for (size_t i = offsetof(VstSpeakerArrangement, speakers); i < blockSize(2); ++i)
        EXPECT_EQ(bytes[i], 0) << "byte " << i;
    EXPECT_TRUE(effect.deallocateArrangement(&arrangement));
    EXPECT_EQ(arrangement, nullptr);
}

TEST(SpeakerArrangement, AllocateThatCannotBeHadLeavesThePointerNull) {
    BareEffect effect(nullptr);
    VstSpeakerArrangement* arrangement = nullptr;
    ASSERT_TRUE(effect.allocateArrangement(&arrangement, 2));
    EXPECT_FALSE(effect.allocateArrangement(&arrangement, -1));
    EXPECT_EQ(arrangement, nullptr);

    ASSERT_TRUE(effect.allocateArrangement(&arrangement, 2));
    EXPECT_FALSE(effect.allocateArrangement(&arrangement, std::numeric_limits<VstInt32>::max()));
    EXPECT_EQ(arrangement, nullptr);

    EXPECT_FALSE(effect.allocateArrangement(nullptr, 2));
}

TEST(SpeakerArrangement, DeallocateAnswersTrueInEveryCase) {
    BareEffect effect(nullptr);
    VstSpeakerArrangement* arrangement = nullptr;
    EXPECT_TRUE(effect.deallocateArrangement(&arrangement));
    EXPECT_TRUE(effect.deallocateArrangement(nullptr));
}

TEST(SpeakerArrangement, CopySpeakerCopiesEveryField) {
    BareEffect effect(nullptr);
    VstSpeakerProperties from;
    std::memset(&from, 0x11, sizeof from);
    std::strcpy(from.name, "Left");
    from.azimuth = 1.5f;
    from.elevation = 2.5f;
    from.radius = 3.5f;
    from.reserved = 4.5f;
    from.type = 7;
    VstSpeakerProperties to;
    std::memset(&to, 0x22, sizeof to);

    EXPECT_TRUE(effect.copySpeaker(&to, &from));
    EXPECT_STREQ(to.name, "Left");
    EXPECT_EQ(to.name[5], 0x22) << "the name is copied as text";
    EXPECT_EQ(to.azimuth, 1.5f);
    EXPECT_EQ(to.elevation, 2.5f);
    EXPECT_EQ(to.radius, 3.5f);
    EXPECT_EQ(to.reserved, 4.5f);
    EXPECT_EQ(to.type, 7);
    EXPECT_EQ(std::memcmp(to.future, from.future, sizeof to.future), 0);

    EXPECT_FALSE(effect.copySpeaker(nullptr, &from));
    EXPECT_FALSE(effect.copySpeaker(&to, nullptr));
}

TEST(SpeakerArrangement, CopySpeakerKeepsAnUnterminatedNameInsideItsField) {
    BareEffect effect(nullptr);
    VstSpeakerProperties from{};
    std::memset(from.name, 'x', sizeof from.name);
    VstSpeakerProperties to{};
    EXPECT_TRUE(effect.copySpeaker(&to, &from));
    EXPECT_EQ(std::strlen(to.name), sizeof to.name - 1);
}

TEST(SpeakerArrangement, MatchCopiesTypeAndSpeakers) {
    BareEffect effect(nullptr);
    VstSpeakerArrangement* source = nullptr;
    ASSERT_TRUE(effect.allocateArrangement(&source, 3));
    source->type = 4;
    VstSpeakerProperties* speakers = source->speakers;
    for (int i = 0; i < 3; ++i) {
        speakers[i].azimuth = static_cast<float>(i);
        speakers[i].name[0] = static_cast<char>('A' + i);
    }
    VstSpeakerArrangement* copy = nullptr;
    ASSERT_TRUE(effect.allocateArrangement(&copy, 8));

    ASSERT_TRUE(effect.matchArrangement(&copy, source));
    EXPECT_EQ(copy->numChannels, 3);
    EXPECT_EQ(copy->type, 4);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(copy->speakers[i].azimuth, static_cast<float>(i));
        EXPECT_EQ(copy->speakers[i].name[0], 'A' + i);
    }

    EXPECT_FALSE(effect.matchArrangement(&copy, nullptr));
    // Matched to itself, the arrangement stays as it is.
    EXPECT_TRUE(effect.matchArrangement(&source, source));
    EXPECT_EQ(source->numChannels, 3);
    EXPECT_EQ(source->speakers[2].name[0], 'C');

    effect.deallocateArrangement(&copy);
    effect.deallocateArrangement(&source);
}

}  // namespace
