// Start-up: run when the library is loaded (and, on Windows, when a thread of
// the process starts). Never fails and never throws.
#pragma once

namespace kalcore::services {

// Loads and repairs the configuration file, builds the key year's holidays
// and makes sure the date conversion file exists, in that order, under the
// home lock. False when a step could not write what it had to (loading the
// library goes on regardless; the next start-up tries again).
bool RunStartUp() noexcept;

}  // namespace kalcore::services
