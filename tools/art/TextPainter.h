// Text for the art, rendered with FreeType from the system's fonts.
#pragma once

#include <string>

#include "Canvas.h"

namespace art {

enum class Typeface {
  Chinese,     // a CJK sans-serif face
  TitleSerif,  // a bold serif face for the game's name
};

struct TextStyle {
  Typeface face = Typeface::Chinese;
  int pixelSize = 16;
  Colour colour;
  Colour shadow{0, 0, 0, 0};  // drawn one pixel down and right when opaque
  Paint fill;                 // overrides `colour` when set
};

class TextPainter {
 public:
  TextPainter();
  ~TextPainter();
  TextPainter(const TextPainter&) = delete;
  TextPainter& operator=(const TextPainter&) = delete;

  // Width in pixels of UTF-8 text.
  int Measure(const std::string& text, const TextStyle& style);
  // Draws UTF-8 text with its left end at x and its baseline at y.
  void Draw(Canvas& canvas, const std::string& text, float x, float y, const TextStyle& style);
  // Draws text centred in the box, vertically by the face's cap height.
  void DrawCentred(Canvas& canvas, const std::string& text, float left, float top, float right, float bottom,
                   const TextStyle& style);

 private:
  struct Faces;
  Faces* m_faces;
};

}  // namespace art
