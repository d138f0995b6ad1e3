#include "engine/render/gui/GUIWindow.h"

#include "engine/core/MessageManager.h"
#include "engine/render/IndexBuffer.h"
#include "engine/render/Matrix4.h"
#include "engine/render/Model.h"
#include "engine/render/ModelManager.h"
#include "engine/render/ShaderManager.h"
#include "engine/render/VertexBuffer.h"
#include "engine/render/gui/GUIFont.h"
#include "engine/render/gui/GUIFontManager.h"
#include "engine/render/gui/GUITextManager.h"

#include <algorithm>
#include <cstring>

namespace VantoranEngine {

namespace {

// The GUI draw order: back to front by the depth the window sets.
constexpr uint32_t guiOrderFlags = ModelFlag::backToFront | ModelFlag::manualDepth;
// Model flags of a textured quad: static vertices, 0x10 (carried), and the GUI draw order.
constexpr uint32_t quadModelFlags = ModelFlag::staticVertices | 0x10 | guiOrderFlags;
// Flags a cloned or loaded model loses: drawn, depth test, lighting, front-to-back order.
constexpr uint32_t clearedModelFlags = ModelFlag::active | ModelFlag::depthTest | ModelFlag::lit | ModelFlag::frontToBack;

// The unit square's corners: position (x, y) and texture coordinates as shares of uvExtent.
struct QuadCorner {
    float x, y, u, v;
};
constexpr QuadCorner quadCorners[4] = {{1, 0, 1, 0}, {1, 1, 1, 1}, {0, 0, 0, 0}, {0, 1, 0, 1}};

} // namespace

GUIVisual GUIVisual::Quad(const ShaderDescriptor& descriptor, const Vector2& uvExtent)
{
    GUIVisual visual;
    visual.kind = Kind::Quad;
    visual.descriptor = descriptor;
    visual.uvExtent = uvExtent;
    return visual;
}

GUIVisual GUIVisual::Clone(const Model* prototype)
{
    GUIVisual visual;
    visual.kind = prototype != nullptr ? Kind::Clone : Kind::None;
    visual.prototype = prototype;
    return visual;
}

GUIVisual GUIVisual::File(const std::string& fileName)
{
    GUIVisual visual;
    visual.kind = Kind::File;
    visual.fileName = fileName;
    return visual;
}

GUIWindow::GUIWindow(const GUIServices& services, uint32_t flags, const Vector2& position, const Vector2& size,
                     GUIWindow* parent, const GUIVisual& visual)
    : services(services)
{
    CreateModel(visual, flags);
    this->flags = 0;
    SetFlags(flags);
    layer = 1;
    SetParent(parent);
    this->position = position;
    this->size = size;
    placeModel = true;
    hovered = false;
    textCount = 0;
}

GUIWindow::~GUIWindow()
{
    if (parent != nullptr)
        parent->RemoveChild(this);
    parent = nullptr;
    const std::vector<GUIWindow*> orphans = children;
    children.clear();
    for (GUIWindow* child : orphans) {
        child->parent = nullptr;
        if ((child->flags & TierBits) == 0)
            child->SetDepth(rootDepth);
        child->UpdateVisibility();
    }
    if (model != nullptr) {
        if (services.modelManager != nullptr)
            services.modelManager->models.Remove(model);
        delete model;
        model = nullptr;
    }
}

void GUIWindow::CreateModel(const GUIVisual& visual, uint32_t windowFlags)
{
    if (visual.kind == GUIVisual::Kind::None || services.modelManager == nullptr)
        return;
    const bool coloured = (windowFlags & Colored) != 0;
    if (visual.kind == GUIVisual::Kind::Quad) {
        model = services.modelManager->CreateSelfMadeModel(coloured ? quadModelFlags | ModelFlag::vertexColours
                                                                    : quadModelFlags,
                                                           4, 4, &visual.descriptor, services.camera);
        VertexBuffer& vertices = *model->vertexBuffer;
        auto* bytes = static_cast<uint8_t*>(vertices.Lock(0, 4));
        const uint32_t white = vertices.PackColor(Color{1.0f, 1.0f, 1.0f, 1.0f});
        for (const QuadCorner& corner : quadCorners) {
            const float position[6] = {corner.x, corner.y, 0.0f, 0.0f, 0.0f, 1.0f}; // normal towards +z
            const float uv[2] = {corner.u * visual.uvExtent.x, corner.v * visual.uvExtent.y};
            std::memcpy(bytes, position, sizeof(position));
            if (vertices.hasColor != 0) {
                std::memcpy(bytes + VertexBuffer::kColorOffset, &white, sizeof(white));
                std::memcpy(bytes + VertexBuffer::kColorOffset + 4, uv, sizeof(uv));
            } else {
                std::memcpy(bytes + VertexBuffer::kColorOffset, uv, sizeof(uv));
            }
            bytes += vertices.vertexSize;
        }
        vertices.Unlock();
        auto* indices = static_cast<uint16_t*>(model->indexBuffer->Lock(0, 4));
        for (uint16_t i = 0; i < 4; ++i)
            indices[i] = i;
        model->indexBuffer->Unlock();
        model->ComputeBoundingBox(model->boundingBox, false);
        model->boundingBox.transform = model->worldMatrix;
        model->boundingBox.Update(true);
        return;
    }
    const uint32_t extraFlags = coloured ? ModelFlag::vertexColours : 0u;
    model = visual.kind == GUIVisual::Kind::Clone
                ? services.modelManager->CloneModel(visual.prototype, services.camera, extraFlags)
                : services.modelManager->LoadModel(visual.fileName, services.camera, extraFlags);
    model->flags = (model->flags & ~clearedModelFlags) | guiOrderFlags;
}

void GUIWindow::SetDepth(float newDepth)
{
    depth = newDepth;
    if (model != nullptr)
        model->depth = newDepth;
}

void GUIWindow::SetStageTime(float frame)
{
    if (model != nullptr && model->shaderUser != nullptr)
        model->shaderUser->stageTime[0] = frame;
}

void GUIWindow::SetFlags(uint32_t bits)
{
    if ((flags & bits) != 0)
        return;
    flags |= bits;
    if ((bits & Shown) != 0)
        UpdateVisibility();
    if (parent == nullptr) {
        if ((flags & Tier10) != 0)
            SetDepth(-10.0f);
        else if ((flags & Tier20) != 0)
            SetDepth(-20.0f);
        else if ((flags & Tier30) != 0)
            SetDepth(-30.0f);
        else
            SetDepth(rootDepth);
    }
}

void GUIWindow::SetParent(GUIWindow* newParent)
{
    if (parent != nullptr)
        parent->RemoveChild(this);
    parent = newParent;
    if (parent != nullptr) {
        parent->children.push_back(this);
        if ((flags & TierBits) != 0) {
            flags &= ~TierBits;
            SetDepth(rootDepth);
        }
        SetLayer(layer);
    } else if ((flags & TierBits) == 0) {
        SetDepth(rootDepth);
    }
    UpdateVisibility();
}

void GUIWindow::RemoveChild(GUIWindow* child)
{
    const auto found = std::find(children.begin(), children.end(), child);
    if (found != children.end())
        children.erase(found);
}

void GUIWindow::SetLayer(int32_t newLayer)
{
    layer = newLayer;
    if (parent != nullptr)
        SetDepth(parent->depth - static_cast<float>(newLayer) * layerDepthStep);
    for (GUIWindow* child : children)
        child->SetLayer(child->layer);
}

void GUIWindow::SetColor(const Color& colour)
{
    if (model != nullptr && model->vertexBuffer != nullptr)
        model->vertexBuffer->SetColor(colour);
}

Color GUIWindow::GetColor() const
{
    const VertexBuffer* vertices = model != nullptr ? model->vertexBuffer.get() : nullptr;
    if (vertices == nullptr || vertices->hasColor == 0 || vertices->vertexCount == 0)
        return Color{1.0f, 1.0f, 1.0f, 1.0f};
    uint32_t argb = 0;
    std::memcpy(&argb, vertices->vertices.data() + VertexBuffer::kColorOffset, sizeof(argb));
    return vertices->UnpackColor(argb);
}

void GUIWindow::UpdateVisibility()
{
    const bool wasVisible = visible;
    visible = (flags & Shown) != 0 && (parent == nullptr || parent->visible);
    if (visible && !wasVisible)
        hovered = false;
    if (model != nullptr)
        model->flags = visible ? model->flags | ModelFlag::active : model->flags & ~ModelFlag::active;
    for (GUIWindow* child : children)
        child->UpdateVisibility();
}

Vector2 GUIWindow::GetOrigin() const
{
    Vector2 origin;
    for (const GUIWindow* ancestor = parent; ancestor != nullptr; ancestor = ancestor->parent)
        origin = origin + ancestor->position;
    return origin;
}

Vector2 GUIWindow::GetAbsolutePosition() const
{
    return position + GetOrigin();
}

bool GUIWindow::Update(const Vector2& cursor, bool)
{
    hovered = false;
    if (!visible)
        return false;
    const Vector2 corner = GetAbsolutePosition();
    hovered = corner.x < cursor.x && cursor.x < corner.x + size.x && corner.y < cursor.y &&
              cursor.y < corner.y + size.y;
    return true;
}

bool GUIWindow::Render()
{
    if (!visible) {
        textCount = 0;
        return false;
    }
    if (placeModel && model != nullptr) {
        const Vector2 corner = GetAbsolutePosition();
        Matrix4 placement; // translation (corner, 0) times scale (size, 1)
        placement[0] = size.x;
        placement[5] = size.y;
        placement[3] = corner.x;
        placement[7] = corner.y;
        model->SetWorldMatrix(placement);
    }
    DrawTexts();
    textCount = 0;
    return true;
}

void GUIWindow::DrawTexts()
{
    if (textCount == 0 || services.fontManager == nullptr)
        return;
    const GUITextFrame frame{visible, GetAbsolutePosition(), size.x, size.y, depth};
    for (uint32_t i = 0; i < textCount; ++i) {
        GUITextItem& item = *textItems[i];
        GUIFont* font = services.fontManager->GetFont(item.fontId);
        if (font == nullptr) {
            if (std::find(reportedMissingFonts.begin(), reportedMissingFonts.end(), item.fontId) ==
                reportedMissingFonts.end()) {
                reportedMissingFonts.push_back(item.fontId);
                if (services.log != nullptr)
                    services.log->LogError("GUI Window: no font with id " + std::to_string(item.fontId) +
                                           " for a text");
            }
            continue;
        }
        if (item.byKey)
            item.text = services.textManager != nullptr ? services.textManager->GetText(item.key, item.index)
                                                        : std::u16string();
        if (item.size >= 0.0f) {
            const float fontSize = font->size;
            font->size = item.size;
            services.fontManager->DrawTextItem(item.fontId, item.text, item.alignment, frame, item.position,
                                               item.colour);
            font->size = fontSize;
        } else {
            services.fontManager->DrawTextItem(item.fontId, item.text, item.alignment, frame, item.position,
                                               item.colour);
        }
    }
}

GUITextItem* GUIWindow::AllocTextItem()
{
    if (textCount >= textItems.size())
        textItems.push_back(std::make_unique<GUITextItem>());
    return textItems[textCount++].get();
}

void GUIWindow::AddText(const Vector2& textPosition, const Color& colour, uint32_t alignment, int32_t fontId,
                        const std::u16string& text, float textSize)
{
    if (text.empty())
        return;
    GUITextItem* item = AllocTextItem();
    item->alignment = alignment;
    item->fontId = fontId;
    item->size = textSize;
    item->position = textPosition;
    item->colour = colour;
    item->text = text;
    item->byKey = false;
}

void GUIWindow::AddTextByKey(const Vector2& textPosition, const Color& colour, uint32_t alignment, int32_t fontId,
                             const std::string& key, int32_t index, float textSize)
{
    GUITextItem* item = AllocTextItem();
    item->alignment = alignment;
    item->fontId = fontId;
    item->size = textSize;
    item->position = textPosition;
    item->colour = colour;
    item->key = key;
    item->index = index;
    item->byKey = true;
}

void MakeDefaultShaderDescriptor(ShaderDescriptor& out)
{
    out = ShaderDescriptor();
}

void BuildGUIShaderDescriptor(ShaderDescriptor& out, const std::string& colourName, const std::string& opacityName,
                              uint32_t frameCount)
{
    MakeDefaultShaderDescriptor(out);
    if (!opacityName.empty()) {
        out.flags |= shaderAlphaBlend;
        out.sourceBlend = 4;      // source alpha
        out.destinationBlend = 5; // inverse source alpha
    }
    if (colourName.empty())
        return;
    uint32_t columns = 1;
    uint32_t rows = 1;
    if (frameCount >= 5) {
        columns = 4;
        rows = 2;
    } else if (frameCount >= 3) {
        columns = 2;
        rows = 2;
    }
    const std::string stageOpacity = opacityName.find("32bit") != std::string::npos ? std::string() : opacityName;
    out.AddStage(frameCount > 1 ? stageAtlas : stageStatic, 0, columns, rows, frameCount, 0.0f, colourName,
                 stageOpacity, 0);
}

void BuildSimpleGUIShaderDescriptor(ShaderDescriptor& out, const std::string& colourName,
                                    const std::string& opacityName)
{
    BuildGUIShaderDescriptor(out, colourName, opacityName, 1);
}

} // namespace VantoranEngine
