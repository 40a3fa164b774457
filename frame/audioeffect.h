// AudioEffect: the VST 1 layer of an effect. It owns the record the host
// holds, answers opcodes 0 to 24, and gives every operation a harmless default
// that a concrete effect overrides where it needs to.
#pragma once

#include "frame/aeffect.h"

class AEffEditor;

class AudioEffect {
public:
    AudioEffect(audioMasterCallback hostCallback, VstInt32 numPrograms, VstInt32 numParams);
    virtual ~AudioEffect();

    virtual void setParameter(VstInt32 index, float value);
    virtual float getParameter(VstInt32 index);
    virtual void setParameterAutomated(VstInt32 index, float value);

    virtual void process(float** inputs, float** outputs, VstInt32 sampleFrames) = 0;
    virtual void processReplacing(float** inputs, float** outputs, VstInt32 sampleFrames);

    virtual VstIntPtr dispatcher(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr,
                                 float opt);

    virtual void open();
    virtual void close();

    virtual VstInt32 getProgram();
    virtual void setProgram(VstInt32 program);
    virtual void setProgramName(char* name);
    virtual void getProgramName(char* name);
    virtual void getParameterLabel(VstInt32 index, char* label);
    virtual void getParameterDisplay(VstInt32 index, char* text);
    virtual void getParameterName(VstInt32 index, char* text);
    virtual float getVu();
    virtual VstInt32 getChunk(void** data, bool isPreset);
    virtual VstInt32 setChunk(void* data, VstInt32 byteSize, bool isPreset);
    virtual void setSampleRate(float sampleRate);
    virtual void setBlockSize(VstInt32 blockSize);
    virtual void suspend();
    virtual void resume();

    // Record setters; the host is not told.
    virtual void setUniqueID(VstInt32 uniqueID);
    virtual void setNumInputs(VstInt32 inputs);
    virtual void setNumOutputs(VstInt32 outputs);
    virtual void hasVu(bool state);
    virtual void hasClip(bool state);
    virtual void canMono(bool state);
    virtual void canProcessReplacing(bool state);
    virtual void programsAreChunks(bool state);
    virtual void setRealtimeQualities(VstInt32 qualities);
    virtual void setOfflineQualities(VstInt32 qualities);
    virtual void setInitialDelay(VstInt32 delay);

    virtual float getSampleRate();
    virtual VstInt32 getBlockSize();

    // Host services.
    virtual VstInt32 getMasterVersion();
    virtual VstInt32 getCurrentUniqueId();
    virtual void masterIdle();
    virtual bool isInputConnected(VstInt32 input);
    virtual bool isOutputConnected(VstInt32 output);

    // Parameter texts: at most 8 characters and the terminator.
    virtual void dB2string(float value, char* text);
    virtual void Hz2string(float samples, char* text);
    virtual void ms2string(float samples, char* text);
    virtual void float2string(float value, char* text);
    virtual void long2string(VstInt32 value, char* text);

    // Called by an editor when it is constructed; the effect owns it from then on.
    void setEditor(AEffEditor* editor);
    AEffect* getAeffect() { return &effectRecord; }

protected:
    void setFlag(VstInt32 flag, bool state);

    float sampleRate;
    AEffEditor* editor;
    audioMasterCallback hostCallback;
    VstInt32 numPrograms;
    VstInt32 numParams;
    VstInt32 currentProgram;
    VstInt32 blockSize;
    AEffect effectRecord;
};
