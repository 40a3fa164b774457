// Speaker arrangements the effect hands to its host: one zero-filled block,
// the two header fields and one properties record per channel.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "frame/audioeffectx.h"

namespace {
// The block holds numChannels records however many the declaration shows.
VstSpeakerProperties* speakerAt(VstSpeakerArrangement* arrangement, VstInt32 channel) {
    return reinterpret_cast<VstSpeakerProperties*>(reinterpret_cast<char*>(arrangement) +
                                                   offsetof(VstSpeakerArrangement, speakers)) +
           channel;
}
}  // namespace

bool AudioEffectX::allocateArrangement(VstSpeakerArrangement** arrangement,
                                       VstInt32 numChannels) {
    if (!arrangement) return false;
    if (*arrangement) {
        std::free(*arrangement);
        *arrangement = nullptr;  // never left pointing at the released block
    }
    constexpr size_t header = offsetof(VstSpeakerArrangement, speakers);
    constexpr size_t most = (SIZE_MAX - header) / sizeof(VstSpeakerProperties);
    if (numChannels < 0 || static_cast<size_t>(numChannels) > most) return false;
    const size_t size = header + static_cast<size_t>(numChannels) * sizeof(VstSpeakerProperties);
    void* block = std::calloc(1, size);
    if (!block) return false;
    *arrangement = static_cast<VstSpeakerArrangement*>(block);
    (*arrangement)->numChannels = numChannels;
    return true;
}

bool AudioEffectX::deallocateArrangement(VstSpeakerArrangement** arrangement) {
    if (arrangement && *arrangement) {
        std::free(*arrangement);
        *arrangement = nullptr;
    }
    return true;
}

bool AudioEffectX::copySpeaker(VstSpeakerProperties* to, VstSpeakerProperties* from) {
    if (!to || !from) return false;
    // The name as text, kept inside its 64 bytes even when the source has no terminator.
    const void* end = std::memchr(from->name, 0, sizeof from->name);
    const size_t length = end ? static_cast<const char*>(end) - from->name : sizeof from->name - 1;
    std::memcpy(to->name, from->name, length);
    to->name[length] = 0;
    to->type = from->type;
    to->azimuth = from->azimuth;
    to->elevation = from->elevation;
    to->radius = from->radius;
    to->reserved = from->reserved;
    std::memcpy(to->future, from->future, sizeof to->future);
    return true;
}

bool AudioEffectX::matchArrangement(VstSpeakerArrangement** to, VstSpeakerArrangement* from) {
    if (!from) return false;
    // Matching an arrangement to itself would release the source before it is read.
    if (to && *to == from) return true;
    if (!deallocateArrangement(to) || !allocateArrangement(to, from->numChannels)) return false;
    (*to)->type = from->type;
    for (VstInt32 channel = 0; channel < from->numChannels; ++channel) {
        if (!copySpeaker(speakerAt(*to, channel), speakerAt(from, channel))) return false;
    }
    return true;
}
