/* Answers a message box the way a person would: waits for a top-level window with the given
   caption, writes what it shows to OUTFILE, waits DELAY ms (time for a screenshot), then
   presses the button. OUTFILE holds "key=value" lines; text_hex is the box's text, byte
   for byte, as hex digits.
   usage: answer.exe CAPTION yes|no|ok OUTFILE TIMEOUT_MS [DELAY_MS]
   Exit code 0 once the button is pressed, 1 when no such box appeared in time. */
#include <string.h>

#include "record.h"

struct BoxContents {
    char text[1024];
    int icons;
    char buttons[256];
};

static BOOL CALLBACK ReadChild(HWND child, LPARAM lParam) {
    struct BoxContents* contents = (struct BoxContents*)lParam;
    char className[32], text[256];
    GetClassNameA(child, className, sizeof className);
    GetWindowTextA(child, text, sizeof text);
    if (lstrcmpiA(className, "Static") == 0) {
        if ((GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON) {
            ++contents->icons;
        } else if (text[0] != '\0') {
            lstrcpynA(contents->text, text, sizeof contents->text);
        }
    } else if (lstrcmpiA(className, "Button") == 0) {
        if (contents->buttons[0] != '\0') strcat(contents->buttons, ",");
        strcat(contents->buttons, text);
    }
    return TRUE;
}

int main(int argc, char** argv) {
    const char* caption;
    WPARAM button;
    DWORD deadline, delay;
    HWND box = NULL;
    struct BoxContents contents = {{0}, 0, {0}};
    FILE* out;
    int i;
    char className[32];
    if (argc < 5) return 2;
    caption = argv[1];
    button = strcmp(argv[2], "yes") == 0 ? IDYES : strcmp(argv[2], "no") == 0 ? IDNO : IDOK;
    deadline = GetTickCount() + strtoul(argv[4], NULL, 10);
    delay = argc > 5 ? strtoul(argv[5], NULL, 10) : 0;
    while ((box = FindWindowA(NULL, caption)) == NULL || !IsWindowVisible(box)) {
        if ((LONG)(GetTickCount() - deadline) >= 0) return 1;
        Sleep(50);
    }
    Sleep(200); /* let the box finish laying out its controls */
    EnumChildWindows(box, ReadChild, (LPARAM)&contents);
    out = fopen(argv[3], "wb");
    if (out == NULL) return 3;
    fprintf(out, "text_hex=");
    for (i = 0; contents.text[i] != '\0'; ++i)
        fprintf(out, "%02x", (unsigned char)contents.text[i]);
    fprintf(out, "\n");
    fprintf(out, "owner=%d\n", GetWindow(box, GW_OWNER) != NULL);
    fprintf(out, "icons=%d\n", contents.icons);
    fprintf(out, "buttons=%s\n", contents.buttons);
    GetClassNameA(box, className, sizeof className);
    fprintf(out, "class=%s\n", className);
    fprintf(out, "answered_at=%llu\n", NowMilliseconds() + delay);
    fclose(out);
    Sleep(delay);
    PostMessageA(box, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0);
    return 0;
}
