#include "engine/render/AnimationControl.h"

#include "engine/core/TimerManager.h"

#include <cmath>

namespace VantoranEngine {

AnimationControl::AnimationControl(uint32_t frames, MessageManager* logManager, MemoryManager* memoryManager,
                                   TimerManager* timerManager)
    : log(logManager), memory(memoryManager), timers(timerManager), frameCount(frames)
{
    AddAnimation(-1, 0, frameCount == 0 ? 0 : frameCount - 1);
    time = 0.0f;
    currentId = -1;
}

void AnimationControl::AddAnimation(int id, uint32_t first, uint32_t last)
{
    animations.emplace(id, AnimationRange{first, last});
}

void AnimationControl::Update()
{
    Advance(timers != nullptr ? timers->frameTime : 0.0f);
}

void AnimationControl::Advance(float frameTime)
{
    AnimationRange range = animations.try_emplace(currentId, AnimationRange{0, 0}).first->second;
    // A range outside the model would make the model read frames it does not have.
    const uint32_t lastFrame = frameCount == 0 ? 0 : frameCount - 1;
    range.last = range.last > lastFrame ? lastFrame : range.last;
    range.first = range.first > range.last ? range.last : range.first;

    blend = 0.0f;
    currentFrame = 0;
    nextFrame = 0;
    const uint32_t n = range.last - range.first + 1;
    if (play)
        time += frameTime * speed;
    if (!(time >= 0.0f) || !std::isfinite(time))
        time = 0.0f; // negative, infinite or NaN time would never wrap

    if (!loop && !(static_cast<float>(n) > time + 1.0f)) {
        currentFrame = n - 1 + range.first;
        nextFrame = range.first;
        time = static_cast<float>(n - 1);
        play = 0;
        return;
    }
    // A range of one frame wraps at 1 (its blend runs 0..1), else the time would grow past any frame number.
    const float period = n > 1 ? static_cast<float>(n - 1) : 1.0f;
    if (time >= period)
        time = std::fmod(time, period);
    const uint32_t k = static_cast<uint32_t>(time);
    blend = time - static_cast<float>(k);
    const uint32_t frame = k >= n ? k % n : k;
    currentFrame = frame + range.first;
    nextFrame = (frame + 1 >= n ? 0 : frame + 1) + range.first;
}

} // namespace VantoranEngine
