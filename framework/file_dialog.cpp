#include "framework/file_dialog.h"

namespace {
SavePrompt& InstalledPrompt() {
    static SavePrompt prompt;
    return prompt;
}
} // namespace

void SetSavePrompt(SavePrompt prompt) {
    InstalledPrompt() = std::move(prompt);
}

std::optional<std::string> PromptForSavePath(CDialog* owner, const SaveFileQuestion& question) {
    if (InstalledPrompt())
        return InstalledPrompt()(owner, question);
    return SystemSavePrompt(owner, question);
}
