// The lists a practice drill runs over.
#pragma once

#include "drills/core/drill_context.h"
#include "store/ado.h"

#include <string>

// 生词本, in the order the words were added. Raises _com_error.
PracticeList OwnWordsPractice(const _ConnectionPtr& connection);
// 错词本: every word of a review table, due or not, each once, in the table's order.
// Raises _com_error.
PracticeList MissedWordsPractice(const _ConnectionPtr& connection, const std::string& reviewTable);
