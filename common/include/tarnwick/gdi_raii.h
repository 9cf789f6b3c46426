// Small owners for GDI and USER resources, so that every path frees what it
// made, in the order real Windows needs (a bitmap is deleted only after it
// is no longer selected into a DC). Header-only; shared by the skin engine,
// the calculator and the gallery, and not part of the engine's interface.
#pragma once

#include <windows.h>

namespace tarnwick {

// GetWindowDC / ReleaseDC.
class ScopedWindowDC {
 public:
  explicit ScopedWindowDC(HWND window) : window_(window), dc_(GetWindowDC(window)) {}
  ~ScopedWindowDC() {
    if (dc_) ReleaseDC(window_, dc_);
  }
  ScopedWindowDC(const ScopedWindowDC&) = delete;
  ScopedWindowDC& operator=(const ScopedWindowDC&) = delete;
  HDC get() const { return dc_; }
  operator HDC() const { return dc_; }

 private:
  HWND window_;
  HDC dc_;
};

// GetDC / ReleaseDC (client area).
class ScopedClientDC {
 public:
  explicit ScopedClientDC(HWND window) : window_(window), dc_(GetDC(window)) {}
  ~ScopedClientDC() {
    if (dc_) ReleaseDC(window_, dc_);
  }
  ScopedClientDC(const ScopedClientDC&) = delete;
  ScopedClientDC& operator=(const ScopedClientDC&) = delete;
  HDC get() const { return dc_; }
  operator HDC() const { return dc_; }

 private:
  HWND window_;
  HDC dc_;
};

// BeginPaint / EndPaint.
class ScopedPaint {
 public:
  explicit ScopedPaint(HWND window) : window_(window) { dc_ = BeginPaint(window, &ps_); }
  ~ScopedPaint() { EndPaint(window_, &ps_); }
  ScopedPaint(const ScopedPaint&) = delete;
  ScopedPaint& operator=(const ScopedPaint&) = delete;
  HDC get() const { return dc_; }
  operator HDC() const { return dc_; }

 private:
  HWND window_;
  PAINTSTRUCT ps_{};
  HDC dc_ = nullptr;
};

// A DC we created (CreateCompatibleDC, CreateDCA): DeleteDC.
class OwnedDC {
 public:
  OwnedDC() = default;
  explicit OwnedDC(HDC dc) : dc_(dc) {}
  ~OwnedDC() { reset(); }
  OwnedDC(const OwnedDC&) = delete;
  OwnedDC& operator=(const OwnedDC&) = delete;
  OwnedDC(OwnedDC&& other) noexcept : dc_(other.release()) {}
  OwnedDC& operator=(OwnedDC&& other) noexcept {
    if (this != &other) {
      reset();
      dc_ = other.release();
    }
    return *this;
  }
  void reset(HDC dc = nullptr) {
    if (dc_) DeleteDC(dc_);
    dc_ = dc;
  }
  HDC release() {
    HDC dc = dc_;
    dc_ = nullptr;
    return dc;
  }
  HDC get() const { return dc_; }
  operator HDC() const { return dc_; }

 private:
  HDC dc_ = nullptr;
};

// Any GDI object we created (bitmap, brush, palette, region): DeleteObject.
template <typename T>
class OwnedObject {
 public:
  OwnedObject() = default;
  explicit OwnedObject(T object) : object_(object) {}
  ~OwnedObject() { reset(); }
  OwnedObject(const OwnedObject&) = delete;
  OwnedObject& operator=(const OwnedObject&) = delete;
  OwnedObject(OwnedObject&& other) noexcept : object_(other.release()) {}
  OwnedObject& operator=(OwnedObject&& other) noexcept {
    if (this != &other) {
      reset();
      object_ = other.release();
    }
    return *this;
  }
  void reset(T object = nullptr) {
    if (object_) DeleteObject(object_);
    object_ = object;
  }
  T release() {
    T object = object_;
    object_ = nullptr;
    return object;
  }
  T get() const { return object_; }
  operator T() const { return object_; }

 private:
  T object_ = nullptr;
};

using OwnedBitmap = OwnedObject<HBITMAP>;
using OwnedBrush = OwnedObject<HBRUSH>;
using OwnedPalette = OwnedObject<HPALETTE>;
using OwnedRegion = OwnedObject<HRGN>;

// Selects an object into a DC and selects the previous one back on scope
// exit. Declare it after the owner of the object, so the object is
// deselected before it is deleted.
class SelectGuard {
 public:
  SelectGuard(HDC dc, HGDIOBJ object) : dc_(dc), old_(dc && object ? SelectObject(dc, object) : nullptr) {
    // A failed selection returns HGDI_ERROR, and selecting a region returns
    // its complexity rather than a handle: neither is anything to restore.
    if (old_ == HGDI_ERROR || (object && GetObjectType(object) == OBJ_REGION)) old_ = nullptr;
  }
  ~SelectGuard() {
    if (old_) SelectObject(dc_, old_);
  }
  SelectGuard(const SelectGuard&) = delete;
  SelectGuard& operator=(const SelectGuard&) = delete;

 private:
  HDC dc_;
  HGDIOBJ old_;
};

}  // namespace tarnwick
