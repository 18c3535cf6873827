#include <windows.h>

#include "app/win/zelvo_app.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandTail, int) {
    return zelvo::RunZelvo(instance, commandTail ? commandTail : "");
}
