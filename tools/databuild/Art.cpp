#include "tools/databuild/Art.h"

#include "tools/formats/ImageWriters.h"
#include "tools/formats/MaterialWriter.h"

#include <cairo-ft.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <stdexcept>

namespace DataBuild {

Canvas::Canvas(int w, int h) : width(w), height(h)
{
    surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, w, h);
    cr = cairo_create(surface);
}

Canvas::~Canvas()
{
    cairo_destroy(cr);
    cairo_surface_destroy(surface);
}

namespace {

// Unpremultiplied RGBA, rows bottom first as the engine stores images.
Formats::Picture ToPicture(cairo_surface_t* surface, bool dilate)
{
    cairo_surface_flush(surface);
    const int w = cairo_image_surface_get_width(surface), h = cairo_image_surface_get_height(surface);
    const int stride = cairo_image_surface_get_stride(surface);
    const unsigned char* data = cairo_image_surface_get_data(surface);
    Formats::Picture picture = Formats::MakePicture(w, h, 4, {0, 0, 0, 0});
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            uint32_t pixel;
            std::copy_n(data + y * stride + x * 4, 4, reinterpret_cast<unsigned char*>(&pixel));
            const uint32_t a = pixel >> 24;
            uint8_t* p = picture.At(x, h - 1 - y);
            for (int c = 0; c < 3; ++c) {
                const uint32_t premultiplied = (pixel >> (16 - 8 * c)) & 0xFF;
                p[c] = static_cast<uint8_t>(a ? std::min<uint32_t>(255, (premultiplied * 255 + a / 2) / a) : 0);
            }
            p[3] = static_cast<uint8_t>(a);
        }
    if (!dilate)
        return picture;
    // Spread drawn colours into the transparent texels, a ring at a time; only the rings next to drawn
    // texels are visited, so large clear areas cost nothing.
    std::vector<uint8_t> known(size_t(w) * h);
    std::vector<int> ring;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            known[size_t(y) * w + x] = picture.At(x, y)[3] > 8;
    auto clearNeighbours = [&](int x, int y, std::vector<int>& out) {
        for (auto [dx, dy] : {std::pair{1, 0}, {-1, 0}, {0, 1}, {0, -1}}) {
            const int sx = x + dx, sy = y + dy;
            if (sx >= 0 && sy >= 0 && sx < w && sy < h && known[size_t(sy) * w + sx] == 0) {
                known[size_t(sy) * w + sx] = 2; // queued
                out.push_back(sy * w + sx);
            }
        }
    };
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if (known[size_t(y) * w + x] == 1)
                clearNeighbours(x, y, ring);
    for (int pass = 0; pass < 8 && !ring.empty(); ++pass) {
        std::vector<std::array<uint8_t, 3>> colours(ring.size());
        for (size_t i = 0; i < ring.size(); ++i) {
            const int x = ring[i] % w, y = ring[i] / w;
            int sum[3] = {0, 0, 0}, n = 0;
            for (auto [dx, dy] : {std::pair{1, 0}, {-1, 0}, {0, 1}, {0, -1}}) {
                const int sx = x + dx, sy = y + dy;
                if (sx < 0 || sy < 0 || sx >= w || sy >= h || known[size_t(sy) * w + sx] != 1)
                    continue;
                for (int c = 0; c < 3; ++c)
                    sum[c] += picture.At(sx, sy)[c];
                ++n;
            }
            for (int c = 0; c < 3; ++c)
                colours[i][c] = static_cast<uint8_t>(n ? sum[c] / n : 0);
        }
        std::vector<int> next;
        for (size_t i = 0; i < ring.size(); ++i) {
            std::copy_n(colours[i].data(), 3, picture.At(ring[i] % w, ring[i] / w));
            known[size_t(ring[i])] = 1;
        }
        for (int at : ring)
            clearNeighbours(at % w, at / w, next);
        ring.swap(next);
    }
    return picture;
}

void WriteJpeg(DataTree& tree, const std::string& name, const Formats::Picture& picture, int quality)
{
    tree.Write(name, Formats::EncodeJpeg(picture, quality));
}

} // namespace

void Canvas::WritePair(DataTree& tree, const std::string& colourName) const
{
    const Formats::Picture rgba = ToPicture(surface, true);
    Formats::Picture colour = Formats::MakePicture(width, height, 3, {0, 0, 0});
    Formats::Picture opacity = Formats::MakePicture(width, height, 1, {0});
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            std::copy_n(rgba.At(x, y), 3, colour.At(x, y));
            opacity.At(x, y)[0] = rgba.At(x, y)[3];
        }
    WriteJpeg(tree, colourName, colour, 92);
    WriteJpeg(tree, Formats::OpacityName(colourName), opacity, 95);
}

void Canvas::WriteOpaque(DataTree& tree, const std::string& colourName) const
{
    const Formats::Picture rgba = ToPicture(surface, false);
    Formats::Picture colour = Formats::MakePicture(width, height, 3, {0, 0, 0});
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            std::copy_n(rgba.At(x, y), 3, colour.At(x, y));
    WriteJpeg(tree, colourName, colour, 92);
}

