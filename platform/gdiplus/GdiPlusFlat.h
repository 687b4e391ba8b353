// GDI+: the flat functions, statuses and start-up records. GdiPlus.h wraps
// them in the classes that product code uses.
#pragma once

#include "ole/Ole.h"
#include "win32/WinDef.h"

namespace Gdiplus {

enum Status {
  Ok = 0,
  GenericError = 1,
  InvalidParameter = 2,
  OutOfMemory = 3,
  ObjectBusy = 4,
  InsufficientBuffer = 5,
  NotImplemented = 6,
  Win32Error = 7,
  WrongState = 8,
  Aborted = 9,
  FileNotFound = 10,
  ValueOverflow = 11,
  AccessDenied = 12,
  UnknownImageFormat = 13,
  FontFamilyNotFound = 14,
  FontStyleNotFound = 15,
  NotTrueTypeFont = 16,
  UnsupportedGdiplusVersion = 17,
  GdiplusNotInitialized = 18,
};

enum SmoothingMode {
  SmoothingModeInvalid = -1,
  SmoothingModeDefault = 0,
  SmoothingModeHighSpeed = 1,
  SmoothingModeHighQuality = 2,
  SmoothingModeNone = 3,
  SmoothingModeAntiAlias = 4,
};

enum DebugEventLevel { DebugEventLevelFatal, DebugEventLevelWarning };
typedef void(WINAPI* DebugEventProc)(DebugEventLevel level, CHAR* message);
typedef Status(WINAPI* NotificationHookProc)(ULONG_PTR* token);
typedef void(WINAPI* NotificationUnhookProc)(ULONG_PTR token);

struct GdiplusStartupInput {
  UINT GdiplusVersion;
  DebugEventProc DebugEventCallback;
  BOOL SuppressBackgroundThread;
  BOOL SuppressExternalCodecs;
  GdiplusStartupInput(DebugEventProc callback = nullptr, BOOL suppressBackgroundThread = FALSE,
                      BOOL suppressExternalCodecs = FALSE)
      : GdiplusVersion(1),
        DebugEventCallback(callback),
        SuppressBackgroundThread(suppressBackgroundThread),
        SuppressExternalCodecs(suppressExternalCodecs) {}
};

struct GdiplusStartupOutput {
  NotificationHookProc NotificationHook;
  NotificationUnhookProc NotificationUnhook;
};

// Start-up and shut-down are reached as Gdiplus::GdiplusStartup too.
extern "C" Status WINAPI GdiplusStartup(ULONG_PTR* token, const GdiplusStartupInput* input, GdiplusStartupOutput* output);
extern "C" void WINAPI GdiplusShutdown(ULONG_PTR token);

// Opaque objects of the flat interface.
struct GpImage;
struct GpGraphics;
typedef GpImage GpBitmap;

}  // namespace Gdiplus

extern "C" {

Gdiplus::Status WINAPI GdiplusStartup(ULONG_PTR* token, const Gdiplus::GdiplusStartupInput* input,
                                      Gdiplus::GdiplusStartupOutput* output);
void WINAPI GdiplusShutdown(ULONG_PTR token);

void* WINAPI GdipAlloc(size_t size);
void WINAPI GdipFree(void* ptr);

Gdiplus::Status WINAPI GdipLoadImageFromStream(IStream* stream, Gdiplus::GpImage** image);
Gdiplus::Status WINAPI GdipLoadImageFromStreamICM(IStream* stream, Gdiplus::GpImage** image);
Gdiplus::Status WINAPI GdipCreateBitmapFromHBITMAP(HBITMAP hbm, HPALETTE hpal, Gdiplus::GpBitmap** bitmap);
Gdiplus::Status WINAPI GdipDisposeImage(Gdiplus::GpImage* image);
Gdiplus::Status WINAPI GdipGetImageWidth(Gdiplus::GpImage* image, UINT* width);
Gdiplus::Status WINAPI GdipGetImageHeight(Gdiplus::GpImage* image, UINT* height);

Gdiplus::Status WINAPI GdipCreateFromHDC(HDC hdc, Gdiplus::GpGraphics** graphics);
Gdiplus::Status WINAPI GdipDeleteGraphics(Gdiplus::GpGraphics* graphics);
Gdiplus::Status WINAPI GdipSetSmoothingMode(Gdiplus::GpGraphics* graphics, Gdiplus::SmoothingMode mode);
Gdiplus::Status WINAPI GdipDrawImageRectI(Gdiplus::GpGraphics* graphics, Gdiplus::GpImage* image, INT x, INT y,
                                          INT width, INT height);

}  // extern "C"
