// The one platform include of the product code: the framework and, through
// it, the platform's API.
#pragma once

#include "afx/Afx.h"