namespace {

struct ArtFont {
    FT_Library library = nullptr;
    FT_Face face = nullptr;
    cairo_font_face_t* cairoFace = nullptr;
};
ArtFont artFont;

} // namespace

void SetSerifBold(cairo_t* cr)
{
    if (!artFont.cairoFace) {
        const std::string path = "/usr/share/fonts/truetype/dejavu/DejaVuSerif-Bold.ttf";
        if (FT_Init_FreeType(&artFont.library) != 0 || FT_New_Face(artFont.library, path.c_str(), 0, &artFont.face) != 0)
            throw std::runtime_error("cannot load " + path);
        artFont.cairoFace = cairo_ft_font_face_create_for_ft_face(artFont.face, 0);
    }
    cairo_set_font_face(cr, artFont.cairoFace);
}

void ReleaseArtFonts()
{
    if (artFont.cairoFace)
        cairo_font_face_destroy(artFont.cairoFace);
    cairo_debug_reset_static_data();
    if (artFont.face)
        FT_Done_Face(artFont.face);
    if (artFont.library)
        FT_Done_FreeType(artFont.library);
    artFont = {};
}

void SetColour(cairo_t* cr, uint32_t rgb, double alpha)
{
    cairo_set_source_rgba(cr, ((rgb >> 16) & 0xFF) / 255.0, ((rgb >> 8) & 0xFF) / 255.0, (rgb & 0xFF) / 255.0, alpha);
}

void AddStop(cairo_pattern_t* pattern, double at, uint32_t rgb, double alpha)
{
    cairo_pattern_add_color_stop_rgba(pattern, at, ((rgb >> 16) & 0xFF) / 255.0, ((rgb >> 8) & 0xFF) / 255.0,
                                      (rgb & 0xFF) / 255.0, alpha);
}

uint32_t MixBits(uint32_t n)
{
    n ^= n >> 16;
    n *= 0x7feb352dU;
    n ^= n >> 15;
    n *= 0x846ca68bU;
    n ^= n >> 16;
    return n;
}

float Fraction(uint32_t n) { return (MixBits(n) & 0xFFFFFF) / float(0x1000000); }

uint32_t Mix(uint32_t a, uint32_t b, double t)
{
    uint32_t out = 0;
    for (int shift : {16, 8, 0}) {
        const double ca = (a >> shift) & 0xFF, cb = (b >> shift) & 0xFF;
        out |= uint32_t(std::lround(ca + (cb - ca) * t)) << shift;
    }
    return out;
}

uint32_t Shade(uint32_t rgb, double t) { return t >= 0 ? Mix(rgb, 0xFFFFFF, t) : Mix(rgb, 0x000000, -t); }

void RoundedRectangle(cairo_t* cr, double x, double y, double w, double h, double r)
{
    r = std::min({r, w / 2, h / 2});
    cairo_new_sub_path(cr);
    cairo_arc(cr, x + w - r, y + r, r, -pi / 2, 0);
    cairo_arc(cr, x + w - r, y + h - r, r, 0, pi / 2);
    cairo_arc(cr, x + r, y + h - r, r, pi / 2, pi);
    cairo_arc(cr, x + r, y + r, r, pi, 3 * pi / 2);
    cairo_close_path(cr);
}

void FillVertical(cairo_t* cr, double y0, double y1, uint32_t top, uint32_t bottom)
{
    cairo_pattern_t* gradient = cairo_pattern_create_linear(0, y0, 0, y1);
    AddStop(gradient, 0, top);
    AddStop(gradient, 1, bottom);
    cairo_set_source(cr, gradient);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(gradient);
}

void EnterScreen(cairo_t* cr)
{
    cairo_translate(cr, 0, 1024 - 600);
    cairo_rectangle(cr, 0, 0, 800, 600);
    cairo_clip(cr);
}

void PaintScreen(cairo_t* cr, cairo_pattern_t* pattern)
{
    cairo_rectangle(cr, 0, 0, 800, 600);
    cairo_set_source(cr, pattern);
    cairo_fill(cr);
    cairo_pattern_destroy(pattern);
}

Formats::ModelFile QuadModel(float x0, float y0, float x1, float y1, float u, float v)
{
    Formats::ModelFile model = Formats::MakeQuadModel();
    model.flags = 0x40C29; // active, GUI class with manual depth, vertex colours, triangle list, static
    for (Formats::ModelVertex& vertex : model.vertices) {
        const bool right = vertex.position[0] > 0, top = vertex.position[1] > 0;
        vertex.position = {right ? x1 : x0, top ? y1 : y0, 0};
        vertex.u = right ? u : 0;
        vertex.v = top ? v : 0;
    }
    model.boxes = {{{x0, y0, 0}, {x1, y1, 0}}};
    return model;
}

Formats::ModelFile HelperModel(const std::vector<std::array<float, 2>>& centres, float framesPerSecond)
{
    Formats::ModelFile model;
    model.flags = 0x40C2A; // as a quad, but morph frames
    model.frameCount = static_cast<uint32_t>(centres.size());
    model.framesPerSecond = framesPerSecond;
    model.indices = {0, 1, 2};
    model.vertexCount = 3;
    for (const auto& centre : centres) {
        for (int i = 0; i < 3; ++i) {
            Formats::ModelVertex vertex;
            vertex.position = {centre[0], centre[1], 0};
            model.vertices.push_back(vertex);
        }
        model.boxes.push_back({{centre[0] - 1, centre[1] - 1, 0}, {centre[0] + 1, centre[1] + 1, 0}});
    }
    return model;
}

