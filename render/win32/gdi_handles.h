#pragma once

// Owners of GDI objects and device contexts: each releases its handle in
// the scope that made it.

#include <windows.h>

#include <utility>

namespace merva {
namespace win32 {

template <typename Handle>
class GdiHandle {
 public:
  GdiHandle() = default;
  explicit GdiHandle(Handle handle) : handle_(handle) {}
  GdiHandle(const GdiHandle&) = delete;
  GdiHandle& operator=(const GdiHandle&) = delete;
  GdiHandle(GdiHandle&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
  GdiHandle& operator=(GdiHandle&& other) noexcept {
    if (this != &other) Reset(std::exchange(other.handle_, nullptr));
    return *this;
  }
  ~GdiHandle() { Reset(); }

  void Reset(Handle handle = nullptr) {
    if (handle_) ::DeleteObject(handle_);
    handle_ = handle;
  }
  Handle Get() const { return handle_; }
  Handle Release() { return std::exchange(handle_, nullptr); }
  explicit operator bool() const { return handle_ != nullptr; }

 private:
  Handle handle_ = nullptr;
};

using PenHandle = GdiHandle<HPEN>;
using BrushHandle = GdiHandle<HBRUSH>;
using FontHandle = GdiHandle<HFONT>;
using RegionHandle = GdiHandle<HRGN>;
using BitmapHandle = GdiHandle<HBITMAP>;
using PaletteHandle = GdiHandle<HPALETTE>;

// A window's device context (GetDC / ReleaseDC).
class WindowDc {
 public:
  explicit WindowDc(HWND window) : window_(window), dc_(::GetDC(window)) {}
  WindowDc(const WindowDc&) = delete;
  WindowDc& operator=(const WindowDc&) = delete;
  ~WindowDc() {
    if (dc_) ::ReleaseDC(window_, dc_);
  }
  HDC Get() const { return dc_; }

 private:
  HWND window_;
  HDC dc_;
};

// A memory device context compatible with another.
class MemoryDc {
 public:
  explicit MemoryDc(HDC compatibleWith) : dc_(::CreateCompatibleDC(compatibleWith)) {}
  MemoryDc(const MemoryDc&) = delete;
  MemoryDc& operator=(const MemoryDc&) = delete;
  ~MemoryDc() {
    if (dc_) ::DeleteDC(dc_);
  }
  HDC Get() const { return dc_; }

 private:
  HDC dc_;
};

// Selects an object into a context and puts the previous one back.
class Selection {
 public:
  Selection(HDC dc, HGDIOBJ object)
      : dc_(dc), previous_(object ? ::SelectObject(dc, object) : nullptr) {}
  Selection(const Selection&) = delete;
  Selection& operator=(const Selection&) = delete;
  ~Selection() {
    if (previous_) ::SelectObject(dc_, previous_);
  }

 private:
  HDC dc_;
  HGDIOBJ previous_;
};

// An enhanced-metafile recording context; Close() hands out the metafile.
class EnhancedMetafileDc {
 public:
  EnhancedMetafileDc(HDC reference, const RECT* frameHimetric, const char* description)
      : dc_(::CreateEnhMetaFileA(reference, nullptr, frameHimetric, description)) {}
  EnhancedMetafileDc(const EnhancedMetafileDc&) = delete;
  EnhancedMetafileDc& operator=(const EnhancedMetafileDc&) = delete;
  ~EnhancedMetafileDc() {
    HENHMETAFILE unused = Close();
    if (unused) ::DeleteEnhMetaFile(unused);
  }
  HDC Get() const { return dc_; }
  HENHMETAFILE Close() { return dc_ ? ::CloseEnhMetaFile(std::exchange(dc_, nullptr)) : nullptr; }

 private:
  HDC dc_;
};

// A Windows metafile recording context.
class MetafileDc {
 public:
  MetafileDc() : dc_(::CreateMetaFileA(nullptr)) {}
  MetafileDc(const MetafileDc&) = delete;
  MetafileDc& operator=(const MetafileDc&) = delete;
  ~MetafileDc() {
    HMETAFILE unused = Close();
    if (unused) ::DeleteMetaFile(unused);
  }
  HDC Get() const { return dc_; }
  HMETAFILE Close() { return dc_ ? ::CloseMetaFile(std::exchange(dc_, nullptr)) : nullptr; }

 private:
  HDC dc_;
};

}  // namespace win32
}  // namespace merva
