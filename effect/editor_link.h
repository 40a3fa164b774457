// The seam between the effect and its control panel. The effect knows the panel
// only through these two functions, so the effect builds and runs without any
// windowing or drawing library; the plug-in links the panel's definitions, the
// display-free builds link effect/no_editor.cpp.
#pragma once

#include "frame/aeffeditor.h"

class AudioEffectX;

// Creates the effect's editor, which registers itself with the effect; null when
// the build has no panel.
AEffEditor* createTarnwellEditor(AudioEffectX* effect);

// Hands a parameter change to the editor's setParameter (the toolkit editor's
// operation, which AEffEditor does not declare).
void editorSetParameter(AEffEditor* editor, VstInt32 index, float value);
