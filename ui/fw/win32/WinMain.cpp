// The process entry of a program built on the layer: a Windows program with no console.
#include <windows.h>

#include <cstdlib>

#include "fw/WinApp.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    return fw::RunApplication(__argc, __argv);
}
