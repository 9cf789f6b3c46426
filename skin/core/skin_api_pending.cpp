#include <skin/skin.h>

int SkinAttach(HWND){return 0;}
int SkinDetach(HWND){return 0;}
