// The editor seam for builds without a control panel.
#include "effect/editor_link.h"

AEffEditor* createTarnwellEditor(AudioEffectX* /*effect*/)
{
    return nullptr;
}

void editorSetParameter(AEffEditor* /*editor*/, VstInt32 /*index*/, float /*value*/) {}
