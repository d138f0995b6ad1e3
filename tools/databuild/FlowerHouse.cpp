// The greenhouse of the flower house: the scene models (interior, beds, plants, light) and the nine
// flowers planted one per day, with the gold outline atlas in the same layout as the flowers atlas.
#include "tools/databuild/Art.h"
#include "tools/databuild/Manifest.h"
#include "tools/formats/MaterialWriter.h"

#include <cmath>

namespace DataBuild {

namespace {

const std::string folder = "backgrounds\\flower_house\\";

// The same quad in every frame: a loop whose first and last poses agree.
Formats::ModelFile Morph(const Formats::ModelFile& quad, uint32_t frames, float framesPerSecond)
{
    Formats::ModelFile model = quad;
    model.flags = 0x40C2A;
    model.frameCount = frames;
    model.framesPerSecond = framesPerSecond;
    model.vertices.clear();
    model.boxes.clear();
    for (uint32_t f = 0; f < frames; ++f) {
        model.vertices.insert(model.vertices.end(), quad.vertices.begin(), quad.vertices.end());
        model.boxes.push_back(quad.boxes[0]);
    }
    return model;
}

const uint32_t petals[9] = {0xF59BB6, 0xFFF1C1, 0xF6C534, 0x4E7FD9, 0xE0457B, 0xF28C28, 0x8C8CE8, 0xB38BE0, 0xD9479A};

// One flower on a stem in the lower-left 90 x 130 of its 128 x 256 cell.
void Flower(cairo_t* cr, int index, double x, double y, bool outline)
{
    cairo_save(cr);
    cairo_translate(cr, x, y + 256 - 130);
    cairo_move_to(cr, 45, 128);
    cairo_curve_to(cr, 40, 100, 50, 80, 45, 50);
    if (outline) {
        for (int p = 0; p < 6; ++p) {
            cairo_new_sub_path(cr);
            cairo_arc(cr, 45 + 18 * std::cos(p * pi / 3), 40 + 18 * std::sin(p * pi / 3), 16, 0, 2 * pi);
        }
        SetColour(cr, 0xF2B541);
        cairo_set_line_width(cr, 4);
        cairo_stroke(cr);
    } else {
        SetColour(cr, 0x4E8A4A);
        cairo_set_line_width(cr, 5);
        cairo_stroke(cr);
        for (int p = 0; p < 6; ++p) {
            cairo_arc(cr, 45 + 18 * std::cos(p * pi / 3), 40 + 18 * std::sin(p * pi / 3), 14, 0, 2 * pi);
            SetColour(cr, petals[index]);
            cairo_fill(cr);
        }
        cairo_arc(cr, 45, 40, 9, 0, 2 * pi);
        SetColour(cr, 0xFFE066);
        cairo_fill(cr);
    }
    cairo_restore(cr);
}

} // namespace

const Area& FlowerHouseArea()
{
    static const Area area = [] {
        const std::string models = folder + "models\\";
        Area a{"flower house",
               {{models + "house_back.mlf", 1, false, {}},
                {models + "house_beds.mlf", 1, false, {}},
                {models + "house_plants.mlf", 17, false, {}},
                {models + "house_light.mlf", 33, false, {}}},
               {{folder + "house_back.jpg", 1024, 1024, false},
                {folder + "house_beds.jpg", 1024, 512, true},
                {folder + "house_plants.jpg", 1024, 512, true},
                {folder + "house_light.jpg", 512, 512, true},
                {folder + "flower_house_flowers.jpg", 1024, 512, true},
                {folder + "flower_house_flowers_stroke.jpg", 1024, 512, true}}};
        for (int i = 0; i < 9; ++i)
            a.models.push_back({models + "flower_" + std::to_string(i) + ".mlf", 17, false, {}});
        return a;
    }();
    return area;
}

void WriteFlowerHouse(DataTree& tree)
{
    const std::string data = "data\\" + folder;
    {
        Canvas c(1024, 1024);
        cairo_translate(c.Get(), 0, 1024 - 600);
        cairo_rectangle(c.Get(), 0, 0, 800, 600);
        FillVertical(c.Get(), 0, 600, 0xBFE3F2, 0xF4F9E8);
        cairo_new_path(c.Get());
        SetColour(c.Get(), 0xA06A3A);
        cairo_set_line_width(c.Get(), 8);
        for (int x = 0; x <= 800; x += 160) {
            cairo_move_to(c.Get(), x, 0);
            cairo_line_to(c.Get(), x, 600);
        }
        cairo_move_to(c.Get(), 0, 200);
        cairo_line_to(c.Get(), 800, 200);
        cairo_stroke(c.Get());
        c.WriteOpaque(tree, data + "house_back.jpg");
        WriteModel(tree, data + "models\\house_back.mlf", QuadModel(0, 0, 800, 600, 800.0f / 1024, 600.0f / 1024),
                   folder + "house_back.jpg", "");
    }
    {
        Canvas c(1024, 512);
        cairo_translate(c.Get(), 0, 512 - 180);
        RoundedRectangle(c.Get(), 10, 60, 780, 110, 12);
        FillVertical(c.Get(), 60, 170, 0xA06A3A, 0x6B4423);
        c.WritePair(tree, data + "house_beds.jpg");
        WriteModel(tree, data + "models\\house_beds.mlf", QuadModel(0, 0, 800, 180, 800.0f / 1024, 180.0f / 512),
                   folder + "house_beds.jpg", folder + "house_beds_alpha.jpg");
    }
    {
        Canvas c(1024, 512);
        cairo_translate(c.Get(), 0, 512 - 300);
        for (double x : {40.0, 760.0}) {
            cairo_new_path(c.Get());
            cairo_arc(c.Get(), x, 200, 60, 0, 2 * pi);
            SetColour(c.Get(), 0x4E8A4A, 0.9);
            cairo_fill(c.Get());
        }
        c.WritePair(tree, data + "house_plants.jpg");
        WriteModel(tree, data + "models\\house_plants.mlf",
                   Morph(QuadModel(0, 0, 800, 300, 800.0f / 1024, 300.0f / 512), 17, 8), folder + "house_plants.jpg",
                   folder + "house_plants_alpha.jpg");
    }
    {
        Canvas c(512, 512);
        cairo_pattern_t* beam = cairo_pattern_create_linear(0, 0, 512, 512);
        cairo_pattern_add_color_stop_rgba(beam, 0, 1.0, 0.91, 0.66, 0.35);
        cairo_pattern_add_color_stop_rgba(beam, 1, 1.0, 0.91, 0.66, 0.0);
        cairo_set_source(c.Get(), beam);
        cairo_paint(c.Get());
        cairo_pattern_destroy(beam);
        c.WritePair(tree, data + "house_light.jpg");
        tree.Write(data + "models\\house_light.mlf", Formats::EncodeModel(Morph(QuadModel(0, 0, 800, 600), 33, 8)));
        Formats::MaterialFile light = Formats::MakeImageMaterial(folder + "house_light.jpg", folder + "house_light_alpha.jpg");
        light.stages[0].flags = 0;
        light.destinationBlend = 1; // additive sunbeams
        tree.Write(data + "models\\house_light.srf", Formats::EncodeMaterial(light));
    }
    for (bool outline : {false, true}) {
        Canvas c(1024, 512);
        for (int i = 0; i < 9; ++i)
            Flower(c.Get(), i, (i % 8) * 128, (i / 8) * 256, outline);
        c.WritePair(tree, data + (outline ? "flower_house_flowers_stroke.jpg" : "flower_house_flowers.jpg"));
    }
    for (int i = 0; i < 9; ++i) {
        const float x = 50 + 82 * i, y = 100;
        const float u = (i % 8) * 128 / 1024.0f, v = 1.0f - (i / 8 + 1) * 256 / 512.0f;
        Formats::ModelFile quad = QuadModel(x, y, x + 90, y + 130);
        for (Formats::ModelVertex& vertex : quad.vertices) {
            vertex.u = u + vertex.u * 90 / 1024.0f;
            vertex.v = v + vertex.v * 130 / 512.0f;
        }
        WriteModel(tree, data + "models\\flower_" + std::to_string(i) + ".mlf", Morph(quad, 17, 8),
                   folder + "flower_house_flowers.jpg", folder + "flower_house_flowers_alpha.jpg");
    }
}

} // namespace DataBuild
