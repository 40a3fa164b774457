// AudioEffectX: the VST 2 layer. It answers opcodes 25 to 76 (passing every
// other opcode to AudioEffect), wraps the VST 2 host services and keeps the
// speaker-arrangement helpers.
#pragma once

#include "frame/audioeffect.h"

class AudioEffectX : public AudioEffect {
public:
    AudioEffectX(audioMasterCallback hostCallback, VstInt32 numPrograms, VstInt32 numParams);
    ~AudioEffectX() override;

    VstIntPtr dispatcher(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr,
                         float opt) override;

    virtual AEffEditor* getEditor();
    virtual void wantEvents(VstInt32 filter = 1);
    virtual VstTimeInfo* getTimeInfo(VstInt32 filter);
    virtual VstInt32 tempoAt(VstInt32 position);
    virtual VstInt32 processEvents(VstEvents* events);
    virtual VstInt32 getNumAutomatableParameters();
    virtual VstInt32 getParameterQuantization();
    virtual bool canParameterBeAutomated(VstInt32 index);
    virtual bool string2parameter(VstInt32 index, char* text);
    virtual float getChannelParameter(VstInt32 channel, VstInt32 index);
    virtual VstInt32 getNumCategories();
    virtual bool getProgramNameIndexed(VstInt32 category, VstInt32 index, char* text);
    virtual bool copyProgram(VstInt32 destination);
    virtual bool ioChanged();
    virtual bool needIdle();
    virtual bool sizeWindow(VstInt32 width, VstInt32 height);
    virtual float updateSampleRate();
    virtual VstInt32 updateBlockSize();
    virtual VstInt32 getInputLatency();
    virtual VstInt32 getOutputLatency();
    virtual AEffect* getPreviousPlug(VstInt32 input);
    virtual AEffect* getNextPlug(VstInt32 output);
    virtual void inputConnected(VstInt32 index, bool state);
    virtual void outputConnected(VstInt32 index, bool state);
    virtual bool getInputProperties(VstInt32 index, VstPinProperties* properties);
    virtual bool getOutputProperties(VstInt32 index, VstPinProperties* properties);
    virtual VstPlugCategory getPlugCategory();
    virtual VstInt32 willProcessReplacing();
    virtual VstInt32 getCurrentProcessLevel();
    virtual VstInt32 getAutomationState();
    virtual void wantAsyncOperation(bool state);
    virtual void hasExternalBuffer(bool state);
    virtual VstInt32 reportCurrentPosition();
    virtual float* reportDestinationBuffer();
    virtual bool offlineRead(VstOfflineTask* offline, VstOfflineOption option,
                             bool readSource = true);
    virtual bool offlineWrite(VstOfflineTask* offline, VstOfflineOption option);
    virtual bool offlineStart(VstAudioFile* audioFiles, VstInt32 numAudioFiles,
                              VstInt32 numNewAudioFiles);
    virtual bool offlineGetCurrentPass();
    virtual bool offlineGetCurrentMetaPass();
    virtual bool offlineNotify(VstAudioFile* audioFiles, VstInt32 numAudioFiles, bool start);
    virtual bool offlinePrepare(VstOfflineTask* offline, VstInt32 count);
    virtual bool offlineRun(VstOfflineTask* offline, VstInt32 count);
    virtual VstInt32 offlineGetNumPasses();
    virtual VstInt32 offlineGetNumMetaPasses();
    virtual void setOutputSamplerate(float sampleRate);
    virtual VstSpeakerArrangement* getInputSpeakerArrangement();
    virtual VstSpeakerArrangement* getOutputSpeakerArrangement();
    virtual bool getHostVendorString(char* text);
    virtual bool getHostProductString(char* text);
    virtual VstInt32 getHostVendorVersion();
    virtual VstIntPtr hostVendorSpecific(VstInt32 arg1, VstIntPtr arg2, void* ptrArg,
                                         float floatArg);
    virtual VstInt32 canHostDo(char* text);
    virtual void isSynth(bool state = true);
    virtual void noTail(bool state = true);
    virtual VstInt32 getHostLanguage();
    virtual void* openWindow(VstWindow* window);
    virtual bool closeWindow(VstWindow* window);
    virtual void* getDirectory();
    virtual bool updateDisplay();
    virtual bool processVariableIo(VstVariableIo* varIo);
    virtual bool setSpeakerArrangement(VstSpeakerArrangement* pluginInput,
                                       VstSpeakerArrangement* pluginOutput);
    virtual bool getSpeakerArrangement(VstSpeakerArrangement** pluginInput,
                                       VstSpeakerArrangement** pluginOutput);
    virtual void setBlockSizeAndSampleRate(VstInt32 blockSize, float sampleRate);
    virtual bool setBypass(bool onOff);
    virtual bool getEffectName(char* name);
    virtual bool getErrorText(char* text);
    virtual bool getVendorString(char* text);
    virtual bool getProductString(char* text);
    virtual VstInt32 getVendorVersion();
    virtual VstIntPtr vendorSpecific(VstInt32 arg1, VstIntPtr arg2, void* ptrArg, float floatArg);
    virtual VstInt32 canDo(char* text);
    virtual void* getIcon();
    virtual bool setViewPosition(VstInt32 x, VstInt32 y);
    virtual VstInt32 getGetTailSize();
    virtual VstInt32 fxIdle();
    virtual bool getParameterProperties(VstInt32 index, VstParameterProperties* properties);
    virtual bool keysRequired();
    virtual VstInt32 getVstVersion();
    virtual VstInt32 getMidiProgramName(VstInt32 channel, MidiProgramName* midiProgramName);
    virtual VstInt32 getCurrentMidiProgram(VstInt32 channel, MidiProgramName* currentProgram);
    virtual VstInt32 getMidiProgramCategory(VstInt32 channel, MidiProgramCategory* category);
    virtual bool hasMidiProgramsChanged(VstInt32 channel);
    virtual bool getMidiKeyName(VstInt32 channel, MidiKeyName* keyName);
    virtual bool beginSetProgram();
    virtual bool endSetProgram();
    virtual bool beginEdit(VstInt32 index);
    virtual bool endEdit(VstInt32 index);
    virtual bool openFileSelector(VstFileSelect* selection);
    virtual VstInt32 setTotalSampleToProcess(VstInt32 value);
    virtual VstInt32 getNextShellPlugin(char* name);
    virtual VstInt32 startProcess();
    virtual VstInt32 stopProcess();
    virtual bool setPanLaw(VstInt32 type, float value);
    virtual VstInt32 beginLoadBank(VstPatchChunkInfo* info);
    virtual VstInt32 beginLoadProgram(VstPatchChunkInfo* info);
    virtual bool allocateArrangement(VstSpeakerArrangement** arrangement, VstInt32 numChannels);
    virtual bool deallocateArrangement(VstSpeakerArrangement** arrangement);
    virtual bool copySpeaker(VstSpeakerProperties* to, VstSpeakerProperties* from);
    virtual bool matchArrangement(VstSpeakerArrangement** to, VstSpeakerArrangement* from);

    bool sendVstEventsToHost(VstEvents* events);
    bool closeFileSelector(VstFileSelect* selection);
    bool getChunkFile(void* nativePath);
};

// The capability vocabulary of the interface, exported for hosts and tools.
extern "C" {
extern __attribute__((visibility("default"))) const char* hostCanDos[17];
extern __attribute__((visibility("default"))) const char* plugCanDos[26];
}
