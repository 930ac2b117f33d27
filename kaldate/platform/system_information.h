// The platform's system information program. On Linux desktops that is the
// first of a short list of known programs found on PATH; it is started on its
// own (detached), so that it outlives the demo, in a normal window.
#pragma once

#include <QStringList>

namespace kaldate {

// The programs looked for, in order.
QStringList systemInformationPrograms();

// Starts the first program of the list found on PATH. False when none is
// found or the one found cannot be started.
bool startSystemInformation();

}  // namespace kaldate
