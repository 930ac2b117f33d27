// Runs start-up once, when the shared library is loaded into a process.
#include "services/startup.h"

namespace {

__attribute__((constructor)) void LoadLibraryStartUp() {
    kalcore::services::RunStartUp();
}

}  // namespace
