// The conversion tool's one application object; the class library's entry point runs it.
#include "conversion/app/CConversionApp.h"

CConversionApp theApp;
