#include "state/button_faces.h"

#include "gdi/gdi_toolkit.h"

namespace skin {
namespace {

// A form has a few button sizes; dragging a button's edge makes a new one
// at every step. Past this many, start afresh rather than grow.
constexpr size_t kMaxSizes = 16;
constexpr int kStates = 4;

}  // namespace

HDC ButtonFaceCache::Find(int width, int height) const {
  for (const Entry& entry : entries_) {
    if (entry.width == width && entry.height == height) return entry.faces;
  }
  return nullptr;
}

HDC ButtonFaceCache::Add(int width, int height) {
  if (width <= 0 || height <= 0) return nullptr;
  if (entries_.size() >= kMaxSizes) Clear();
  HDC faces = CreateMemoryDC(width, kStates * height);
  if (faces) entries_.push_back(Entry{width, height, faces});
  return faces;
}

void ButtonFaceCache::Clear() {
  for (Entry& entry : entries_) DeleteMemoryDC(entry.faces);
  entries_.clear();
}

}  // namespace skin
