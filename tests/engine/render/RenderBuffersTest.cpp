// Vertex and index buffers made through the Direct3D 7 render system's factories.

#include "RenderTestSupport.h"

#include "engine/render/IndexBuffer.h"
#include "engine/render/VertexBuffer.h"

#include <cmath>
#include <cstring>
#include <limits>

using namespace VantoranEngine;

namespace {

class RenderBuffers : public RenderFixture {
protected:
    void SetUp() override {
        Platform::Test::SetHeadlessWindows(true);
        RenderFixture::SetUp();
        Start();
    }

    static std::uint32_t ColorAt(const VertexBuffer& buffer, int vertex) {
        std::uint32_t argb;
        std::memcpy(&argb, buffer.vertices.data() + vertex * buffer.vertexSize + VertexBuffer::kColorOffset, 4);
        return argb;
    }
};

} // namespace

TEST_F(RenderBuffers, IndexWidthFollowsTheCount) {
    std::unique_ptr<IndexBuffer> small(render->CreateIndexBuffer(0, 65535));
    std::unique_ptr<IndexBuffer> large(render->CreateIndexBuffer(0, 65536));
    EXPECT_EQ(small->is32Bit, 0u);
    EXPECT_EQ(small->indexSize, 2);
    EXPECT_EQ(large->is32Bit, 1u);
    EXPECT_EQ(large->indexSize, 4);
    EXPECT_EQ(large->usedIndexCount, 65536u);
}

TEST_F(RenderBuffers, PackColorClampsRoundsAndTreatsNaNAsZero) {
    std::unique_ptr<VertexBuffer> buffer(render->CreateVertexBuffer(0, 1, 1));
    EXPECT_EQ(buffer->PackColor({0.5f, 1.2f, -0.3f, 1.0f}), 0xFF80FF00u);
    EXPECT_EQ(buffer->PackColor({std::numeric_limits<float>::quiet_NaN(), 0, 0, 1}), 0xFF000000u);
    const Color c = buffer->UnpackColor(0x80FF0040);
    EXPECT_FLOAT_EQ(c.r, 1.0f);
    EXPECT_FLOAT_EQ(c.b, 64 / 255.0f);
    EXPECT_FLOAT_EQ(c.a, 128 / 255.0f);
}

TEST_F(RenderBuffers, SetColorWritesEveryColouredVertexAndLeavesPlainBuffersAlone) {
    std::unique_ptr<VertexBuffer> coloured(render->CreateVertexBuffer(0, 1, 3));
    EXPECT_EQ(ColorAt(*coloured, 2), 0xFFFFFFFFu); // new coloured buffers are opaque white
    coloured->Lock(0, 1);
    coloured->SetColor({0, 1, 0, 1});
    EXPECT_EQ(coloured->locked, 0);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(ColorAt(*coloured, i), 0xFF00FF00u);

    std::unique_ptr<VertexBuffer> plain(render->CreateVertexBuffer(0, 0, 2));
    std::memset(plain->vertices.data(), 0x11, plain->vertices.size());
    plain->SetColor({0, 1, 0, 1});
    EXPECT_EQ(plain->vertexSize, 32);
    EXPECT_TRUE(std::all_of(plain->vertices.begin(), plain->vertices.end(), [](std::uint8_t b) { return b == 0x11; }));
}

TEST_F(RenderBuffers, ConversionsKeepPositionNormalAndUvAndSetOrDropTheColour) {
    std::unique_ptr<VertexBuffer> plain(render->CreateVertexBuffer(1, 0, 2));
    float* v = static_cast<float*>(plain->Lock(0, 2));
    for (int i = 0; i < 16; ++i) v[i] = static_cast<float>(i + 1);
    plain->Unlock();

    std::unique_ptr<VertexBuffer> coloured(render->CreateConvertedVertexBuffer(0, 1, *plain));
    EXPECT_EQ(coloured->vertexSize, 36);
    EXPECT_EQ(coloured->usage, 0);
    EXPECT_EQ(ColorAt(*coloured, 1), 0xFFFFFFFFu);
    float uv[2];
    std::memcpy(uv, coloured->vertices.data() + 36 + 28, 8);
    EXPECT_EQ(uv[0], 15.0f);
    EXPECT_EQ(uv[1], 16.0f);

    coloured->SetColor({1, 0, 0, 1});
    std::unique_ptr<VertexBuffer> back(render->CreateConvertedVertexBuffer(0, 0, *coloured));
    EXPECT_EQ(back->vertices, plain->vertices);

    std::unique_ptr<VertexBuffer> clone(render->CloneVertexBuffer(*coloured));
    EXPECT_EQ(clone->vertices, coloured->vertices);
    EXPECT_EQ(clone->hasColor, 1);
}

TEST_F(RenderBuffers, IndexRangeCoversTheUsedIndicesAndCopiesEndStale) {
    std::unique_ptr<IndexBuffer> buffer(render->CreateIndexBuffer(0, 4));
    auto* indices = static_cast<std::uint16_t*>(buffer->Lock(0, 4));
    indices[0] = 7;
    indices[1] = 3;
    indices[2] = 9;
    indices[3] = 100; // not in use
    buffer->Unlock();
    buffer->usedIndexCount = 3;
    buffer->UpdateIndexRange();
    EXPECT_EQ(buffer->lowestIndex, 3u);
    EXPECT_EQ(buffer->indexRange, 7u);
    EXPECT_EQ(buffer->rangeStale, 0);

    std::unique_ptr<IndexBuffer> clone(render->CreateConvertedIndexBuffer(1, *buffer));
    EXPECT_EQ(clone->usage, 1u);
    EXPECT_EQ(clone->usedIndexCount, 3u);
    EXPECT_EQ(clone->rangeStale, 1);
    EXPECT_EQ(clone->indices, buffer->indices);

    buffer->usedIndexCount = 0;
    buffer->UpdateIndexRange();
    EXPECT_EQ(buffer->indexRange, 0u);
}
