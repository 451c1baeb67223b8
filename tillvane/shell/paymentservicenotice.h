#pragma once

// Tells both payment services that CommunicationConfig.ini was saved: the
// older one reloads its copy of the settings, the "/kovra/v2" one reloads its
// copy and hands the new parameters to its library.
void noticeCommunicationSettingsSaved();
