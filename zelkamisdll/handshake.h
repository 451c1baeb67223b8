#pragma once

#include <json/json.h>

// Asks the terminal "{99}" up to three times; 0 once it answers "{00}", otherwise the
// code of the last attempt (-3, -4, -5 or -7).
int runHandshake(const Json::Value& settings);
