// Adobe Filmstrip: raw video whose pixels are always RGBA.
#pragma once
#include "conversion/engine/catalogue/CBuiltInFormat.h"

class CVF_flm : public CBuiltInFormat {
public:
    explicit CVF_flm(const BuiltInFormatSpec& spec);
};
