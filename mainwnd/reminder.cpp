// The main window's forced mode: start with the desktop session, the reminder turns and
// the check on closing. Everything here reads section "usermessage" only.
#include "wordmill_dlg.h"

#include "browse_dlg.h"
#include "giveup_dlg.h"
#include "profile.h"
#include "registry.h"
#include "settings_schema.h"
#include "spell_dlg.h"
#include "wordmill_app.h"

#include <algorithm>

namespace {
constexpr const char* kAutoRunValue = "MyAutoRun";
// Minutes: at least one, and few enough that the period in milliseconds fits 32 bits.
constexpr int kMinInterval = 1;
constexpr int kMaxInterval = 0x7FFFFFFF / 60000;
} // namespace

int CWordmillDlg::UserInt(const char* key, int def) const {
    return static_cast<int>(GetPrivateProfileIntA(ini::kUser, key, def, m_szIniPath));
}

bool CWordmillDlg::ForcedModeOn() const {
    return UserInt(ini::kUserForced, ini::kFlagOff) != 0;
}

BOOL CWordmillDlg::StartForcedMode() {
    HKEY run = nullptr;
    if (!ForcedModeOn()) {
        if (RegCreateKeyA(HKEY_LOCAL_MACHINE, kRunKey, &run) == ERROR_SUCCESS) {
            RegDeleteValueA(run, kAutoRunValue);
            RegCloseKey(run);
        }
        return TRUE;
    }
    const std::string program = GetModuleFileNameA();
    if (RegCreateKeyA(HKEY_LOCAL_MACHINE, kRunKey, &run) != ERROR_SUCCESS) {
        AfxMessageBox("打开注册表项失败");
        return FALSE;
    }
    if (RegSetValueExA(run, kAutoRunValue, 0, REG_SZ, program) != ERROR_SUCCESS)
        AfxMessageBox("写注册表失败");
    RegCloseKey(run);
    const int minutes =
        std::clamp(UserInt(ini::kUserInterval, ini::kReminderInterval), kMinInterval, kMaxInterval);
    SetTimer(IDT_REMIND, static_cast<UINT>(minutes) * 60000u);
    return TRUE;
}

void CWordmillDlg::OnTimer(UINT_PTR id) {
    if (ForcedModeOn()) {
        RunReminderTurn(ini::kUserBrowseCount, [] {
            CBrowseDlg browse;
            browse.DoModal();
        });
        if (ForcedModeOn())
            RunReminderTurn(ini::kUserSpellCount, [] {
                CSpellDlg spell;
                spell.DoModal();
            });
    }
    CDialog::OnTimer(id);
}

// One turn: a drill while the count is within the quota. The counts go through the file
// at each step, so a tick that comes while this drill is open sees what was written here.
void CWordmillDlg::RunReminderTurn(const char* countKey, const std::function<void()>& runDrill) {
    const int quota = GetWordmillApp().m_nDailyQuota;
    const int count = UserInt(countKey, ini::kFlagOff);
    if (count > quota)
        return;
    auto write = [this, countKey](long long value) {
        WritePrivateProfileStringA(ini::kUser, countKey,
                                   std::to_string(static_cast<int>(value)).c_str(), m_szIniPath);
    };
    write(static_cast<long long>(quota) - UserInt(ini::kUserPerRead, ini::kFlagOff));
    runDrill();
    write(static_cast<long long>(count) + UserInt(ini::kUserPerRead, ini::kFlagOff));
}

// Compared unsigned, as the counts are stored.
bool CWordmillDlg::DayUnfinished() const {
    auto value = [this](const char* key) {
        return GetPrivateProfileIntA(ini::kUser, key, ini::kFlagOff, m_szIniPath);
    };
    return value(ini::kUserSpellCount) < value(ini::kUserDaily) ||
           value(ini::kUserBrowseCount) < value(ini::kUserDaily);
}

void CWordmillDlg::OnClose() {
    if (ForcedModeOn() && DayUnfinished()) {
        CGiveUpDlg confirm;
        if (confirm.DoModal() == IDCANCEL)
            return;
    }
    CDialog::OnClose();
}
