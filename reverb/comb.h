// Feedback comb with a one-pole low-pass (the damping) inside its loop.
// The caller owns the buffer and keeps it alive and unmoved while the unit runs.
#ifndef TARNWELL_REVERB_COMB_H
#define TARNWELL_REVERB_COMB_H

#include "reverb/flush.h"

class comb {
public:
    void setbuffer(float* buf, int size)
    {
        buffer = buf;
        this->size = size;
    }

    // Silences the stored samples only; filterstate and index stay.
    void mute()
    {
        for (int i = 0; i < size; ++i)
            buffer[i] = 0.0f;
    }

    void setdamp(float val)
    {
        damp = val;
        undamp = 1.0f - val;
    }
    float getdamp() const { return damp; }

    void setfeedback(float val) { feedback = val; }
    float getfeedback() const { return feedback; }

    float process(float input)
    {
        const float output = reverb_flush(buffer[index]);
        filterstate = reverb_flush(output * undamp + filterstate * damp);
        buffer[index] = input + filterstate * feedback;
        if (++index >= size)
            index = 0;
        return output;
    }

private:
    float feedback = 0.0f;
    float filterstate = 0.0f;
    float damp = 0.0f;
    float undamp = 1.0f;
    float* buffer = nullptr;
    int size = 0;
    int index = 0;
};

#endif
