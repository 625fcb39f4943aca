// A scripted run of the simulator that saves pictures of the window: the
// remote iPod detached, attached, mounted (with a remote music database:
// browsing it and transferring an album), the eject question, ejected.
#pragma once

#include <QString>

class SimWindow;

bool screenshot_tour(SimWindow &window, const QString &folder);
// Called while the eject question is shown.
void screenshot_tour_dialog(void);
