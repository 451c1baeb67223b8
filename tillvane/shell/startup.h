#pragma once

class TillvaneDialog;

// What the program does once its window is built. When both settings files
// existed the service starts listening at once and the window stays in the
// tray (it is shown when the desktop has no tray to reach it from); on a first
// run the program is registered to start with the system and the window is
// shown, with the service not yet started.
void startUp(TillvaneDialog& dialog);
