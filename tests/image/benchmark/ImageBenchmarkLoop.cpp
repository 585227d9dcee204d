// The image benchmark as a plain program (the Windows build, run under Wine): each workload is
// run several times in one process and the median time is printed with its ratio to libjpeg.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include "tests/image/benchmark/ImageBenchmarkWork.h"

namespace {

template <class Work>
double MedianMilliseconds(int runs, Work work)
{
    std::vector<double> times;
    for (int i = 0; i < runs; i++) {
        auto start = std::chrono::steady_clock::now();
        work();
        times.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

void Measure(int width, int height, int runs)
{
    std::vector<uint8_t> jpeg = MakePhotoJpeg(width, height);
    std::vector<uint8_t> buffer;
    bool ok = true;
    double bare = MedianMilliseconds(runs, [&] { BareLibraryDecode(jpeg, buffer); });
    double decode = MedianMilliseconds(runs, [&] {
        CRasterImage image;
        ok = LibraryDecode(jpeg, image) && ok;
    });
    double fit = MedianMilliseconds(runs, [&] {
        CRasterImage image;
        ok = LibraryDecodeAndFit(jpeg, image) && ok;
    });
    std::printf("%dx%d (%zu bytes, median of %d): libjpeg %.2f ms, decode %.2f ms (%.3fx), "
                "decode+fit %.2f ms (%.3fx)%s\n",
                width, height, jpeg.size(), runs, bare, decode, decode / bare, fit, fit / bare,
                ok ? "" : " FAILED");
}

} // namespace

int main()
{
    Measure(1920, 1080, 21);
    Measure(3840, 2160, 11);
    return 0;
}
