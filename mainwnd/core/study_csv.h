// The study log as a CSV file: UTF-8 with a byte-order mark, so that spreadsheet programs
// on Windows show the Chinese, one grading a line, oldest first.
#pragma once

#include "store/ado.h"
#include "store/study_log.h"

#include <string>
#include <vector>

extern const char* const kStudyCsvHeader; // "时间,练习,词库,单词,来源,结果"

// One line of the file, its fields quoted where they need it, without the line end.
std::string StudyCsvLine(const StudyEntry& entry);

// Written whole or not at all; false with the reason in `why`. Raises _com_error when the
// log cannot be read.
bool ExportStudyCsv(const _ConnectionPtr& connection, const std::string& path, std::string& why);
