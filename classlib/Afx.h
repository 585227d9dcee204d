// The class library: the one header the rest of the system includes.
#pragma once
#include <windows.h>
#include "classlib/AfxModule.h"
#include "classlib/AfxPath.h"
#include "classlib/CArray.h"
#include "classlib/CCmdTarget.h"
#include "classlib/CFileFind.h"
#include "classlib/CList.h"
#include "classlib/CObject.h"
#include "classlib/CRect.h"
#include "classlib/CString.h"
#include "classlib/CWaitCursor.h"
#include "classlib/CWinApp.h"
#include "classlib/CWinThread.h"
