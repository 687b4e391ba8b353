// Dialog templates (DLGTEMPLATE and DLGTEMPLATEEX), read and written.
#pragma once

#include <string>
#include <vector>

#include "WinDef.h"

namespace winsim {

struct DialogItemTemplate {
  DWORD helpId = 0;
  DWORD style = 0;
  DWORD exStyle = 0;
  short x = 0, y = 0, cx = 0, cy = 0;
  DWORD id = 0;
  std::string className;  // ordinals are turned into their class names
  std::u16string title;
  WORD titleOrdinal = 0;  // nonzero when the title is a resource ordinal
  std::vector<unsigned char> creationData;
};

struct DialogTemplateData {
  bool extended = false;
  DWORD helpId = 0;
  DWORD style = 0;
  DWORD exStyle = 0;
  short x = 0, y = 0, cx = 0, cy = 0;
  std::u16string menu;
  std::string className;  // empty: the dialog class
  std::u16string title;
  WORD pointSize = 0;
  WORD weight = 0;
  BYTE italic = 0;
  BYTE charset = 0;
  std::u16string typeface;
  std::vector<DialogItemTemplate> items;
};

// Reads a template; `size` bounds the read when known (0: trust the data).
bool ParseDialogTemplate(const void* data, size_t size, DialogTemplateData& out);
// Writes an extended template (DLGTEMPLATEEX) that ParseDialogTemplate reads back.
std::vector<unsigned char> BuildDialogTemplate(const DialogTemplateData& dialog);

}  // namespace winsim
