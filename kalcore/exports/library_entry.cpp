// The library entry: start-up runs when the library is loaded into a process
// and, on Windows, again each time a thread of the process starts.
#include "services/startup.h"

#if defined(_WIN32)

#include "platform/win32/module_instance.h"

// Runs under the loader lock: start-up only reads and writes its own files and
// the profile under the home lock (a mutex no holder keeps while it loads a
// library or waits for a thread), and loads no library.
extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID /*reserved*/) {
    switch (reason) {
        case DLL_PROCESS_ATTACH:
            kalcore::platform::SetModuleInstance(instance);
            kalcore::services::RunStartUp();
            break;
        case DLL_THREAD_ATTACH:
            kalcore::services::RunStartUp();
            break;
        default:
            break;
    }
    return TRUE;
}

#else

namespace {

__attribute__((constructor)) void LoadLibraryStartUp() {
    kalcore::services::RunStartUp();
}

}  // namespace

#endif
