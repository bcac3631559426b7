#pragma once
// Owners for the driver's Win32 handles: each closes its handle exactly once.

#include <windows.h>

#include <utility>

namespace cog::e2e {

// A handle with a closing function known at compile time; 0 means "none".
template <typename T, auto Close>
class Owned {
 public:
  Owned() = default;
  explicit Owned(T value) : value_(value) {}
  Owned(const Owned&) = delete;
  Owned& operator=(const Owned&) = delete;
  Owned(Owned&& other) noexcept : value_(std::exchange(other.value_, T{})) {}
  Owned& operator=(Owned&& other) noexcept {
    if (this != &other) Reset(std::exchange(other.value_, T{}));
    return *this;
  }
  ~Owned() { Reset(); }

  T get() const { return value_; }
  explicit operator bool() const { return value_ != T{}; }
  void Reset(T value = T{}) {
    if (value_ != T{}) Close(value_);
    value_ = value;
  }

 private:
  T value_{};
};

inline void CloseKernelHandle(HANDLE handle) { CloseHandle(handle); }
inline void UnmapView(void* view) { UnmapViewOfFile(view); }
inline void UnloadModule(HMODULE module) { FreeLibrary(module); }
inline void RemoveHook(HHOOK hook) { UnhookWindowsHookEx(hook); }
inline void DestroyOwnWindow(HWND window) { DestroyWindow(window); }
inline void CloseFind(HANDLE search) { FindClose(search); }

using UniqueHandle = Owned<HANDLE, CloseKernelHandle>;
using MappedView = Owned<void*, UnmapView>;
using LoadedModule = Owned<HMODULE, UnloadModule>;
using InstalledHook = Owned<HHOOK, RemoveHook>;
using OwnWindow = Owned<HWND, DestroyOwnWindow>;
// Holds a FindFirstFileA handle; give it 0, not INVALID_HANDLE_VALUE, on failure.
using FindHandle = Owned<HANDLE, CloseFind>;

// A window's device context (the screen's for a null window), released when done.
class WindowDc {
 public:
  explicit WindowDc(HWND window) : window_(window), dc_(GetDC(window)) {}
  WindowDc(const WindowDc&) = delete;
  WindowDc& operator=(const WindowDc&) = delete;
  ~WindowDc() {
    if (dc_) ReleaseDC(window_, dc_);
  }
  HDC get() const { return dc_; }

 private:
  HWND window_;
  HDC dc_;
};

}  // namespace cog::e2e
