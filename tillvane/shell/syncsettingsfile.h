#pragma once

class QSettings;

// Writes the pending changes of settings to its file. When the file cannot be
// written, logs a warning that names it and returns false.
bool syncSettingsFile(QSettings& settings);
