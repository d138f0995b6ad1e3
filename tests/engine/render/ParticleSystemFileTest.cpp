#include "engine/render/ParticleSystemFile.h"

#include "engine/core/Error.h"
#include "engine/core/MemoryManager.h"
#include "engine/core/MessageManager.h"
#include "engine/core/files/FileBinary.h"
#include "tools/formats/ParticleWriter.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>

using namespace VantoranEngine;

namespace {

class ParticleSystemFileTest : public ::testing::Test {
protected:
    ParticleSystemFile ReadBytes(const std::vector<uint8_t>& bytes)
    {
        FileBinary file(&memory, "fx.psf", false, true, true, true, bytes.data(), static_cast<uint32_t>(bytes.size()));
        return ParticleSystemFile::Read(file, "particles\\fx.psf");
    }

    // The FileError's text, or "" when the bytes were accepted.
    std::string Refusal(const std::vector<uint8_t>& bytes)
    {
        try {
            ReadBytes(bytes);
        } catch (const FileError& error) {
            return error.message;
        }
        return "";
    }

    MessageManager log{"", "", "particle-test", false, false};
    MemoryManager memory{&log};
};

Formats::ParticleSystemFile Distinct()
{
    Formats::ParticleSystemFile f;
    f.particleCount = 37;
    f.period = 2.5f;
    f.gravityEnabled = 0;
    f.gravity = 3.25f;
    f.floorEnabled = 0;
    f.floorZ = -7.0f;
    f.bounce = 0.5f;
    f.killWhenSlow = 0;
    f.minimumSpeedFactor = 0.125f;
    f.interpolateEmission = 0;
    for (int i = 0; i < 6; ++i) {
        const float k = static_cast<float>(i);
        f.emissionRate[i] = 1 + k;
        f.lifetime[i] = 2 + k;
        f.lifetimeSpread[i] = 3 + k;
        f.direction[i] = {4 + k, 5 + k, 6 + k};
        f.directionSpread[i] = {7 + k, 8 + k, 9 + k};
        f.colour[i] = {k / 8, k / 16, k / 32, 1 - k / 8};
        f.size[i] = 10 + k;
        f.speed[i] = 11 + k;
        f.speedSpread[i] = 12 + k;
    }
    f.emitterShape = 1;
    f.boxMin = {-1, -2, -3};
    f.boxMax = {4, 5, 6};
    return f;
}

TEST_F(ParticleSystemFileTest, WrittenFileReadsBackFieldForField)
{
    const Formats::ParticleSystemFile f = Distinct();
    const std::vector<uint8_t> bytes = Formats::EncodeParticleSystem(f);
    ASSERT_EQ(bytes.size(), ParticleSystemFile::currentSize);
    EXPECT_EQ(bytes[9], 204);
    float at401 = 0;
    std::memcpy(&at401, &bytes[401], 4);
    EXPECT_EQ(at401, 12.0f); // speed spread key 0 sits at 401 in version 204

    const ParticleSystemFile read = ReadBytes(bytes);
    const ParticleSystemDescriptor& d = read.descriptor;
    EXPECT_EQ(read.particleCount, 37u);
    EXPECT_EQ(d.period, 2.5f);
    EXPECT_EQ(d.gravityEnabled, 0);
    EXPECT_EQ(d.gravity, 3.25f);
    EXPECT_EQ(d.floorEnabled, 0);
    EXPECT_EQ(d.floorZ, -7.0f);
    EXPECT_EQ(d.bounce, 0.5f);
    EXPECT_EQ(d.killWhenSlow, 0);
    EXPECT_EQ(d.minimumSpeedFactor, 0.125f);
    EXPECT_EQ(d.interpolateEmission, 0);
    for (int i = 0; i < 6; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(d.emissionRate[i], f.emissionRate[i]);
        EXPECT_EQ(d.lifetime[i], f.lifetime[i]);
        EXPECT_EQ(d.lifetimeSpread[i], f.lifetimeSpread[i]);
        EXPECT_EQ(d.direction[i].x, f.direction[i][0]);
        EXPECT_EQ(d.direction[i].z, f.direction[i][2]);
        EXPECT_EQ(d.directionSpread[i].y, f.directionSpread[i][1]);
        EXPECT_EQ(d.colour[i].r, f.colour[i][0]);
        EXPECT_EQ(d.colour[i].a, f.colour[i][3]);
        EXPECT_EQ(d.size[i], f.size[i]);
        EXPECT_EQ(d.speed[i], f.speed[i]);
        EXPECT_EQ(d.speedSpread[i], f.speedSpread[i]);
    }
    EXPECT_EQ(read.emitterShape, 1u);
    EXPECT_EQ(read.boxMin.y, -2.0f);
    EXPECT_EQ(read.boxMax.z, 6.0f);
}

TEST_F(ParticleSystemFileTest, Version203HasNoSpeedSpread)
{
    const std::vector<uint8_t> bytes = Formats::EncodeParticleSystem(Distinct(), 203);
    ASSERT_EQ(bytes.size(), ParticleSystemFile::oldSize);
    const ParticleSystemFile read = ReadBytes(bytes);
    for (float spread : read.descriptor.speedSpread)
        EXPECT_EQ(spread, 0.0f);
    EXPECT_EQ(read.descriptor.speed[5], 16.0f);
    EXPECT_EQ(read.emitterShape, 1u);
    EXPECT_EQ(read.boxMax.x, 4.0f);
}

TEST_F(ParticleSystemFileTest, RefusesBadFiles)
{
    const std::string format = "Incorrect \"particles\\fx.psf\" file format";
    const std::string version = "Incorrect \"particles\\fx.psf\" format version, current is 204";
    const auto with = [](auto change) {
        Formats::ParticleSystemFile f;
        change(f);
        return Formats::EncodeParticleSystem(f);
    };
    std::vector<uint8_t> longer = Formats::EncodeParticleSystem({});
    longer.push_back(0);
    std::vector<uint8_t> magic = Formats::EncodeParticleSystem({});
    magic[4] = 'X';
    // A header that claims the short length of a cut file: the read itself runs out.
    std::vector<uint8_t> cut = Formats::EncodeParticleSystem({});
    cut.resize(200);
    cut[0] = 200;
    cut[1] = 0;

    const struct {
        const char* what;
        std::vector<uint8_t> bytes;
        std::string error;
    } cases[] = {
        {"size", longer, format},
        {"magic", magic, format},
        {"version 205", Formats::EncodeParticleSystem({}, 205), version},
        {"no particles", with([](auto& f) { f.particleCount = 0; }), format},
        {"too many particles", with([](auto& f) { f.particleCount = 10923; }), format},
        {"count wraps the buffers", with([](auto& f) { f.particleCount = 0x40000000; }), format},
        {"zero period", with([](auto& f) { f.period = 0; }), format},
        {"negative period", with([](auto& f) { f.period = -1; }), format},
        {"NaN period", with([](auto& f) { f.period = std::numeric_limits<float>::quiet_NaN(); }), format},
        {"largest count", with([](auto& f) { f.particleCount = 10922; }), ""},
        {"tiny period", with([](auto& f) { f.period = 1e-6f; }), ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Refusal(c.bytes), c.error) << c.what;
    EXPECT_NE(Refusal(cut), "");
}

} // namespace
