// The job object that the tools are started in: closing its last handle ends every process in
// it, so that a tool killed or left behind takes its own children with it.
#pragma once

#include "common/OwnedHandle.h"

// None when the system gives no job or refuses the limit.
OwnedHandle CreateKillOnCloseJob();
