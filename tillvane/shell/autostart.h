#pragma once

// Makes the program start (on) or no longer start (off) when the user logs in.
// On Linux this is an XDG autostart entry named after the application,
// "$XDG_CONFIG_HOME/autostart/<applicationName>.desktop"; on Windows the value
// of that name under the per-user Run key.
void setAutoStart(bool on);
