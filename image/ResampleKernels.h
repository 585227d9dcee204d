// Filter kernels of the interpolation methods (IM_BSPLINE .. IM_POWER), as 32-bit floats.
#pragma once
#include <cstdint>

float ResampleKernel(int32_t method, float t);
float KernelBSpline(float t);
// The radius of the neighbourhood a method reads around a sample: 6 for Lanczos, else 2.
int32_t KernelRadius(int32_t method);
// float -> int truncation that stays defined for any value (huge, infinite or NaN).
int32_t TruncToInt(float v);
