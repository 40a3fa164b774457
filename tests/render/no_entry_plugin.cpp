// A shared library that loads but offers no VST 2 entry point.
extern "C" __attribute__((visibility("default"))) int tarnwellTestNotAPlugin() { return 1; }
