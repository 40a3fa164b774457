// The editor interface's defaults and its update handshake.
#include <gtest/gtest.h>

#include "tests/frame/test_effect.h"
#include "tests/host/test_host.h"

namespace {

TEST(Editor, BaseOperationsGiveHarmlessAnswers) {
    BareEffect effect(nullptr);
    AEffEditor editor(&effect);
    ERect dummy{};
    ERect* rect = &dummy;
    EXPECT_EQ(editor.getRect(&rect), 0);
    EXPECT_EQ(rect, nullptr);
    EXPECT_EQ(editor.getRect(nullptr), 0);
    VstKeyCode key{};
    EXPECT_EQ(editor.onKeyDown(key), -1);
    EXPECT_EQ(editor.onKeyUp(key), -1);
    EXPECT_EQ(editor.setKnobMode(2), 0);
    EXPECT_FALSE(editor.onWheel(1.0f));
    EXPECT_EQ(editor.mouse(1, 2), 0);
    EXPECT_EQ(editor.key(65), 0);
    int window = 0;
    EXPECT_EQ(editor.open(&window), 0);
    EXPECT_EQ(effect.storedEditor(), nullptr) << "AEffEditor itself does not register";
}

TEST(Editor, ManyPostUpdatesBeforeAnIdleGiveOneUpdate) {
    BareEffect effect(nullptr);
    auto* editor = new TestEditor(&effect);
    EXPECT_FALSE(editor->pending());
    for (int i = 0; i < 10; ++i) editor->postUpdate();
    EXPECT_TRUE(editor->pending());
    EXPECT_EQ(editor->updates, 0) << "postUpdate never draws";

    testhost::dispatch(effect.getAeffect(), effEditIdle);
    EXPECT_EQ(editor->updates, 1);
    EXPECT_FALSE(editor->pending());

    testhost::dispatch(effect.getAeffect(), effEditIdle);
    EXPECT_EQ(editor->updates, 1);
}

TEST(Editor, DestroyedWithItsEffect) {
    const int before = testCounts().editorsDestroyed;
    {
        BareEffect effect(nullptr);
        new TestEditor(&effect);
    }
    EXPECT_EQ(testCounts().editorsDestroyed, before + 1);
}

}  // namespace
