#include "image/ResampleKernels.h"
#include <cmath>
#include "image/RasterImage.h"

namespace {

const float kPi = 3.1415927f;

float Cube(float v)
{
    return v * v * v;
}

// Bessel function of the first kind, order one, by the usual rational approximations.
double BesselJ1(double x)
{
    double ax = std::fabs(x);
    if (ax < 8.0) {
        double y = x * x;
        double p = x * (72362614232.0 + y * (-7895059235.0 + y * (242396853.1 + y * (-2972611.439
                   + y * (15704.48260 + y * (-30.16036606))))));
        double q = 144725228442.0 + y * (2300535178.0 + y * (18583304.74 + y * (99447.43394
                   + y * (376.9991397 + y))));
        return p / q;
    }
    double z = 8.0 / ax;
    double y = z * z;
    double xx = ax - 2.356194491;
    double p = 1.0 + y * (0.183105e-2 + y * (-0.3516396496e-4 + y * (0.2457520174e-5 + y * (-0.240337019e-6))));
    double q = 0.04687499995 + y * (-0.2002690873e-3 + y * (0.8449199096e-5 + y * (-0.88228987e-6
               + y * 0.105787412e-6)));
    double r = std::sqrt(0.636619772 / ax) * (std::cos(xx) * p - z * std::sin(xx) * q);
    return x < 0.0 ? -r : r;
}

float Sinc(float u)
{
    return u == 0.0f ? 1.0f : std::sin(u) / u;
}

} // namespace

int32_t TruncToInt(float v)
{
    if (!(v > -1.0e9f))
        return -1000000000;
    if (v > 1.0e9f)
        return 1000000000;
    return int32_t(v);
}

int32_t KernelRadius(int32_t method)
{
    return method == IM_LANCZOS ? 6 : 2;
}

float KernelBSpline(float t)
{
    if (t > 2.0f)
        return 0.0f;
    float a = t + 2.0f > 0.0f ? t + 2.0f : 0.0f;
    float b = t + 1.0f > 0.0f ? t + 1.0f : 0.0f;
    float c = t > 0.0f ? t : 0.0f;
    float d = t - 1.0f > 0.0f ? t - 1.0f : 0.0f;
    return (Cube(a) - 4.0f * Cube(b) + 6.0f * Cube(c) - 4.0f * Cube(d)) * 0.16666667f;
}

float ResampleKernel(int32_t method, float t)
{
    float at = std::fabs(t);
    float t2 = t * t;
    switch (method) {
    case IM_BSPLINE:
        return KernelBSpline(t);
    case IM_BICUBIC:
        if (at < 1.0f)
            return 1.0f - 2.0f * t2 + Cube(at);
        return at < 2.0f ? 4.0f - 8.0f * at + 5.0f * t2 - Cube(at) : 0.0f;
    case IM_BICUBIC2: {
        const float a = -0.5f;
        if (at < 1.0f)
            return (a + 2.0f) * Cube(at) - (a + 3.0f) * t2 + 1.0f;
        return at < 2.0f ? a * Cube(at) - 5.0f * a * t2 + 8.0f * a * at - 4.0f * a : 0.0f;
    }
    case IM_LANCZOS: {
        const float r = 6.0f;
        if (at > r)
            return 0.0f;
        return t == 0.0f ? 1.0f : Sinc(kPi * t) * Sinc(kPi * t / r);
    }
    case IM_BOX:
        return t >= -0.5f && t < 0.5f ? 1.0f : 0.0f;
    case IM_HERMITE:
        if (t >= 0.0f && t < 1.0f)
            return 2.0f * Cube(t) - 3.0f * t2 + 1.0f;
        return t >= -1.0f && t < 0.0f ? -2.0f * Cube(t) - 3.0f * t2 + 1.0f : 0.0f;
    case IM_HAMMING:
        if (t >= 0.0f && t < 1.0f)
            return 0.92f * (2.0f * Cube(t) - 3.0f * t2) + 1.0f;
        return t >= -1.0f && t < 0.0f ? 0.92f * (-2.0f * Cube(t) - 3.0f * t2) + 1.0f : 0.0f;
    case IM_SINC:
        return Sinc(kPi * t);
    case IM_BLACKMAN:
        return 0.42f + 0.5f * std::cos(kPi * t) + 0.08f * std::cos(2.0f * kPi * t);
    case IM_BESSEL:
        return t == 0.0f ? 0.7853982f : float(BesselJ1(double(kPi * t)) / (2.0 * double(t)));
    case IM_GAUSSIAN:
        return std::exp(-2.0f * t2) * 0.7978846f;
    case IM_QUADRATIC:
        if (at < 0.5f)
            return 0.75f - t2;
        return at < 1.5f ? 0.5f * (at - 1.5f) * (at - 1.5f) : 0.0f;
    case IM_MITCHELL:
        if (at < 1.0f)
            return 7.0f / 6.0f * Cube(at) - 2.0f * t2 + 8.0f / 9.0f;
        return at < 2.0f ? -7.0f / 18.0f * Cube(at) + 2.0f * t2 - 10.0f / 3.0f * at + 16.0f / 9.0f : 0.0f;
    case IM_CATROM:
        if (at < 1.0f)
            return (3.0f * Cube(at) - 5.0f * t2 + 2.0f) / 2.0f;
        return at < 2.0f ? (-Cube(at) + 5.0f * t2 - 8.0f * at + 4.0f) / 2.0f : 0.0f;
    case IM_HANNING:
        if (at > 1.0f)
            return 0.0f;
        return t == 0.0f ? 1.0f : Sinc(kPi * t) * (0.5f + 0.5f * std::cos(kPi * t));
    case IM_POWER:
        return at <= 1.0f ? 1.0f - std::fabs(t2) : 0.0f;
    default:
        return 0.0f;
    }
}