Quad MakeQuad(float x0, float y0, float x1, float y1, float u0, float v0, float u1, float v1)
{
    return {{{{x0, y0}, {x1, y0}, {x0, y1}, {x1, y1}}}, {{{u0, v0}, {u1, v0}, {u0, v1}, {u1, v1}}}};
}

Quad Transform(const Quad& quad, float cx, float cy, float scale, float angle, float dx, float dy)
{
    Quad out = quad;
    const float c = std::cos(angle), s = std::sin(angle);
    for (auto& p : out.position) {
        const float x = (p[0] - cx) * scale, y = (p[1] - cy) * scale;
        p = {cx + x * c - y * s + dx, cy + x * s + y * c + dy};
    }
    return out;
}

namespace {

// Vertices and extents of one frame's quads.
void AddQuads(Formats::ModelFile& model, const std::vector<Quad>& quads)
{
    Formats::ModelBox box{{1e30f, 1e30f, 0}, {-1e30f, -1e30f, 0}};
    for (const Quad& quad : quads)
        for (int i = 0; i < 4; ++i) {
            Formats::ModelVertex vertex;
            vertex.u = quad.uv[i][0];
            vertex.v = quad.uv[i][1];
            vertex.position = {quad.position[i][0], quad.position[i][1], 0};
            model.vertices.push_back(vertex);
            for (int axis = 0; axis < 2; ++axis) {
                box.min[axis] = std::min(box.min[axis], quad.position[i][axis]);
                box.max[axis] = std::max(box.max[axis], quad.position[i][axis]);
            }
        }
    if (quads.empty())
        box = {};
    model.boxes.push_back(box);
}

std::vector<uint32_t> QuadIndices(size_t quads)
{
    std::vector<uint32_t> indices;
    for (uint32_t q = 0; q < quads; ++q)
        for (uint32_t i : {0u, 1u, 2u, 2u, 1u, 3u})
            indices.push_back(4 * q + i);
    return indices;
}

} // namespace

Formats::ModelFile StaticModel(const std::vector<Quad>& quads)
{
    Formats::ModelFile model;
    model.flags = 0x40C29; // active, GUI class with manual depth, vertex colours, triangle list, static
    model.indices = QuadIndices(quads.size());
    model.vertexCount = static_cast<uint32_t>(4 * quads.size());
    AddQuads(model, quads);
    return model;
}

Formats::ModelFile MorphModel(const std::vector<std::vector<Quad>>& frames, float framesPerSecond)
{
    if (frames.empty())
        throw std::runtime_error("a morph model needs frames");
    Formats::ModelFile model;
    model.flags = 0x40C2A; // as a static quad, but morph frames
    model.frameCount = static_cast<uint32_t>(frames.size());
    model.framesPerSecond = framesPerSecond;
    model.indices = QuadIndices(frames[0].size());
    model.vertexCount = static_cast<uint32_t>(4 * frames[0].size());
    for (const auto& quads : frames) {
        if (quads.size() != frames[0].size())
            throw std::runtime_error("morph frames differ in their number of quads");
        AddQuads(model, quads);
    }
    return model;
}

float EaseOut(float t) { return 1 - (1 - t) * (1 - t); }
float EaseIn(float t) { return t * t; }
float EaseInOut(float t) { return t < 0.5f ? 2 * t * t : 1 - 2 * (1 - t) * (1 - t); }

Formats::MaterialFile ImageMaterial(const std::string& colour, const std::string& opacity, bool mipMapped,
                                    uint32_t columns, uint32_t rows)
{
    Formats::MaterialFile material = Formats::MakeImageMaterial(colour, opacity);
    Formats::MaterialStage& stage = material.stages[0];
    stage.flags = mipMapped ? 1 : 0;
    if (columns * rows > 1) {
        stage.kind = 1;
        stage.columns = columns;
        stage.rows = rows;
        stage.frameCount = columns * rows;
        stage.framesPerSecond = 0;
    }
    return material;
}

void WriteMaterial(DataTree& tree, const std::string& materialName, const std::string& colour,
                   const std::string& opacity)
{
    Formats::MaterialFile material;
    if (!colour.empty()) {
        material = Formats::MakeImageMaterial(colour, opacity);
        material.stages[0].flags = 0; // drawn 1:1: no mip levels
    }
    tree.Write(materialName, Formats::EncodeMaterial(material));
}

void WriteModel(DataTree& tree, const std::string& modelName, const Formats::ModelFile& model,
                const std::string& colour, const std::string& opacity)
{
    tree.Write(modelName, Formats::EncodeModel(model));
    const std::string stem = modelName.substr(0, modelName.rfind('.'));
    WriteMaterial(tree, stem + ".srf", colour, opacity);
}

} // namespace DataBuild
