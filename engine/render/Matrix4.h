#pragma once
// 4 x 4 matrix, 16 floats stored row by row (element index = 4 * row + column), for column vectors
// multiplied on the right: p' = M * p, so x' = m0 x + m1 y + m2 z + m3 and so on. A translation sits
// in elements 3, 7 and 11; A * B applies B first, then A.
//
// Direct3D takes row vectors: the render system hands a world matrix over transposed, and cameras keep
// their view and projections already in that transposed (row-vector) layout. Functions that combine
// camera matrices say so.
//
// Every function writes its result in place and is pure: any thread may call them.

#include "engine/render/Ray.h"
#include "engine/render/Vector3.h"

namespace VantoranEngine {

struct Matrix4 {
    float m[16] = {1.0f, 0.0f, 0.0f, 0.0f, 0.0f, 1.0f, 0.0f, 0.0f, 0.0f, 0.0f, 1.0f, 0.0f, 0.0f, 0.0f, 0.0f, 1.0f};

    float& operator[](int i) { return m[i]; }
    const float& operator[](int i) const { return m[i]; }
};

void SetIdentityMatrix(Matrix4& m);

// Identity with v in elements 3, 7 and 11.
void MakeTranslationMatrix(Matrix4& out, const Vector3& v);

// Rotations by angle radians, counter-clockwise looking down the axis towards the origin.
void MakeRotationXMatrix(Matrix4& out, float angle);
void MakeRotationZMatrix(Matrix4& out, float angle);
// The axis need not be normalised (a copy is); a zero axis gives a scaled identity part.
void MakeRotationAxisMatrix(Matrix4& out, const Vector3& axis, float angle);

// out = a * b. out may be a or b: the product is formed in a temporary first.
void MultiplyMatrices(Matrix4& out, const Matrix4& a, const Matrix4& b);

// m = m * translation(v): the translation is applied before m.
void TranslateMatrix(const Vector3& v, Matrix4& m);

void TransposeMatrix(Matrix4& m);

// m = inverse of m by cofactors. A singular matrix is not detected: the result holds infinities or NaNs.
void InvertMatrix(Matrix4& m);

// True when all 16 element pairs differ by at most 0.0001.
bool MatricesEqual(const Matrix4& a, const Matrix4& b);

// out = m * v for a four-component v (x, y, z, w).
void TransformVector4(float out[4], const Matrix4& m, const float v[4]);

// m * (p, 1), dropping w: p transformed as a point.
Vector3 TransformPoint(const Matrix4& m, const Vector3& p);

// out.origin = m * origin as a point; out.direction = m * (origin + direction) - out.origin.
void TransformRay(Ray& out, const Matrix4& m, const Ray& ray);

} // namespace VantoranEngine
