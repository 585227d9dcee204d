#include "classlib/CCmdTarget.h"

IMPLEMENT_DYNAMIC(CCmdTarget, CObject)
