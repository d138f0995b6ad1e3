#include "engine/render/Matrix4.h"

#include <cmath>
#include <utility>

namespace VantoranEngine {

void SetIdentityMatrix(Matrix4& m)
{
    m = Matrix4{};
}

void MakeTranslationMatrix(Matrix4& out, const Vector3& v)
{
    out = Matrix4{};
    out[3] = v.x;
    out[7] = v.y;
    out[11] = v.z;
}

void MakeRotationXMatrix(Matrix4& out, float angle)
{
    const float c = std::cos(angle);
    const float s = std::sin(angle);
    out = Matrix4{};
    out[5] = c;
    out[6] = -s;
    out[9] = s;
    out[10] = c;
}

void MakeRotationZMatrix(Matrix4& out, float angle)
{
    const float c = std::cos(angle);
    const float s = std::sin(angle);
    out = Matrix4{};
    out[0] = c;
    out[1] = -s;
    out[4] = s;
    out[5] = c;
}

void MakeRotationAxisMatrix(Matrix4& out, const Vector3& axis, float angle)
{
    Vector3 n = axis;
    ScaleToLength(n, 1.0f);
    const float x = n.x;
    const float y = n.y;
    const float z = n.z;
    const float c = std::cos(angle);
    const float s = std::sin(angle);
    const float t = 1.0f - c;

    out = Matrix4{};
    out[0] = c + t * x * x;
    out[1] = t * x * y - s * z;
    out[2] = t * x * z + s * y;
    out[4] = t * x * y + s * z;
    out[5] = c + t * y * y;
    out[6] = t * y * z - s * x;
    out[8] = t * x * z - s * y;
    out[9] = t * y * z + s * x;
    out[10] = c + t * z * z;
}

void MultiplyMatrices(Matrix4& out, const Matrix4& a, const Matrix4& b)
{
    Matrix4 r;
    for (int i = 0; i < 4; ++i) {
        for (int j = 0; j < 4; ++j) {
            float sum = 0.0f;
            for (int k = 0; k < 4; ++k)
                sum += a[4 * i + k] * b[4 * k + j];
            r[4 * i + j] = sum;
        }
    }
    out = r;
}

void TranslateMatrix(const Vector3& v, Matrix4& m)
{
    Matrix4 t;
    MakeTranslationMatrix(t, v);
    MultiplyMatrices(m, m, t);
}

void TransposeMatrix(Matrix4& m)
{
    for (int i = 0; i < 4; ++i)
        for (int j = i + 1; j < 4; ++j)
            std::swap(m[4 * i + j], m[4 * j + i]);
}

namespace {

// Determinant of the 3 x 3 minor of m without row r and column c.
float Minor(const Matrix4& m, int r, int c)
{
    int rows[3];
    int cols[3];
    for (int i = 0, n = 0; i < 4; ++i)
        if (i != r)
            rows[n++] = i;
    for (int j = 0, n = 0; j < 4; ++j)
        if (j != c)
            cols[n++] = j;
    auto e = [&](int i, int j) { return m[4 * rows[i] + cols[j]]; };
    return e(0, 0) * (e(1, 1) * e(2, 2) - e(1, 2) * e(2, 1)) - e(0, 1) * (e(1, 0) * e(2, 2) - e(1, 2) * e(2, 0)) +
           e(0, 2) * (e(1, 0) * e(2, 1) - e(1, 1) * e(2, 0));
}

} // namespace

void InvertMatrix(Matrix4& m)
{
    // adj[4i + j] is the cofactor of element (j, i): the adjugate is the transposed cofactor matrix.
    Matrix4 adj;
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j)
            adj[4 * i + j] = ((i + j) % 2 == 0 ? 1.0f : -1.0f) * Minor(m, j, i);

    const float det = m[0] * adj[0] + m[4] * adj[1] + m[8] * adj[2] + m[12] * adj[3];
    const float scale = 1.0f / det;
    for (int i = 0; i < 16; ++i)
        m[i] = adj[i] * scale;
}

bool MatricesEqual(const Matrix4& a, const Matrix4& b)
{
    for (int i = 0; i < 16; ++i)
        if (std::fabs(a[i] - b[i]) > 0.0001f)
            return false;
    return true;
}

void TransformVector4(float out[4], const Matrix4& m, const float v[4])
{
    float r[4];
    for (int i = 0; i < 4; ++i)
        r[i] = m[4 * i] * v[0] + m[4 * i + 1] * v[1] + m[4 * i + 2] * v[2] + m[4 * i + 3] * v[3];
    for (int i = 0; i < 4; ++i)
        out[i] = r[i];
}

Vector3 TransformPoint(const Matrix4& m, const Vector3& p)
{
    return {m[0] * p.x + m[1] * p.y + m[2] * p.z + m[3], m[4] * p.x + m[5] * p.y + m[6] * p.z + m[7],
            m[8] * p.x + m[9] * p.y + m[10] * p.z + m[11]};
}

void TransformRay(Ray& out, const Matrix4& m, const Ray& ray)
{
    const Vector3 origin = TransformPoint(m, ray.origin);
    const Vector3 end = TransformPoint(m, ray.origin + ray.direction);
    out.origin = origin;
    out.direction = end - origin;
}

} // namespace VantoranEngine
