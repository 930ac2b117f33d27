/* A C program linked against kalcore.dll through its import library and
 * kalcore.h and kalcore/dates.h, the way a Windows C program is built against
 * it: on 32-bit x86 the headers' stdcall declarations must find the DLL's
 * plain export names. */
#include <stdio.h>
#include <string.h>

#include "kalcore.h"
#include "kalcore/dates.h"

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
    {
        kal_options options;
        kal_date read;
        const char* texts[2] = {"12/31/98", "no date"};
        const size_t lengths[2] = {8, 7};
        int64_t days[2];
        char text[12];
        size_t length = 0;
        CHECK(kal_options_init(&options) == KAL_OK);
        CHECK(kal_parse("Dec/31/49", 9, &options, &read) == KAL_OK && read.year == 2049);
        CHECK(kal_parse_many(texts, lengths, 2, &options, days, NULL) == 1 && days[0] == 10591 &&
              days[1] == KAL_NAT);
        CHECK(kal_format(1998, 12, 31, 'G', text, sizeof text, &length) == KAL_OK &&
              strcmp(text, "1998-12-31") == 0 && length == 10);
    }
    printf("%d passed, %d failed\n", passed, failed);
    return failed != 0;
}
