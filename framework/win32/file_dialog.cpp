#include "framework/file_dialog.h"

#include "framework/win32/wide.h"

#include <commdlg.h>

#include <vector>

std::optional<std::string> SystemSavePrompt(CDialog* owner, const SaveFileQuestion& question) {
    std::vector<wchar_t> file(32768, L'\0');
    const std::wstring suggested = Wide(question.suggestedName);
    suggested.copy(file.data(), file.size() - 1);
    // "CSV 文件\0*.csv\0\0"
    std::wstring filter =
        Wide(question.typeName) + L'\0' + L"*." + Wide(question.extension) + L'\0';
    const std::wstring extension = Wide(question.extension);

    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = owner ? owner->GetSafeHwnd() : nullptr;
    ofn.lpstrFilter = filter.c_str();
    ofn.lpstrFile = file.data();
    ofn.nMaxFile = static_cast<DWORD>(file.size());
    ofn.lpstrDefExt = extension.c_str();
    ofn.Flags = OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR | OFN_EXPLORER;
    if (!GetSaveFileNameW(&ofn))
        return std::nullopt;
    return Utf8(file.data());
}
