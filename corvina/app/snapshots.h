// Pictures of the main window's five pages, for the demo and the README.
#pragma once

#include <QString>

namespace corvina {

class FrmMain;

// Selects each page in turn and saves the window as <folder>/corvina-<n>-<page>.png.
// Returns the number of pictures saved.
int saveSnapshots(FrmMain& window, const QString& folder);

}  // namespace corvina
