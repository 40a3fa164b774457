// The effect's seam to its control panel, for builds with the panel.
#include "effect/editor_link.h"

#include "editor/tarnwell_editor.h"
#include "frame/audioeffectx.h"

AEffEditor* createTarnwellEditor(AudioEffectX* effect)
{
    return new TarnwellEditor(effect);
}

void editorSetParameter(AEffEditor* editor, VstInt32 index, float value)
{
    static_cast<AEffGUIEditor*>(editor)->setParameter(index, value);
}
