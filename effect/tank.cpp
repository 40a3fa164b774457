// The reverb tank's controls: room size, damping, hold and clearing.
#include "effect/tarnwell.h"

namespace {

constexpr float kRoomScale = 0.28f;
constexpr float kRoomOffset = 0.7f;
constexpr float kDampingScale = 0.4f;
constexpr float kTankInputGain = 0.015f;
constexpr float kHoldThreshold = 0.5f;

}  // namespace

void Tarnwell::setroomsize(float value)
{
    roomSize = value * kRoomScale + kRoomOffset;
    update();
}

float Tarnwell::getroomsize()
{
    return (roomSize - kRoomOffset) / kRoomScale;
}

void Tarnwell::setdamp(float value)
{
    damping = value * kDampingScale;
    update();
}

void Tarnwell::setmode(float value)
{
    tankMode = value;
    update();
}

float Tarnwell::getmode()
{
    return tankMode >= kHoldThreshold ? 1.0f : 0.0f;
}

void Tarnwell::update()
{
    if (tankMode >= kHoldThreshold) {
        roomFeedback = 1.0f;
        tankGain = 0.0f;
        dampingInForce = 0.0f;
    } else {
        roomFeedback = roomSize;
        tankGain = kTankInputGain;
        dampingInForce = damping;
    }
    for (int i = 0; i < 8; ++i) {
        leftCombs[i].setfeedback(roomFeedback);
        rightCombs[i].setfeedback(roomFeedback);
    }
    for (int i = 0; i < 8; ++i) {
        leftCombs[i].setdamp(dampingInForce);
        rightCombs[i].setdamp(dampingInForce);
    }
}

void Tarnwell::mute()
{
    if (getmode() >= kHoldThreshold)
        return;
    clearTank();
}

void Tarnwell::clearTank()
{
    for (int i = 0; i < 8; ++i) {
        leftCombs[i].mute();
        rightCombs[i].mute();
    }
    for (int i = 0; i < 4; ++i) {
        leftAllpasses[i].mute();
        rightAllpasses[i].mute();
    }
}
