// Art generator: draws the launcher's images and writes them into
// resources/ under their resource ids. The images are committed, so the
// normal build never runs this. To draw them again after a change here:
//
//   cmake -S . -B build && cmake --build build --target lorvane_art -j2
//   build/bin/lorvane_art resources
//
// It needs FreeType, libpng and the fonts of Debian's fonts-wqy-zenhei and
// fonts-dejavu-core packages. The output is the same on every run.
#include <cstdio>
#include <string>

#include "FrameArt.h"
#include "IconArt.h"
#include "ImageFiles.h"
#include "PanelButtonArt.h"
#include "SkinArt.h"
#include "TextPainter.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s RESOURCE_FOLDER\n", argv[0]);
    return 2;
  }
  const std::string folder = std::string(argv[1]) + "/";
  art::TextPainter text;
  art::WritePng(art::PaintFrame(text), folder + "130.png");
  for (const auto& [id, image] : art::PaintPanelButtons(text)) art::WritePng(image, folder + std::to_string(id) + ".png");
  for (const auto& [id, image] : art::PaintSkin(text)) art::WriteBmp(image, folder + std::to_string(id) + ".bmp");
  art::WriteIco({art::PaintIcon(32), art::PaintIcon(16)}, folder + "128.ico");
  return 0;
}
