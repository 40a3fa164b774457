#include "toolkit/aeffguieditor.h"

#include "frame/audioeffectx.h"
#include "toolkit/cframe.h"

VstInt32 AEffGUIEditor::knobMode = kCircularMode;

AEffGUIEditor::AEffGUIEditor(AudioEffect* owner) : AEffEditor(owner), rect{0, 0, 0, 0}
{
    if (effect)
        effect->setEditor(this);
}

AEffGUIEditor::~AEffGUIEditor()
{
    delete frame;
}

VstInt32 AEffGUIEditor::getRect(ERect** out)
{
    if (!out)
        return 0;
    *out = &rect;
    return 1;
}

VstInt32 AEffGUIEditor::open(void* ptr)
{
    parentWindow = ptr;
    postUpdate();
    return 1;
}

void AEffGUIEditor::idle()
{
    if (inIdleStuff)
        return;
    AEffEditor::idle();
    if (frame)
        frame->idle();
}

VstInt32 AEffGUIEditor::setKnobMode(VstInt32 mode)
{
    knobMode = mode;
    return 1;
}

void AEffGUIEditor::setParameter(VstInt32, float) {}

void AEffGUIEditor::doIdleStuff()
{
    if (inIdleStuff)
        return;
    inIdleStuff = true;
    if (effect)
        effect->masterIdle();
    inIdleStuff = false;
}

void AEffGUIEditor::beginEdit(VstInt32 index)
{
    if (auto* fx = dynamic_cast<AudioEffectX*>(effect))
        fx->beginEdit(index);
}

void AEffGUIEditor::endEdit(VstInt32 index)
{
    if (auto* fx = dynamic_cast<AudioEffectX*>(effect))
        fx->endEdit(index);
}
