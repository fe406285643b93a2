// The system's "save as" dialog, behind a prompt that tests can replace.
#pragma once

#include "framework/dialog.h"

#include <functional>
#include <optional>
#include <string>

struct SaveFileQuestion {
    std::string suggestedName; // "学习记录.csv"
    std::string typeName;      // "CSV 文件"
    std::string extension;     // "csv", added when the learner types none
};

// The chosen path (UTF-8), or nothing when the learner cancelled.
std::optional<std::string> PromptForSavePath(CDialog* owner, const SaveFileQuestion& question);

using SavePrompt =
    std::function<std::optional<std::string>(CDialog* owner, const SaveFileQuestion& question)>;
void SetSavePrompt(SavePrompt prompt); // nullptr restores the system's dialog
std::optional<std::string> SystemSavePrompt(CDialog* owner, const SaveFileQuestion& question);
