#include "mainwnd/core/settings_check.h"

#include "mainwnd/core/study_stats.h"
#include "store/dates.h"
#include "store/text_util.h"

std::optional<std::string> ExamDateEntry(std::string_view typed) {
    const std::string entry(text::Trim(typed));
    if (entry.empty())
        return entry;
    const std::optional<long long> day = ExamDayOf(entry);
    if (!day)
        return std::nullopt;
    return DateOfDayNumber(*day);
}
