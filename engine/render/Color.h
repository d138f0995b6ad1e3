#pragma once
// Colour as four floats, nominally 0..1; nothing here clamps (the device conversions do).
// Compare through ColorsDiffer, never with ==.

namespace VantoranEngine {

struct Color {
    float r = 0.0f;
    float g = 0.0f;
    float b = 0.0f;
    float a = 0.0f;
};

// Copies through a temporary, so source and target may overlap; returns the target.
Color& AssignColor(Color& target, const Color& source);

// All four components, alpha included, times s.
void ScaleColor(Color& out, const Color& c, float s);

// True when some component differs by more than 0.0001; a NaN difference counts as equal.
bool ColorsDiffer(const Color& a, const Color& b);

} // namespace VantoranEngine
