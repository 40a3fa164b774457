#include "frame/aeffeditor.h"

AEffEditor::AEffEditor(AudioEffect* effect)
    : effect(effect), parentWindow(nullptr), updatePending(0) {}

AEffEditor::~AEffEditor() {}

VstInt32 AEffEditor::getRect(ERect** rect) {
    if (rect) *rect = nullptr;
    return 0;
}

VstInt32 AEffEditor::open(void* ptr) {
    parentWindow = ptr;
    return 0;
}

void AEffEditor::close() {}

void AEffEditor::idle() {
    if (updatePending) {
        updatePending = 0;
        update();
    }
}

void AEffEditor::draw(ERect*) {}
VstInt32 AEffEditor::mouse(VstInt32, VstInt32) { return 0; }
VstInt32 AEffEditor::key(VstInt32) { return 0; }
void AEffEditor::top() {}
void AEffEditor::sleep() {}
void AEffEditor::update() {}
void AEffEditor::postUpdate() { updatePending = 1; }
VstInt32 AEffEditor::onKeyDown(VstKeyCode&) { return -1; }
VstInt32 AEffEditor::onKeyUp(VstKeyCode&) { return -1; }
VstInt32 AEffEditor::setKnobMode(VstInt32) { return 0; }
bool AEffEditor::onWheel(float) { return false; }
