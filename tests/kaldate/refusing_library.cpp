// A stand-in for kalcore whose conversion refuses every date that its check
// accepted. The real library never does that after a successful check, so
// this is how the tests reach the conversion screen's last failure message.
#include <cstdint>
#include <cstring>

extern "C" {

__attribute__((visibility("default"))) std::int16_t KD_CGETCNTRY(std::int32_t, char* text) {
    std::memcpy(text, "20", 3);
    return 1;
}

__attribute__((visibility("default"))) std::int32_t KD_ISVDATE(char*) {
    return 1;
}

__attribute__((visibility("default"))) std::int32_t KD_CONVDATE(const char*, char* output,
                                                                const char*, std::int32_t,
                                                                std::int32_t) {
    output[0] = '\0';
    return 0;
}
}
