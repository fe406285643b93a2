// What a drill gets from the window that opens it, never from the application object.
#pragma once

#include "store/ado.h"
#include "store/dates.h"

#include <ctime>
#include <functional>
#include <string>

struct DrillContext {
    _ConnectionPtr connection; // the program's one connection to danci.mdb
    long long dailyQuota = 0;  // new words a day, read at start-up
    std::string iniPath;       // read.ini
    std::function<std::time_t()> now = clock_source::Now;
};
