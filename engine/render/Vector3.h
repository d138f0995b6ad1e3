#pragma once
// Three-component vector in world, view or model space (right-handed, z up in the scene).
// A plain value that starts at (0, 0, 0); compare through VectorsDiffer, never with ==.

namespace VantoranEngine {

struct Vector3 {
    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;
};

inline Vector3 operator+(const Vector3& a, const Vector3& b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
inline Vector3 operator-(const Vector3& a, const Vector3& b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
inline Vector3 operator-(const Vector3& v) { return {-v.x, -v.y, -v.z}; }
inline Vector3 operator*(const Vector3& v, float s) { return {v.x * s, v.y * s, v.z * s}; }

inline float Dot(const Vector3& a, const Vector3& b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
inline Vector3 Cross(const Vector3& a, const Vector3& b)
{
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

// Copies through a temporary, so source and target may overlap; returns the target.
Vector3& AssignVector3(Vector3& target, const Vector3& source);

float Vector3Length(const Vector3& v);

// Divides v by |v| / length; a vector shorter than 0.0001 * length is left unchanged.
// ScaleToLength(v, 1) is the normalisation used throughout the engine.
void ScaleToLength(Vector3& v, float length);

// out = a * (1 - t) + b * t per component, with (1 - t) rounded to float first.
void LerpVector3(Vector3& out, const Vector3& a, const Vector3& b, float t);

// True when some component differs by more than 0.0001; a NaN difference counts as equal.
bool VectorsDiffer(const Vector3& a, const Vector3& b);

} // namespace VantoranEngine
