// The hand-over of a chosen game server from the panel to the main window.
#pragma once

#include "framework.h"

// A VARIANT's value as text in the ANSI code page; empty for types that
// carry no number or string.
CString VariantToText(VARIANT* pVar);
