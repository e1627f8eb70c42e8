// The process entry of a program built on the layer.
#include "fw/WinApp.h"

int main(int argc, char** argv) {
    return fw::RunApplication(argc, argv);
}
