// The conversion tool's format registry: the three built-in categories with their formats.
#pragma once
#include "conversion/engine/CMediaFormats.h"

class CBuiltInMediaFormats : public CMediaFormats {
public:
    int BuildBuiltIns() override;
};

// The registry of the running program.
extern CBuiltInMediaFormats theMediaFormats;
