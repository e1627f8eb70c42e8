// The one application object of the Tarvix program: constructed before main() runs.
#include "TarvixApp.h"

static CTarvixApp theApp;
