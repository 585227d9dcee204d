// Google Benchmark form of the image benchmark (native build).
#include <benchmark/benchmark.h>
#include "tests/image/benchmark/ImageBenchmarkWork.h"

namespace {

const std::vector<uint8_t>& Photo(int width, int height)
{
    static std::vector<uint8_t> hd = MakePhotoJpeg(1920, 1080);
    static std::vector<uint8_t> uhd = MakePhotoJpeg(3840, 2160);
    return width == 1920 && height == 1080 ? hd : uhd;
}

void BM_BareLibjpegDecode(benchmark::State& state)
{
    const std::vector<uint8_t>& jpeg = Photo(int(state.range(0)), int(state.range(1)));
    std::vector<uint8_t> buffer;
    for (auto _ : state)
        benchmark::DoNotOptimize(BareLibraryDecode(jpeg, buffer));
}

void BM_ImageDecode(benchmark::State& state)
{
    const std::vector<uint8_t>& jpeg = Photo(int(state.range(0)), int(state.range(1)));
    for (auto _ : state) {
        CRasterImage image;
        if (!LibraryDecode(jpeg, image))
            state.SkipWithError("decode failed");
    }
}

void BM_ImageDecodeAndFit(benchmark::State& state)
{
    const std::vector<uint8_t>& jpeg = Photo(int(state.range(0)), int(state.range(1)));
    for (auto _ : state) {
        CRasterImage image;
        if (!LibraryDecodeAndFit(jpeg, image))
            state.SkipWithError("decode or fit failed");
    }
}

} // namespace

BENCHMARK(BM_BareLibjpegDecode)->Args({1920, 1080})->Args({3840, 2160})->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ImageDecode)->Args({1920, 1080})->Args({3840, 2160})->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ImageDecodeAndFit)->Args({1920, 1080})->Args({3840, 2160})->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
