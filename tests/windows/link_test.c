/* A C program linked against kalcore.dll through its import library and
 * kalcore.h, the way a Windows C program is built against it: on 32-bit x86
 * the header's stdcall declarations must find the DLL's plain export names. */
#include <stdio.h>
#include <string.h>

#include "kalcore.h"

int main(void) {
    char date[12] = "12/31/1998";
    char iso[12];
    int passed = 0, failed = 0;
#define CHECK(condition) ((condition) ? ++passed : (++failed, printf("FAILED: %s\n", #condition)))
    CHECK(KD_ISVDATE(date) == 1 && strcmp(date, "Dec/31/1998") == 0);
    CHECK(KD_CONVDATE("Dec/31/98", iso, "G", 0, 4) == 1 && strcmp(iso, "1998-12-31") == 0);
    CHECK(HiWord(-1) == 65535);
    CHECK(ShiftLeft(0xFFFF, 33) == 0x1FFFE);
    CHECK(MakeLong(0x12345, 0x6) == 0x62345);
    printf("%d passed, %d failed\n", passed, failed);
    return failed != 0;
}
