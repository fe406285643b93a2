// Which process this is, in a form that tells a later process apart from an earlier one
// that had the same number.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

// The process's number and its start, as "pid:start".
std::string ThisProcess();

// Whether the process named by ThisProcess() in some process is still running.
bool ProcessIsRunning(const std::string& process);
