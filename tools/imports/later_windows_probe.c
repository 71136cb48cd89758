/* A program that Windows XP cannot load, for the check of scripts/check-imports: it
 * imports GetTickCount64 (kernel32 of Windows Vista and later) and a function of a DLL
 * that Windows XP does not have at all (dwmapi). The check must name both. */
#define _WIN32_WINNT 0x0600
#include <windows.h>
#include <dwmapi.h>

int main(void)
{
    BOOL composition = FALSE;
    DwmIsCompositionEnabled(&composition);
    return (int)(GetTickCount64() & 1) + composition;
}
