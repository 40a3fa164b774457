// Feedback all-pass diffuser. The caller owns the buffer and keeps it alive and
// unmoved while the unit runs.
#ifndef TARNWELL_REVERB_ALLPASS_H
#define TARNWELL_REVERB_ALLPASS_H

#include "reverb/flush.h"

class allpass {
public:
    void setbuffer(float* buf, int size)
    {
        buffer = buf;
        this->size = size;
    }

    // Silences the stored samples only; index stays.
    void mute()
    {
        for (int i = 0; i < size; ++i)
            buffer[i] = 0.0f;
    }

    void setfeedback(float val) { feedback = val; }
    float getfeedback() const { return feedback; }

    float process(float input)
    {
        const float delayed = reverb_flush(buffer[index]);
        buffer[index] = input + delayed * feedback;
        if (++index >= size)
            index = 0;
        return delayed - input;
    }

private:
    float feedback = 0.0f;
    float* buffer = nullptr;
    int size = 0;
    int index = 0;
};

#endif
