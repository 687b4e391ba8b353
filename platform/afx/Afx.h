// The framework: everything the product code uses of it, and the platform API.
#pragma once

#include "win32/Windows.h"
#include "afx/AfxString.h"
#include "afx/AfxInet.h"
#include "afx/AfxObject.h"
#include "afx/AfxTypes.h"
#include "afx/AfxState.h"
#include "afx/AfxCmdTarget.h"
#include "afx/AfxGdi.h"
#include "afx/AfxFile.h"
#include "afx/AfxWnd.h"
#include "afx/AfxDialog.h"
#include "afx/AfxException.h"
#include "afx/AfxOleSite.h"
#include "afx/AfxOcc.h"
#include "afx/AfxButton.h"
#include "afx/AfxWinApp.h"
