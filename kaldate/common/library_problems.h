// Tells the user, in one message box, when the date library or one of its
// functions cannot be found. A button press that makes many calls shows one
// box, not one per call; the screen stays usable and its calls fail.
#pragma once

namespace kaldate {

class KalcoreBinding;
class MessageBoxes;

void reportLibraryProblems(KalcoreBinding& kalcore, MessageBoxes& messages);

}  // namespace kaldate
