// Keeps Wine's desktop open for a whole test run. Without a program on the desktop, Wine
// closes it soon, and the next window test starts it again: the desktop's process then
// inherits that test's output and CTest waits for it to end.
#include <windows.h>

int main() {
    GetDesktopWindow();
    Sleep(INFINITE);
    return 0;
}
