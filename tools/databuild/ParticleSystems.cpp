// The particle systems of data\particle systems and their seven sprite textures. Every system is a
// one-shot of its period, flat (no gravity, no floor, z 0); the game places and starts each one.
#include "tools/databuild/Art.h"
#include "tools/databuild/DataBuild.h"
#include "tools/databuild/Manifest.h"
#include "tools/formats/MaterialWriter.h"
#include "tools/formats/ParticleWriter.h"

#include <cmath>

namespace DataBuild {

namespace {

const std::string folder = "particle systems\\";
const std::string textureFolder = folder + "textures\\";
const char* const textures[] = {"spark", "glow", "petal", "star", "leaf", "ring", "shard"};
constexpr int textureSide = 64;

// How a particle's heading changes over its life (x right, y up).
enum class Motion {
    Scatter,   // any direction, kept
    Rise,      // upwards, fanning out
    Wilt,      // any direction, then turning downwards
    Spiral,    // swirling round as it flies out
    Blown,     // towards +x and -y, off a horn's bell
    Shower,    // downwards, spreading sideways
};

struct Effect {
    const char* name;
    float period;      // seconds
    uint32_t slots;
    uint32_t burst;    // particles at the first key; 0: emitted at `rate`
    float rate;        // particles per second
    float life, lifeSpread;
    float speedFrom, speedTo, speedSpread; // hundreds of units per second
    float sizeFrom, sizeTo;                // half the sprite's side
    std::array<uint32_t, 6> colours;       // at the six life keys
    float alpha;                           // opacity at birth, fading to 0
    const char* texture;
    bool additive;                         // glows and sparks add light; petals and leaves cover
    Motion motion;
    bool box;                              // emitted from the box the game sets
};

constexpr uint32_t white = 0xFFFFFF, paleYellow = 0xFFF3B0, gold = 0xFFD66B, deepGold = 0xF2B541;
constexpr std::array<uint32_t, 6> Same(uint32_t c) { return {c, c, c, c, c, c}; }
constexpr std::array<uint32_t, 6> rainbow = {0xFF6B6B, 0xFFB347, 0xFFF07A, 0x8CE08A, 0x7FC4F0, 0xC89BF0};
constexpr std::array<uint32_t, 6> pastel = {0xFFC2D8, 0xFFD9B0, 0xFFF5B8, 0xCFF2C8, 0xC6E6FF, 0xE2CCFF};
constexpr std::array<uint32_t, 6> goldWhite = {white, 0xFFF0B8, gold, gold, deepGold, deepGold};
constexpr std::array<uint32_t, 6> silverGold = {white, 0xE4E8F0, 0xC9CED6, gold, gold, deepGold};
constexpr std::array<uint32_t, 6> petals = {0xFF9EC4, 0xFFE27A, 0xFFFFFF, 0xC9A2F2, 0xFFB08A, 0xFF9EC4};
constexpr std::array<uint32_t, 6> confetti = {0xFF7FA8, 0xFFD65C, 0x8FD16E, 0x7FC4F0, 0xC89BF0, 0xFFA060};

// Bursts last at least 0.25 s: the burst is added when the clock enters the first of the five emission
// keys, and a frame longer than a key (a fifth of the period) would step over it.
const Effect effects[] = {
    {"score", 0.25f, 24, 12, 0, 0.45f, 0.1f, 1.2f, 0.2f, 0.3f, 6, 2, {white, white, 0xFFFBE0, paleYellow, paleYellow, paleYellow}, 1, "petal", false, Motion::Scatter, false},
    {"bonus", 0.3f, 32, 16, 0, 0.6f, 0.05f, 1.5f, 0, 0.05f, 8, 3, {white, gold, gold, gold, deepGold, deepGold}, 1, "star", true, Motion::Scatter, false},
    {"bomb", 0.25f, 64, 48, 0, 0.7f, 0.15f, 2.5f, 0.3f, 0.6f, 10, 4, {0xFFE0A0, 0xFFB060, 0xFF9A70, 0xFF8A9E, 0xFF7FB0, 0xFF7FB0}, 1, "glow", true, Motion::Scatter, false},
    {"line_center", 0.25f, 20, 12, 0, 0.4f, 0.05f, 1.0f, 1.0f, 0, 12, 20, {white, 0xF0FFE0, 0xD8F5C0, 0xB8EC9C, 0xA8E890, 0xA8E890}, 1, "ring", true, Motion::Scatter, false},
    {"line", 0.6f, 80, 0, 120, 0.35f, 0.08f, 0.2f, 0.2f, 0.1f, 7, 2, {0xE8FFC0, 0xC8F080, 0xE0E870, gold, gold, deepGold}, 1, "spark", true, Motion::Scatter, false},
    {"discard_center", 0.3f, 40, 24, 0, 0.8f, 0.2f, 1.2f, 0.5f, 0.3f, 9, 2, rainbow, 1, "star", true, Motion::Spiral, false},
    {"discard", 0.25f, 16, 10, 0, 0.5f, 0.1f, 0.8f, 0.2f, 0.3f, 7, 1, pastel, 1, "star", true, Motion::Scatter, false},
    {"life_getting", 0.5f, 30, 20, 0, 0.8f, 0.15f, 0.8f, 0.3f, 0.3f, 8, 3, Same(0xFF8FB8), 1, "petal", false, Motion::Rise, false},
    {"life_losing", 0.4f, 20, 14, 0, 0.9f, 0.15f, 0.6f, 0.6f, 0.2f, 7, 3, {0xB8C4D8, 0xAAB6CC, 0x9AA8C0, 0x909CB4, 0x8894AA, 0x8894AA}, 1, "petal", false, Motion::Wilt, false},
    {"progress", 1.5f, 80, 0, 60, 0.7f, 0.15f, 0.4f, 0.2f, 0.2f, 5, 2, goldWhite, 1, "spark", true, Motion::Rise, true},
    {"basket", 0.4f, 40, 30, 0, 0.7f, 0.15f, 1.4f, 0.2f, 0.4f, 8, 2, goldWhite, 1, "star", true, Motion::Scatter, false},
    {"scoring_simple", 2.5f, 40, 0, 20, 0.4f, 0.1f, 0.05f, 0.05f, 0.03f, 5, 1, {white, 0xFFFBD8, paleYellow, paleYellow, gold, gold}, 0.9f, "glow", true, Motion::Scatter, false},
    {"scoring_bomb", 2.5f, 50, 0, 30, 0.4f, 0.1f, 0.05f, 0.05f, 0.03f, 6, 1, {0xFFE0A0, 0xFFB060, 0xFF9A40, 0xFF8030, 0xF06828, 0xF06828}, 1, "spark", true, Motion::Scatter, false},
    {"scoring_horn", 3.0f, 50, 0, 25, 0.5f, 0.1f, 0.05f, 0.05f, 0.03f, 6, 2, Same(0xFF9EC4), 0.9f, "petal", false, Motion::Scatter, false},
    {"horn", 6.0f, 90, 0, 15, 1.0f, 0.2f, 0.8f, 0.5f, 0.2f, 8, 4, {white, paleYellow, gold, gold, deepGold, deepGold}, 1, "star", true, Motion::Blown, false},
    {"powerup", 0.4f, 24, 16, 0, 0.6f, 0.1f, 0.8f, 0.3f, 0.2f, 6, 2, pastel, 1, "spark", true, Motion::Scatter, false},
    {"ice", 0.3f, 24, 16, 0, 0.6f, 0.1f, 1.0f, 1.0f, 0.3f, 6, 2, {white, 0xDDF2FF, 0xBFE6FF, 0xA6DAF8, 0x7FC4F0, 0x7FC4F0}, 1, "shard", false, Motion::Wilt, false},
    // About seven glows lie on top of each other: each is dim, so together they add up to warm gold.
    {"after_bonus", 8.0f, 30, 0, 6, 1.2f, 0.2f, 0.15f, 0.15f, 0.05f, 30, 40, {0x6A5020, 0x5A4014, 0x5A3C12, 0x523410, 0x4A2E0E, 0x4A2E0E}, 0.6f, "glow", true, Motion::Scatter, false},
    {"after_bonus_fall", 4.0f, 60, 0, 30, 0.6f, 0.15f, 0.1f, 0.1f, 0.05f, 6, 2, goldWhite, 1, "spark", true, Motion::Scatter, false},
    {"powerup_appear_particle", 0.6f, 24, 18, 0, 0.6f, 0.1f, 0.6f, 0.2f, 0.2f, 6, 2, pastel, 1, "spark", true, Motion::Scatter, false},
    {"little_basket_partilce", 0.5f, 24, 16, 0, 0.7f, 0.1f, 0.7f, 0.2f, 0.2f, 6, 2, goldWhite, 1, "star", true, Motion::Scatter, false},
    {"stage_screen_flower_particle", 0.8f, 60, 40, 0, 1.0f, 0.3f, 0.5f, 0.3f, 0.2f, 6, 2, petals, 1, "petal", false, Motion::Rise, true},
    {"big_basket_particle", 1.5f, 60, 0, 30, 1.0f, 0.3f, 0.6f, 0.5f, 0.2f, 7, 2, confetti, 1, "petal", false, Motion::Shower, false},
    {"scissors_appear_0", 0.4f, 24, 16, 0, 0.6f, 0.1f, 0.9f, 0.2f, 0.2f, 6, 2, silverGold, 1, "star", true, Motion::Scatter, false},
    {"scissors_appear_1", 0.4f, 36, 24, 0, 0.6f, 0.1f, 1.1f, 0.2f, 0.25f, 6, 2, silverGold, 1, "star", true, Motion::Scatter, false},
    {"scissors_appear_2", 0.4f, 48, 32, 0, 0.6f, 0.1f, 1.3f, 0.2f, 0.3f, 6, 2, silverGold, 1, "star", true, Motion::Scatter, false},
    {"scissors_use_0", 0.5f, 30, 20, 0, 0.7f, 0.15f, 0.6f, 0.4f, 0.2f, 7, 2, {0xA8DC7A, 0x8CC26A, 0x6DB35A, 0x5E9F4C, 0x4E8A4A, 0x4E8A4A}, 1, "leaf", false, Motion::Wilt, false},
    {"scissors_use_1", 0.5f, 50, 33, 0, 0.7f, 0.15f, 1.0f, 0.5f, 0.3f, 7, 2, {0xA8DC7A, 0x8CC26A, 0x6DB35A, 0x5E9F4C, 0x4E8A4A, 0x4E8A4A}, 1, "leaf", false, Motion::Wilt, false},
    {"scissors_use_2", 0.5f, 70, 46, 0, 0.7f, 0.15f, 1.3f, 0.6f, 0.35f, 7, 2, {0xA8DC7A, 0x8CC26A, 0x6DB35A, 0x5E9F4C, 0x4E8A4A, 0x4E8A4A}, 1, "leaf", false, Motion::Wilt, false},
    {"order_particle", 3.0f, 80, 0, 40, 1.0f, 0.2f, 0.4f, 0.2f, 0.15f, 5, 2, goldWhite, 1, "spark", true, Motion::Scatter, true},
};

using Vector = std::array<float, 3>;

// Base heading and its random spread at each life key; a key whose base and spread are both (near)
// zero keeps the particle's previous heading.
void SetMotion(Formats::ParticleSystemFile& file, Motion motion)
{
    const Vector none{0, 0, 0}, any{1, 1, 0};
    file.direction.fill(none);
    file.directionSpread.fill(none);
    switch (motion) {
    case Motion::Scatter:
        file.directionSpread[0] = any;
        break;
    case Motion::Rise:
        file.direction[0] = {0, 1, 0};
        file.directionSpread[0] = {0.6f, 0.3f, 0};
        file.direction[3] = {0, 1, 0};
        file.directionSpread[3] = {0.3f, 0, 0};
        break;
    case Motion::Wilt:
        file.directionSpread[0] = any;
        file.direction[2] = {0, -0.6f, 0};
        file.directionSpread[2] = {0.8f, 0.3f, 0};
        for (int k = 3; k < 6; ++k) {
            file.direction[k] = {0, -1, 0};
            file.directionSpread[k] = {0.35f, 0.1f, 0};
        }
        break;
    case Motion::Spiral:
        // The heading turns a quarter circle per key, each particle from its own start.
        for (int k = 0; k < 6; ++k) {
            const float angle = static_cast<float>(k) * static_cast<float>(pi) / 2.6f;
            file.direction[k] = {std::cos(angle), std::sin(angle), 0};
            file.directionSpread[k] = {0.9f, 0.9f, 0};
        }
        break;
    case Motion::Blown:
        file.direction[0] = {0.75f, -0.65f, 0};
        file.directionSpread[0] = {0.35f, 0.4f, 0};
        file.direction[4] = {0.6f, -0.8f, 0};
        file.directionSpread[4] = {0.3f, 0.3f, 0};
        break;
    case Motion::Shower:
        file.direction[0] = {0, -1, 0};
        file.directionSpread[0] = {1, 0.4f, 0};
        file.direction[3] = {0, -1, 0};
        file.directionSpread[3] = {0.6f, 0.1f, 0};
        break;
    }
}

Formats::ParticleSystemFile MakeSystem(const Effect& effect)
{
    Formats::ParticleSystemFile file;
    file.particleCount = effect.slots;
    file.period = effect.period;
    file.gravityEnabled = 0;
    file.gravity = 0;
    file.floorEnabled = 0;
    file.floorZ = 0;
    file.bounce = 0;
    file.killWhenSlow = 0;
    file.minimumSpeedFactor = 0;
    if (effect.burst > 0) {
        file.interpolateEmission = 0; // counts added as the clock enters each key
        file.emissionRate = {static_cast<float>(effect.burst), 0, 0, 0, 0, 0};
    } else {
        file.interpolateEmission = 1;
        file.emissionRate.fill(effect.rate);
    }
    file.lifetime.fill(effect.life);
    file.lifetimeSpread.fill(effect.lifeSpread);
    SetMotion(file, effect.motion);
    // Opacity holds, then fades out over the second half of the life.
    const float fade[6] = {1, 1, 0.85f, 0.6f, 0.3f, 0};
    for (int k = 0; k < 6; ++k) {
        const float t = static_cast<float>(k) / 5;
        const uint32_t c = effect.colours[static_cast<size_t>(k)];
        file.colour[static_cast<size_t>(k)] = {static_cast<float>(c >> 16 & 0xFF) / 255,
                                               static_cast<float>(c >> 8 & 0xFF) / 255,
                                               static_cast<float>(c & 0xFF) / 255, effect.alpha * fade[k]};
        file.size[static_cast<size_t>(k)] = effect.sizeFrom + (effect.sizeTo - effect.sizeFrom) * t;
        file.speed[static_cast<size_t>(k)] = effect.speedFrom + (effect.speedTo - effect.speedFrom) * EaseOut(t);
        file.speedSpread[static_cast<size_t>(k)] = effect.speedSpread;
    }
    file.emitterShape = effect.box ? 1 : 0;
    file.boxMin = {-0.5f, -0.5f, 0};
    file.boxMax = {0.5f, 0.5f, 0};
    return file;
}

// --- Textures: white shapes on transparency, tinted by the systems' colour keys. -----------------

void RadialGlow(cairo_t* cr, double cx, double cy, double radius, std::initializer_list<std::pair<double, double>> stops)
{
    cairo_pattern_t* glow = cairo_pattern_create_radial(cx, cy, 0, cx, cy, radius);
    for (const auto& [offset, alpha] : stops)
        cairo_pattern_add_color_stop_rgba(glow, offset, 1, 1, 1, alpha);
    cairo_set_source(cr, glow);
    cairo_arc(cr, cx, cy, radius, 0, 2 * pi);
    cairo_fill(cr);
    cairo_pattern_destroy(glow);
}

// A four-pointed sparkle: concave sides between long points.
void Sparkle(cairo_t* cr, double cx, double cy, double arm, double waist)
{
    cairo_move_to(cr, cx, cy - arm);
    cairo_curve_to(cr, cx + waist * 0.3, cy - waist, cx + waist, cy - waist * 0.3, cx + arm, cy);
    cairo_curve_to(cr, cx + waist, cy + waist * 0.3, cx + waist * 0.3, cy + waist, cx, cy + arm);
    cairo_curve_to(cr, cx - waist * 0.3, cy + waist, cx - waist, cy + waist * 0.3, cx - arm, cy);
    cairo_curve_to(cr, cx - waist, cy - waist * 0.3, cx - waist * 0.3, cy - waist, cx, cy - arm);
    cairo_close_path(cr);
}

void DrawTexture(cairo_t* cr, const std::string& name)
{
    const double c = textureSide / 2.0;
    if (name == "glow") {
        RadialGlow(cr, c, c, 30, {{0, 1}, {0.2, 0.85}, {0.45, 0.45}, {0.7, 0.15}, {1, 0}});
    } else if (name == "spark") {
        RadialGlow(cr, c, c, 26, {{0, 0.9}, {0.3, 0.35}, {1, 0}});
        // Thin glints across the hot core.
        for (double angle : {pi / 4, 3 * pi / 4}) {
            cairo_save(cr);
            cairo_translate(cr, c, c);
            cairo_rotate(cr, angle);
            cairo_pattern_t* ray = cairo_pattern_create_linear(-28, 0, 28, 0);
            cairo_pattern_add_color_stop_rgba(ray, 0, 1, 1, 1, 0);
            cairo_pattern_add_color_stop_rgba(ray, 0.5, 1, 1, 1, 0.9);
            cairo_pattern_add_color_stop_rgba(ray, 1, 1, 1, 1, 0);
            cairo_set_source(cr, ray);
            cairo_move_to(cr, -28, 0);
            cairo_line_to(cr, 0, -1.6);
            cairo_line_to(cr, 28, 0);
            cairo_line_to(cr, 0, 1.6);
            cairo_close_path(cr);
            cairo_fill(cr);
            cairo_pattern_destroy(ray);
            cairo_restore(cr);
        }
        RadialGlow(cr, c, c, 8, {{0, 1}, {0.6, 0.9}, {1, 0}});
    } else if (name == "star") {
        RadialGlow(cr, c, c, 22, {{0, 0.7}, {0.4, 0.2}, {1, 0}});
        Sparkle(cr, c, c, 29, 5);
        cairo_set_source_rgba(cr, 1, 1, 1, 0.95);
        cairo_fill(cr);
        Sparkle(cr, c, c, 14, 2.5);
        cairo_set_source_rgba(cr, 1, 1, 1, 1);
        cairo_fill(cr);
    } else if (name == "ring") {
        cairo_set_line_width(cr, 9);
        cairo_set_source_rgba(cr, 1, 1, 1, 0.25);
        cairo_arc(cr, c, c, 22, 0, 2 * pi);
        cairo_stroke(cr);
        cairo_set_line_width(cr, 4);
        cairo_set_source_rgba(cr, 1, 1, 1, 0.95);
        cairo_arc(cr, c, c, 22, 0, 2 * pi);
        cairo_stroke(cr);
    } else if (name == "petal") {
        // A rounded petal, tip up, with a soft crease; light at the rim, a touch darker at the base.
        cairo_move_to(cr, c, 58);
        cairo_curve_to(cr, c - 22, 48, c - 22, 16, c - 7, 7);
        cairo_curve_to(cr, c - 3, 5, c - 1, 9, c, 11);
        cairo_curve_to(cr, c + 1, 9, c + 3, 5, c + 7, 7);
        cairo_curve_to(cr, c + 22, 16, c + 22, 48, c, 58);
        cairo_close_path(cr);
        cairo_pattern_t* shade = cairo_pattern_create_linear(0, 6, 0, 58);
        cairo_pattern_add_color_stop_rgba(shade, 0, 1, 1, 1, 1);
        cairo_pattern_add_color_stop_rgba(shade, 0.6, 0.96, 0.96, 0.96, 1);
        cairo_pattern_add_color_stop_rgba(shade, 1, 0.8, 0.8, 0.8, 1);
        cairo_set_source(cr, shade);
        cairo_fill(cr);
        cairo_pattern_destroy(shade);
        cairo_set_source_rgba(cr, 0.82, 0.82, 0.82, 0.8);
        cairo_set_line_width(cr, 1.4);
        cairo_move_to(cr, c, 52);
        cairo_curve_to(cr, c - 1, 38, c, 24, c, 16);
        cairo_stroke(cr);
    } else if (name == "leaf") {
        // A pointed leaf leaning right, midrib and side veins a shade darker.
        cairo_translate(cr, c, c);
        cairo_rotate(cr, pi / 5);
        cairo_move_to(cr, 0, 29);
        cairo_curve_to(cr, -20, 14, -18, -14, 0, -29);
        cairo_curve_to(cr, 18, -14, 20, 14, 0, 29);
        cairo_close_path(cr);
        cairo_pattern_t* shade = cairo_pattern_create_linear(-18, 0, 18, 0);
        cairo_pattern_add_color_stop_rgba(shade, 0, 0.86, 0.86, 0.86, 1);
        cairo_pattern_add_color_stop_rgba(shade, 0.5, 1, 1, 1, 1);
        cairo_pattern_add_color_stop_rgba(shade, 1, 0.9, 0.9, 0.9, 1);
        cairo_set_source(cr, shade);
        cairo_fill(cr);
        cairo_pattern_destroy(shade);
        cairo_set_source_rgba(cr, 0.68, 0.68, 0.68, 0.9);
        cairo_set_line_width(cr, 1.6);
        cairo_move_to(cr, 0, 27);
        cairo_line_to(cr, 0, -24);
        cairo_stroke(cr);
        cairo_set_line_width(cr, 1.0);
        for (double y : {12.0, 2.0, -8.0}) {
            cairo_move_to(cr, 0, y);
            cairo_line_to(cr, -10, y - 7);
            cairo_move_to(cr, 0, y);
            cairo_line_to(cr, 10, y - 7);
        }
        cairo_stroke(cr);
    } else if (name == "shard") {
        // A splinter of ice: a long uneven crystal with a bright facet.
        cairo_move_to(cr, 20, 56);
        cairo_line_to(cr, 12, 30);
        cairo_line_to(cr, 34, 6);
        cairo_line_to(cr, 50, 26);
        cairo_line_to(cr, 40, 50);
        cairo_close_path(cr);
        cairo_set_source_rgba(cr, 0.86, 0.86, 0.86, 0.85);
        cairo_fill_preserve(cr);
        cairo_set_source_rgba(cr, 1, 1, 1, 1);
        cairo_set_line_width(cr, 1.5);
        cairo_stroke(cr);
        cairo_move_to(cr, 34, 6);
        cairo_line_to(cr, 50, 26);
        cairo_line_to(cr, 30, 32);
        cairo_close_path(cr);
        cairo_set_source_rgba(cr, 1, 1, 1, 1);
        cairo_fill(cr);
        cairo_move_to(cr, 12, 30);
        cairo_line_to(cr, 30, 32);
        cairo_line_to(cr, 20, 56);
        cairo_close_path(cr);
        cairo_set_source_rgba(cr, 0.72, 0.72, 0.72, 0.75);
        cairo_fill(cr);
    }
}

} // namespace

const Area& ParticleArea()
{
    static const Area area = [] {
        Area a{"ParticleSystems", {}, {}};
        for (const char* texture : textures)
            a.images.push_back({"particle systems\\textures\\" + std::string(texture) + ".jpg", textureSide, textureSide,
                                true});
        return a;
    }();
    return area;
}

void WriteParticleSystems(DataTree& tree)
{
    for (const char* texture : textures) {
        Canvas canvas(textureSide, textureSide);
        DrawTexture(canvas.Get(), texture);
        canvas.WritePair(tree, "data\\" + textureFolder + texture + ".jpg");
    }
    for (const Effect& effect : effects) {
        const std::string stem = "data\\" + folder + effect.name;
        tree.Write(stem + ".psf", Formats::EncodeParticleSystem(MakeSystem(effect)));

        // Sprites are drawn smaller than their texture: mip-mapped.
        Formats::MaterialFile material = Formats::MakeImageMaterial(
            textureFolder + effect.texture + ".jpg", textureFolder + effect.texture + "_alpha.jpg");
        material.destinationBlend = effect.additive ? 1 : 5;
        tree.Write(stem + ".srf", Formats::EncodeMaterial(material));
    }
}

} // namespace DataBuild
