#pragma once
// Two-component vector: GUI positions and sizes in the 800 by 600 virtual screen, mouse scales.
// A plain value; compare through Vector2sDiffer, never with ==.

namespace VantoranEngine {

struct Vector2 {
    float x = 0.0f;
    float y = 0.0f;
};

inline Vector2 operator+(const Vector2& a, const Vector2& b) { return {a.x + b.x, a.y + b.y}; }
inline Vector2 operator-(const Vector2& a, const Vector2& b) { return {a.x - b.x, a.y - b.y}; }
inline Vector2 operator*(const Vector2& v, float s) { return {v.x * s, v.y * s}; }

// True when x or y differ by more than 0.0001; a NaN difference counts as equal.
bool Vector2sDiffer(const Vector2& a, const Vector2& b);

// Divides v by |v| / length; a vector shorter than 0.0001 * length is left unchanged.
void ScaleToLength(Vector2& v, float length);

} // namespace VantoranEngine
