// Counts the statistics read from the bank and review tables, inside the engine.
#pragma once

#include "store/ado.h"

#include <string>
#include <utility>
#include <vector>

// Rows of `table`; 0 for a table that is not there. Raises _com_error.
long long CountRows(const _ConnectionPtr& connection, const std::string& table);
// A review table's rows by their "time" text, as stored. Raises _com_error.
std::vector<std::pair<std::string, long long>> CountByDate(const _ConnectionPtr& connection,
                                                           const std::string& table);
