// Each word's memory made again from the study log alone: the same states the drills keep
// grading by grading.
#pragma once

#include "store/memory_table.h"

#include <vector>

// Every logged grading applied in the log's order, right as Good and wrong as Again.
// Raises _com_error.
std::vector<MemoryRow> MemoryFromStudyLog(const _ConnectionPtr& connection);
// The memory table replaced by that. Raises _com_error.
void RebuildMemoryTable(const _ConnectionPtr& connection);
