// Every model and image of the area tables, read back through a running engine: frame counts, the
// flags the GUI draws by, helper anchors and box centres the code follows, image sizes and partners.
#include "tools/databuild/Manifest.h"

#include "GameDataFixture.h"
#include "engine/core/Engine.h"
#include "engine/core/MessageManager.h"
#include "engine/render/AnimationControl.h"
#include "engine/render/Model.h"
#include "engine/render/ModelManager.h"
#include "engine/render/ShaderDescriptor.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <set>

using namespace VantoranEngine;

namespace {

class ModelAudit : public GameDataTest {
protected:
    static std::vector<std::string> Problems()
    {
        std::vector<std::string> problems;
        for (const LogEntry& entry : engine->messageManager->TakeEntries())
            if (entry.kind >= LogEntry::Warning)
                problems.push_back(entry.text);
        return problems;
    }

    static std::filesystem::path Native(std::string name)
    {
        std::replace(name.begin(), name.end(), '\\', '/');
        return std::filesystem::path(BRINDLE_GAME_FOLDER) / "data" / name;
    }
};

TEST_F(ModelAudit, EveryModelHasTheFramesFlagsAndAnchorsTheCodeUses)
{
    Problems();
    for (const DataBuild::Area* area : DataBuild::Areas())
        for (const DataBuild::ModelSpec& spec : area->models) {
            SCOPED_TRACE(spec.name);
            ASSERT_TRUE(std::filesystem::exists(Native(spec.name)));
            std::unique_ptr<Model> model(engine->modelManager->LoadDetachedModel(spec.name, 32));
            ASSERT_TRUE(model);
            // Active (updated and drawn), GUI class with manual depth, vertex colours, triangle list; never
            // lit or depth-tested.
            EXPECT_EQ(model->flags & 0x4FEFF, spec.frames == 1 ? 0x40C29u : 0x40C2Au);
            if (spec.frames > 1) {
                ASSERT_TRUE(model->animationControl);
                EXPECT_EQ(model->animationControl->frameCount, spec.frames);
                ASSERT_EQ(model->frameBoxes.size(), spec.frames);
            }
            for (const DataBuild::Anchor& anchor : spec.anchors) {
                ASSERT_LT(anchor.frame, spec.frames);
                const BoundingBox& box = spec.frames > 1 ? model->frameBoxes[anchor.frame] : model->boundingBox;
                EXPECT_NEAR((box.min.x + box.max.x) / 2, anchor.x, 0.5f) << "frame " << anchor.frame;
                EXPECT_NEAR((box.min.y + box.max.y) / 2, anchor.y, 0.5f) << "frame " << anchor.frame;
            }
            std::string materialName = spec.name.substr(0, spec.name.rfind('.')) + ".srf";
            const ShaderDescriptor material = ShaderDescriptor::Load(materialName, engine->messageManager.get(),
                                                                     engine->fileManager.get());
            if (spec.helper) {
                EXPECT_EQ(material.stageCount, 0u) << "helpers draw nothing";
                EXPECT_EQ(model->triangleCount, 1u);
            } else {
                EXPECT_GE(material.stageCount, 1u);
            }
            EXPECT_EQ(Problems(), std::vector<std::string>{});
        }
}

TEST_F(ModelAudit, EveryModelOnDiskIsListedAndEveryListedImageHasItsSize)
{
    std::set<std::string> listed;
    for (const DataBuild::Area* area : DataBuild::Areas())
        for (const DataBuild::ModelSpec& spec : area->models) {
            std::string name = spec.name;
            std::transform(name.begin(), name.end(), name.begin(), [](unsigned char c) { return std::tolower(c); });
            EXPECT_TRUE(listed.insert(name).second) << "listed twice: " << spec.name;
        }
    const auto data = std::filesystem::path(BRINDLE_GAME_FOLDER) / "data";
    for (const auto& entry : std::filesystem::recursive_directory_iterator(data)) {
        if (entry.path().extension() != ".mlf")
            continue;
        std::string name = std::filesystem::relative(entry.path(), data).string();
        std::replace(name.begin(), name.end(), '/', '\\');
        EXPECT_TRUE(listed.count(name)) << "not in any area table: " << name;
    }

    for (const DataBuild::Area* area : DataBuild::Areas())
        for (const DataBuild::ImageSpec& image : area->images) {
            SCOPED_TRACE(image.name);
            const std::string opacity = image.name.substr(0, image.name.size() - 4) + "_alpha.jpg";
            for (const std::string& name : image.opacity ? std::vector{image.name, opacity} : std::vector{image.name}) {
                const std::string bytes = TempFolder::ReadFile(Native(name).string());
                ASSERT_GT(bytes.size(), 4u) << name;
                // The frame header of a baseline JPEG holds the height, then the width.
                const size_t sof = bytes.find("\xFF\xC0");
                ASSERT_NE(sof, std::string::npos) << name;
                auto u16 = [&](size_t at) { return uint32_t(uint8_t(bytes[at])) << 8 | uint8_t(bytes[at + 1]); };
                EXPECT_EQ(u16(sof + 5), image.height) << name;
                EXPECT_EQ(u16(sof + 7), image.width) << name;
            }
        }
}

} // namespace
