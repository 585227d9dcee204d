// A handle that must be closed lives in an owning object: closed by its destructor, movable,
// never copied, so that no return path can forget it. Plain Win32, without the class library:
// the tools, the class library and the framework all use it.
#pragma once
#include <windows.h>

// Traits: the handle type, its "none" value and the call that closes it.
template <class Traits>
class UniqueHandle {
public:
    typedef typename Traits::Type Type;

    UniqueHandle() = default;
    explicit UniqueHandle(Type handle) : m_handle(handle) {}
    UniqueHandle(UniqueHandle&& other) noexcept : m_handle(other.Release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept
    {
        if (this != &other)
            Reset(other.Release());
        return *this;
    }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    ~UniqueHandle() { Reset(); }

    Type Get() const { return m_handle; }
    bool IsValid() const { return m_handle != Traits::None(); }
    explicit operator bool() const { return IsValid(); }

    // Closes the handle held (if any) and holds the given one.
    void Reset(Type handle = Traits::None())
    {
        if (m_handle != Traits::None())
            Traits::Close(m_handle);
        m_handle = handle;
    }
    // Gives the handle up without closing it.
    Type Release()
    {
        Type handle = m_handle;
        m_handle = Traits::None();
        return handle;
    }
    // For calls that hand out a handle through a pointer: closes the old one first.
    Type* Receive()
    {
        Reset();
        return &m_handle;
    }

private:
    Type m_handle = Traits::None();
};

// Kernel objects whose "none" is null: processes, threads, jobs, events, pipes, tokens.
struct KernelHandleTraits {
    typedef HANDLE Type;
    static HANDLE None() { return nullptr; }
    static void Close(HANDLE handle) { CloseHandle(handle); }
};
typedef UniqueHandle<KernelHandleTraits> OwnedHandle;

// Handles from CreateFileW, whose "none" is INVALID_HANDLE_VALUE.
struct FileHandleTraits {
    typedef HANDLE Type;
    static HANDLE None() { return INVALID_HANDLE_VALUE; }
    static void Close(HANDLE handle) { CloseHandle(handle); }
};
typedef UniqueHandle<FileHandleTraits> OwnedFileHandle;

// Registry keys from RegOpenKeyExW / RegCreateKeyExW (never a predefined root such as
// HKEY_CURRENT_USER).
struct RegistryKeyTraits {
    typedef HKEY Type;
    static HKEY None() { return nullptr; }
    static void Close(HKEY key) { RegCloseKey(key); }
};
typedef UniqueHandle<RegistryKeyTraits> OwnedRegKey;

// Searches from FindFirstFileW, whose "none" is INVALID_HANDLE_VALUE.
struct FindHandleTraits {
    typedef HANDLE Type;
    static HANDLE None() { return INVALID_HANDLE_VALUE; }
    static void Close(HANDLE handle) { FindClose(handle); }
};
typedef UniqueHandle<FindHandleTraits> OwnedFindHandle;
