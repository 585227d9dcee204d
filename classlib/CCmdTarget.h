// CCmdTarget: the base of every class that receives commands and messages.
#pragma once
#include "classlib/CObject.h"

class CCmdTarget : public CObject {
    DECLARE_DYNAMIC(CCmdTarget)
public:
    CCmdTarget() = default;
};
