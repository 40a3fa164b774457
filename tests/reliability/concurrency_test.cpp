// Hosts set parameters from their user-interface thread during playback and
// open, idle and close the panel there while the audio thread processes. Both
// threads run at once for a bounded time; nothing may crash and the output
// must stay finite.

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <random>
#include <thread>

#include "tests/reliability/loaded_plugin.h"
#include "tests/reliability/random_host.h"

#ifdef TARNWELL_HAS_EDITOR
#include <X11/Xlib.h>
#endif

namespace {

using Clock = std::chrono::steady_clock;

double testSeconds() {
    const char* text = std::getenv("TARNWELL_CONCURRENCY_SECONDS");
    return text && *text ? std::atof(text) : 20.0;
}

// The host's window that the panel opens inside; none without a display.
class HostWindow {
public:
    HostWindow() {
#ifdef TARNWELL_HAS_EDITOR
        if (!std::getenv("DISPLAY") || !(display = XOpenDisplay(nullptr))) return;
        window = XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 800, 600, 0, 0, 0);
        XMapWindow(display, window);
        XFlush(display);
#endif
    }
    ~HostWindow() {
#ifdef TARNWELL_HAS_EDITOR
        if (display) {
            XDestroyWindow(display, window);
            XCloseDisplay(display);
        }
#endif
    }
    bool exists() const { return window != 0; }
    void* handle() const { return reinterpret_cast<void*>(window); }

private:
#ifdef TARNWELL_HAS_EDITOR
    Display* display = nullptr;
#endif
    unsigned long window = 0;
};

}  // namespace

TEST(Concurrency, UserInterfaceThreadWorksWhileAudioThreadProcesses) {
    LoadedPlugin plugin(TARNWELL_PLUGIN_PATH);
    ASSERT_TRUE(plugin.ok()) << plugin.error();
    const bool hasEditor = plugin.record()->flags & effFlagsHasEditor;
    HostWindow window;
    const bool useEditor = hasEditor && window.exists();
    if (!useEditor)
        std::printf("concurrency: panel part skipped (%s)\n",
                    hasEditor ? "no display" : "the plug-in has no editor");

    std::atomic<bool> stop{false};
    std::atomic<long> audioBlocks{0}, nonFiniteBlocks{0};
    std::thread audio([&] {
        RandomHost host(7);
        while (!stop.load(std::memory_order_relaxed)) {
            host.nextBlock();
            if (!host.replacing()) host.clearOutputs();
            if (host.replacing())
                plugin.processReplacing(host.inputs(), host.outputs(), host.frames());
            else
                plugin.process(host.inputs(), host.outputs(), host.frames());
            if (!host.outputFinite()) nonFiniteBlocks.fetch_add(1);
            audioBlocks.fetch_add(1);
        }
    });

    RandomHost ui(11);
    std::mt19937 indices(13);
    std::uniform_int_distribution<VstInt32> pickIndex(0, 17);
    long parameterChanges = 0, programChanges = 0, editorOpens = 0, idles = 0;
    const auto end = Clock::now() + std::chrono::duration<double>(testSeconds());
    while (Clock::now() < end) {
        if (useEditor) {
            ERect* rect = nullptr;
            plugin.dispatch(effEditGetRect, 0, 0, &rect);
            plugin.dispatch(effEditOpen, 0, 0, window.handle());
            ++editorOpens;
        }
        for (int step = 0; step < 50 && Clock::now() < end; ++step) {
            for (int i = 0; i < 20; ++i) {
                plugin.setParameter(pickIndex(indices), ui.parameterValue());
                ++parameterChanges;
            }
            plugin.dispatch(effSetProgram, 0, step % 10);
            ++programChanges;
            if (useEditor) {
                plugin.dispatch(effEditIdle);
                ++idles;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
        if (useEditor) plugin.dispatch(effEditClose);
    }
    stop = true;
    audio.join();

    std::printf("concurrency: %ld audio blocks, %ld parameter changes, %ld program changes, "
                "%ld panel openings, %ld idles\n",
                audioBlocks.load(), parameterChanges, programChanges, editorOpens, idles);
    EXPECT_GT(audioBlocks.load(), 0);
    EXPECT_EQ(nonFiniteBlocks.load(), 0);
}
