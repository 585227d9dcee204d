// The most heap memory a piece of code holds at once. Measured in the native sanitizer build,
// through AddressSanitizer's allocation hooks (every malloc and free of the process, libpng's
// and libjpeg's included); other builds cannot measure it and report -1.
#pragma once
#include <atomic>
#include <cstddef>
#include <cstdint>

#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define KAVRI_HEAP_HOOKS 1
#endif
#endif
#if !defined(KAVRI_HEAP_HOOKS) && defined(__SANITIZE_ADDRESS__)
#define KAVRI_HEAP_HOOKS 1
#endif

#ifdef KAVRI_HEAP_HOOKS
#include <sanitizer/allocator_interface.h>

namespace heap_use {

inline std::atomic<int64_t>& Held()
{
    static std::atomic<int64_t> held {0};
    return held;
}

inline std::atomic<int64_t>& Peak()
{
    static std::atomic<int64_t> peak {0};
    return peak;
}

inline void OnMalloc(const volatile void*, size_t size)
{
    int64_t now = Held().fetch_add(int64_t(size)) + int64_t(size);
    int64_t peak = Peak().load();
    while (now > peak && !Peak().compare_exchange_weak(peak, now)) {
    }
}

inline void OnFree(const volatile void* p)
{
    const void* q = const_cast<const void*>(p);
    if (q && __sanitizer_get_ownership(q))
        Held().fetch_sub(int64_t(__sanitizer_get_allocated_size(q)));
}

} // namespace heap_use

// Runs f and returns the most bytes it held on the heap at once, beyond what was held before.
template <class F> int64_t PeakHeapBytes(F f)
{
    static const bool installed = __sanitizer_install_malloc_and_free_hooks(heap_use::OnMalloc, heap_use::OnFree) != 0;
    if (!installed)
        return -1;
    heap_use::Held() = 0;
    heap_use::Peak() = 0;
    f();
    return heap_use::Peak().load();
}

#else

template <class F> int64_t PeakHeapBytes(F f)
{
    f();
    return -1;
}

#endif
