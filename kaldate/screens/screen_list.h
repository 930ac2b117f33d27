// Every screen the main menu and the other screens open, by name.
#pragma once

namespace kaldate {

class ScreenHost;

void addScreens(ScreenHost& host);

}  // namespace kaldate
