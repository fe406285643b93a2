#include "store/settings.h"

#include "store/profile.h"
#include "store/word_schema.h"

#include <algorithm>

namespace settings {
namespace {

UINT Read(const char* section, const char* key, int def, const std::string& ini) {
    return GetPrivateProfileIntA(section, key, def, ini);
}

std::string ReadText(const char* section, const char* key, const std::string& ini) {
    char value[32];
    GetPrivateProfileStringA(section, key, "", value, sizeof value, ini);
    return value;
}

// Stored as the dialog always stored them: a 32-bit signed number.
std::string Number(long long value) {
    return std::to_string(static_cast<int>(value));
}

struct ProgressKeys {
    const char *day, *count, *position;
};

ProgressKeys KeysOf(Drill drill) {
    using namespace ini;
    return drill == Drill::Browse ? ProgressKeys{kBrowseDay, kBrowseCount, kBrowsePosition}
                                  : ProgressKeys{kSpellDay, kSpellCount, kSpellPosition};
}

const char* ForcedCountKey(Drill drill) {
    return drill == Drill::Browse ? ini::kUserBrowseCount : ini::kUserSpellCount;
}

} // namespace

int DailyQuota(const std::string& ini) {
    return static_cast<int>(Read(ini::kSystem, ini::kDaily, ini::kQuotaAtStartUp, ini));
}

bool SetDailyQuota(const std::string& ini, int quota) {
    const std::string value = Number(quota);
    return WritePrivateProfileStringA(ini::kSystem, ini::kDaily, value.c_str(), ini) &&
           WritePrivateProfileStringA(ini::kUser, ini::kUserDaily, value.c_str(), ini);
}

int BankChoice(const std::string& ini) {
    return static_cast<int>(Read(ini::kSystem, ini::kBank, ini::kBankDefault, ini));
}

std::string BankName(const std::string& ini) {
    return mdb::BankOfSetting(BankChoice(ini));
}

int ForcedStudySwitch(const std::string& ini) {
    return static_cast<int>(Read(ini::kSystem, ini::kForced, ini::kFlagOff, ini));
}

bool ForcedStudyChosen(const std::string& ini) {
    return ForcedStudySwitch(ini) != 0;
}

int PerRead(const std::string& ini) {
    return static_cast<int>(Read(ini::kSystem, ini::kPerRead, ini::kPerReadInSettings, ini));
}

int Interval(const std::string& ini) {
    return static_cast<int>(Read(ini::kSystem, ini::kInterval, ini::kIntervalInSettings, ini));
}

bool EyeProtection(const std::string& ini) {
    return Read(ini::kSystem, ini::kProtect, ini::kFlagOff, ini) != 0;
}

bool AutoSpeak(const std::string& ini) {
    return Read(ini::kSystem, ini::kAutoSpeak, ini::kFlagOff, ini) != 0;
}

int DailyReviewLimit(const std::string& ini) {
    const auto limit =
        static_cast<int>(Read(ini::kSystem, ini::kReviewLimit, ini::kReviewLimitDefault, ini));
    return std::clamp(limit, ini::kReviewLimitRange.low, ini::kReviewLimitRange.high);
}

bool SetDailyReviewLimit(const std::string& ini, int limit) {
    return WritePrivateProfileStringA(ini::kSystem, ini::kReviewLimit, Number(limit).c_str(), ini);
}

std::string ExamDate(const std::string& ini) {
    return ReadText(ini::kSystem, ini::kExamDate, ini);
}

bool IsFirstStart(const std::string& ini) {
    if (!ReadText(ini::kSystem, ini::kWelcomed, ini).empty() ||
        !ReadText(ini::kSystem, ini::kBank, ini).empty())
        return false;
    for (const char* bank : mdb::kBanks)
        for (const Drill drill : {Drill::Browse, Drill::Spell})
            if (ReadProgress(ini, bank, drill) != Progress{})
                return false;
    return true;
}

bool SaveFirstStart(const std::string& ini, int bank, const std::string& examDate) {
    std::vector<ProfileKey> keys{{ini::kBank, Number(bank)}};
    if (!examDate.empty())
        keys.push_back({ini::kExamDate, examDate});
    keys.push_back({ini::kWelcomed, "1"});
    return WriteProfileKeys(ini::kSystem, keys, ini);
}

bool SetFirstStartAnswered(const std::string& ini) {
    return WritePrivateProfileStringA(ini::kSystem, ini::kWelcomed, "1", ini);
}

bool Save(const Values& v, const std::string& ini) {
    using namespace ini;
    const char* forced = v.forced ? "1" : "0";
    std::vector<ProfileKey> system{{kDaily, Number(v.daily)},
                                   {kBank, Number(v.bank)},
                                   {kPerRead, Number(v.perRead)},
                                   {kInterval, Number(v.interval)},
                                   {kForced, forced},
                                   {kProtect, v.protect ? "1" : "0"},
                                   {kAutoSpeak, v.autoSpeak ? "1" : "0"}};
    // No exam date adds no key; one cleared is written empty.
    if (!v.examDate.empty() || !ExamDate(ini).empty())
        system.push_back({kExamDate, v.examDate});
    if (v.reviewLimit && (*v.reviewLimit != static_cast<UINT>(kReviewLimitDefault) ||
                          !ReadText(kSystem, kReviewLimit, ini).empty()))
        system.push_back({kReviewLimit, Number(*v.reviewLimit)});
    return WriteProfileKeys(kSystem, system, ini) &&
           WriteProfileKeys(kUser,
                            {{kUserForced, forced},
                             {kUserInterval, Number(v.interval)},
                             {kUserPerRead, Number(v.perRead)},
                             {kUserDaily, Number(v.daily)}},
                            ini);
}

Progress ReadProgress(const std::string& ini, const std::string& bank, Drill drill) {
    const ProgressKeys keys = KeysOf(drill);
    char day[9];
    GetPrivateProfileStringA(bank.c_str(), keys.day, "", day, sizeof day, ini);
    Progress progress;
    progress.day = day;
    progress.count = static_cast<int>(Read(bank.c_str(), keys.count, ini::kFlagOff, ini));
    // A hand-edited negative position starts from the first row.
    progress.position = std::max(0LL, static_cast<long long>(static_cast<int>(
                                          Read(bank.c_str(), keys.position, ini::kFlagOff, ini))));
    return progress;
}

bool WriteProgress(const std::string& ini, const std::string& bank, Drill drill,
                   const Progress& progress) {
    const ProgressKeys keys = KeysOf(drill);
    return WriteProfileKeys(bank,
                            {{keys.day, progress.day},
                             {keys.count, std::to_string(progress.count)},
                             {keys.position, std::to_string(progress.position)}},
                            ini);
}

bool WritePosition(const std::string& ini, const std::string& bank, Drill drill,
                   long long position) {
    return WritePrivateProfileStringA(bank.c_str(), KeysOf(drill).position,
                                      std::to_string(position).c_str(), ini);
}

long long BankTaken(const std::string& ini, const std::string& bank) {
    return std::max(ReadProgress(ini, bank, Drill::Browse).position,
                    ReadProgress(ini, bank, Drill::Spell).position);
}

bool ForcedModeOn(const std::string& ini) {
    return Read(ini::kUser, ini::kUserForced, ini::kFlagOff, ini) != 0;
}

int ReminderMinutes(const std::string& ini) {
    return static_cast<int>(Read(ini::kUser, ini::kUserInterval, ini::kReminderInterval, ini));
}

int ForcedPerRead(const std::string& ini) {
    return static_cast<int>(Read(ini::kUser, ini::kUserPerRead, ini::kFlagOff, ini));
}

UINT ForcedDaily(const std::string& ini) {
    return Read(ini::kUser, ini::kUserDaily, ini::kFlagOff, ini);
}

UINT ForcedCount(const std::string& ini, Drill drill) {
    return Read(ini::kUser, ForcedCountKey(drill), ini::kFlagOff, ini);
}

bool SetForcedCount(const std::string& ini, Drill drill, long long count) {
    return WritePrivateProfileStringA(ini::kUser, ForcedCountKey(drill), Number(count).c_str(),
                                      ini);
}

} // namespace settings
