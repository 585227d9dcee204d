// CConversionDoc: the conversion tool's document. It holds nothing: the work happens in the
// view's tool pages.
#pragma once
#include "classlib/CDocument.h"

class CConversionDoc : public CDocument {
    DECLARE_DYNCREATE(CConversionDoc)
public:
    CConversionDoc() = default;
};
