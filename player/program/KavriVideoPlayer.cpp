// The player program: its one application object. The class library's entry runs it.
#include "player/CPlayerApp.h"

CPlayerApp theApp;
