// A running engine over the data the build wrote (BRINDLE_GAME_FOLDER/data), and the readers the audits
// that look inside models and opacity images share.
#pragma once

#include "EngineTestSupport.h"
#include "TempFolder.h"
#include "engine/core/Engine.h"
#include "engine/core/files/FileTextual.h"
#include "engine/render/AnimationControl.h"
#include "engine/render/IndexBuffer.h"
#include "engine/render/JpegCodec.h"
#include "engine/render/Model.h"
#include "engine/render/ModelManager.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

// One engine a suite: starting it reads the fonts, texts and settings, too slow to repeat per test.
class GameDataTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        user = std::make_unique<TempFolder>();
        engine = std::make_unique<VantoranEngine::Engine>(TestEngineDescriptor(BRINDLE_GAME_FOLDER, user->Path()));
    }
    static void TearDownTestSuite()
    {
        engine.reset();
        user.reset();
    }

    // A model of its own, outside the scene; with a frame count, it must have exactly that many frames.
    static std::unique_ptr<VantoranEngine::Model> LoadModel(const std::string& name, uint32_t frames = 0)
    {
        std::unique_ptr<VantoranEngine::Model> model(engine->modelManager->LoadDetachedModel(name, 32));
        EXPECT_TRUE(model && model->animationControl) << name;
        if (frames && model && model->animationControl) {
            EXPECT_EQ(model->animationControl->frameCount, frames) << name;
            EXPECT_EQ(model->morphVertices.size() % frames, 0u) << name;
        }
        return model;
    }

    // The vertices of one morph frame.
    static std::vector<VantoranEngine::MorphVertex> Frame(const VantoranEngine::Model& model, uint32_t frame)
    {
        const size_t count = model.morphVertices.size() / model.animationControl->frameCount;
        return {model.morphVertices.begin() + frame * count, model.morphVertices.begin() + (frame + 1) * count};
    }

    // The triangles one morph frame draws, corner by corner.
    static std::vector<std::array<VantoranEngine::MorphVertex, 3>> Triangles(const VantoranEngine::Model& model,
                                                                            uint32_t frame)
    {
        const std::vector<VantoranEngine::MorphVertex> vertices = Frame(model, frame);
        const VantoranEngine::IndexBuffer& indices = *model.indexBuffer;
        std::vector<std::array<VantoranEngine::MorphVertex, 3>> triangles;
        for (uint32_t i = 0; i + 2 < indices.usedIndexCount; i += 3) {
            std::array<VantoranEngine::MorphVertex, 3> corners;
            for (uint32_t k = 0; k < 3; ++k) {
                uint32_t index = 0;
                if (indices.is32Bit) {
                    std::memcpy(&index, indices.indices.data() + size_t{i + k} * 4, 4);
                } else {
                    uint16_t narrow;
                    std::memcpy(&narrow, indices.indices.data() + size_t{i + k} * 2, 2);
                    index = narrow;
                }
                corners[k] = vertices[index];
            }
            triangles.push_back(corners);
        }
        return triangles;
    }

    static inline std::unique_ptr<TempFolder> user;
    static inline std::unique_ptr<VantoranEngine::Engine> engine;
};

// A greyscale opacity image as the decoder gives it.
struct Opacity {
    uint32_t width = 0, height = 0;
    std::vector<uint8_t> texels; // top row first
    uint8_t At(uint32_t x, uint32_t y) const { return texels[size_t{y} * width + x]; }
};

inline Opacity ReadOpacity(const std::string& name)
{
    const std::string bytes = TempFolder::ReadFile(std::string(BRINDLE_GAME_FOLDER) + "/data/" + name);
    size_t at = 0;
    Opacity image;
    uint32_t components = 0;
    std::string failure;
    const bool decoded = VantoranEngine::JpegCodec::Decode(
        [&](uint8_t* buffer, uint32_t count) {
            const uint32_t n = static_cast<uint32_t>(std::min<size_t>(count, bytes.size() - at));
            std::memcpy(buffer, bytes.data() + at, n);
            at += n;
            return n;
        },
        [&](uint32_t width, uint32_t height, uint32_t channels) {
            image.width = width;
            image.height = height;
            components = channels;
            image.texels.resize(size_t{width} * height * channels);
            return image.texels.data();
        },
        failure);
    EXPECT_TRUE(decoded) << name << ": " << failure;
    EXPECT_EQ(components, 1u) << name;
    return image;
}

// The next non-empty word, as the game's readers take it; empty at the end of the file.
inline std::string NextWord(VantoranEngine::FileTextual& file)
{
    std::string word;
    while (file.ReadString(word, true))
        if (!word.empty())
            return word;
    return {};
}
