#pragma once

// Logs "timestamap:" followed by the current time in milliseconds since 1970,
// the first line a payment service writes for each request it handles.
void logMisRequestTimestamp();
