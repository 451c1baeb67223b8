#pragma once

// Makes SIGTERM and SIGINT end the application's event loop the same way the
// tray's quit action does, so that everything torn down after the loop (the
// settings saved by the window's destructor) still happens.
// Call once, after the application object exists.
void quitOnTerminationSignals();
