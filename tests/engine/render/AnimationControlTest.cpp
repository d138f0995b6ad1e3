#include "engine/render/AnimationControl.h"

#include <gtest/gtest.h>

using namespace VantoranEngine;

TEST(AnimationControl, UpdateTable)
{
    struct Case {
        const char* what;
        uint32_t frames;
        int id;
        AnimationRange range; // added under id unless id is -1
        bool loop, play;
        float speed, time, frameTime;
        uint32_t current, next;
        float blend;
        bool playAfter;
        float timeAfter;
    };
    const Case cases[] = {
        {"loop inside", 30, -1, {}, true, true, 30, 28.0f, 0.5f / 30, 28, 29, 0.5f, true, 28.5f},
        {"loop wraps by n - 1", 30, -1, {}, true, false, 30, 29.25f, 0.0f, 0, 1, 0.25f, false, 0.25f},
        {"one-shot ends on its last frame", 30, 7, {4, 10}, false, true, 0, 6.0f, 0.0f, 10, 4, 0.0f, false, 6.0f},
        {"one-shot before the end", 30, 7, {4, 10}, false, true, 0, 2.5f, 0.0f, 6, 7, 0.5f, true, 2.5f},
        {"one-frame range wraps at 1", 30, 3, {12, 12}, true, true, 10, 0.0f, 0.15f, 12, 12, 0.5f, true, 0.5f},
        {"one frame at a huge rate", 1, -1, {}, true, true, 3e38f, 0.0f, 0.02f, 0, 0, 0.0f, true, 0.0f},
        {"endless time restarts", 30, -1, {}, true, true, 3e38f, 3e38f, 2.0f, 0, 1, 0.0f, true, 0.0f},
        {"range past the model is cut", 10, 5, {20, 40}, true, true, 0, 0.0f, 0.0f, 9, 9, 0.0f, true, 0.0f},
        {"reversed range is cut", 30, 5, {10, 4}, true, true, 0, 0.0f, 0.0f, 4, 4, 0.0f, true, 0.0f},
        {"long range cut to the last frame", 10, 5, {5, 40}, true, true, 0, 6.5f, 0.0f, 7, 8, 0.5f, true, 2.5f},
        {"negative time stays at zero", 30, -1, {}, true, true, 1, -5.0f, 0.0f, 0, 1, 0.0f, true, 0.0f},
    };
    for (const Case& c : cases) {
        AnimationControl control(c.frames, nullptr, nullptr, nullptr);
        if (c.id != -1)
            control.AddAnimation(c.id, c.range.first, c.range.last);
        control.currentId = c.id;
        control.loop = c.loop;
        control.play = c.play;
        control.speed = c.speed;
        control.time = c.time;
        control.Advance(c.frameTime);
        EXPECT_EQ(control.currentFrame, c.current) << c.what;
        EXPECT_EQ(control.nextFrame, c.next) << c.what;
        EXPECT_FLOAT_EQ(control.blend, c.blend) << c.what;
        EXPECT_EQ(control.play != 0, c.playAfter) << c.what;
        EXPECT_FLOAT_EQ(control.time, c.timeAfter) << c.what;
        EXPECT_LT(control.currentFrame, c.frames) << c.what;
        EXPECT_LT(control.nextFrame, c.frames) << c.what;
    }
}

TEST(AnimationControl, UnknownIdIsAddedAtFrameZeroAndKeepsItsRange)
{
    AnimationControl control(30, nullptr, nullptr, nullptr);
    EXPECT_EQ(control.animations.at(-1).last, 29u);
    control.currentId = 9;
    control.time = 3.0f;
    control.Advance(0.0f);
    EXPECT_EQ(control.currentFrame, 0u);
    control.AddAnimation(9, 5, 8);
    EXPECT_EQ(control.animations.at(9).first, 0u);
    EXPECT_EQ(control.animations.at(9).last, 0u);

    AnimationControl copy(control);
    EXPECT_EQ(copy.animations.size(), 2u);
}
