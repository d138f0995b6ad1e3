#pragma once
// The frame player of a model: a table of frame ranges keyed by id (-1 is the whole model), the id being
// played, a time in frames from the range's first frame, a speed in frames per second, and the loop and
// play switches. Each update turns them into the two absolute frames to blend and the blend weight.
//
// Ranges are kept inside the model: a range whose last frame lies past the model's frames is cut to the
// last frame, one whose first frame lies after its last is cut to its first frame, and the resulting
// frames never reach frameCount. time never goes below 0.

#include <cstdint>
#include <map>

namespace VantoranEngine {

class MessageManager;
class MemoryManager;
class TimerManager;

struct AnimationRange {
    uint32_t first = 0;
    uint32_t last = 0;
};

class AnimationControl {
public:
    AnimationControl(uint32_t frameCount, MessageManager* log, MemoryManager* memory, TimerManager* timers);
    AnimationControl(const AnimationControl& other) = default;
    AnimationControl& operator=(const AnimationControl&) = delete;
    virtual ~AnimationControl() = default;

    // An id already in the table keeps its old range.
    void AddAnimation(int id, uint32_t first, uint32_t last);
    // Steps by the timer manager's frame time.
    void Update();
    // One step by the given frame time in seconds.
    void Advance(float frameTime);

    MessageManager* log;
    MemoryManager* memory;
    TimerManager* timers;
    uint32_t frameCount;
    float speed = 0.0f;  // frames per second
    float time = 0.0f;   // frames from the range's first frame
    uint8_t loop = 0;
    uint8_t play = 0;
    std::map<int, AnimationRange> animations;
    int currentId = -1;
    uint32_t currentFrame = 0; // absolute frames, results of the last update
    uint32_t nextFrame = 0;
    float blend = 0.0f;        // weight of nextFrame, 0 up to below 1
};

} // namespace VantoranEngine
