#include "gdi/GdiObjects.h"

#include <cstdint>
#include <unordered_map>

namespace winsim::gdi {

namespace {

uintptr_t g_nextHandle = 0x10000;

std::unordered_map<uintptr_t, std::unique_ptr<GdiObject>>& Objects() {
  static auto* objects = new std::unordered_map<uintptr_t, std::unique_ptr<GdiObject>>();
  return *objects;
}

std::unordered_map<uintptr_t, std::unique_ptr<DeviceContext>>& DCs() {
  static auto* dcs = new std::unordered_map<uintptr_t, std::unique_ptr<DeviceContext>>();
  return *dcs;
}

uintptr_t NextHandle() { return g_nextHandle += 4; }

}  // namespace

HGDIOBJ AddObject(std::unique_ptr<GdiObject> object) {
  const uintptr_t handle = NextHandle();
  Objects()[handle] = std::move(object);
  return reinterpret_cast<HGDIOBJ>(handle);
}

GdiObject* FindObject(HGDIOBJ handle) {
  auto it = Objects().find(reinterpret_cast<uintptr_t>(handle));
  return it == Objects().end() ? nullptr : it->second.get();
}

void RemoveObject(HGDIOBJ handle) { Objects().erase(reinterpret_cast<uintptr_t>(handle)); }

HDC AddDC(std::unique_ptr<DeviceContext> dc) {
  const uintptr_t handle = NextHandle();
  DCs()[handle] = std::move(dc);
  return reinterpret_cast<HDC>(handle);
}

DeviceContext* FindDC(HDC hdc) {
  auto it = DCs().find(reinterpret_cast<uintptr_t>(hdc));
  return it == DCs().end() ? nullptr : it->second.get();
}

void RemoveDC(HDC hdc) { DCs().erase(reinterpret_cast<uintptr_t>(hdc)); }

HBITMAP NewBitmap(std::shared_ptr<Surface> surface, bool section) {
  auto object = std::make_unique<BitmapObject>();
  object->surface = std::move(surface);
  object->section = section;
  return static_cast<HBITMAP>(AddObject(std::move(object)));
}

HBITMAP DefaultBitmap() {
  static HBITMAP stock = [] {
    HBITMAP h = NewBitmap(Surface::Create(1, 1, 1), false);
    FindObject(h)->stock = true;
    return h;
  }();
  return stock;
}

void AttachBitmap(DeviceContext& dc, HDC hdc, HBITMAP bitmap) {
  BitmapObject* b = FindBitmap(bitmap);
  if (BitmapObject* old = FindBitmap(dc.bitmap); old && !old->stock) old->selectedInto = nullptr;
  dc.bitmap = bitmap;
  dc.surface = b->surface;
  if (!b->stock) b->selectedInto = hdc;
  dc.clip = {0, 0, b->surface->width, b->surface->height};
}

bool IsSelectedAnywhere(HGDIOBJ handle) {
  for (const auto& [h, dc] : DCs())
    if (dc->brush == handle || dc->font == handle || dc->bitmap == handle) return true;
  return false;
}

size_t LiveObjectCount() {
  size_t n = 0;
  for (const auto& [handle, object] : Objects()) n += object->stock ? 0 : 1;
  return n;
}

size_t LiveDCCount() { return DCs().size(); }

}  // namespace winsim::gdi
