// Whole-table reads for the statistics and the lookup, inside the engine.
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

// Two columns of every row of `table`, in the table's order; none for a table that is not
// there. Raises _com_error.
std::vector<std::pair<std::string, std::string>> ReadColumnPairs(const _ConnectionPtr& connection,
                                                                 const std::string& table,
                                                                 const char* first,
                                                                 const char* second);
