#include "conversion/app/CConversionDoc.h"

IMPLEMENT_DYNCREATE(CConversionDoc, CDocument)
