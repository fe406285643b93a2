#include "drills/core/memory/memory_rebuild.h"

#include "drills/core/memory/memory_keeper.h"
#include "store/study_log.h"

#include <map>
#include <utility>

std::vector<MemoryRow> MemoryFromStudyLog(const _ConnectionPtr& connection) {
    const fsrs::Model model;
    std::map<std::pair<std::string, std::string>, fsrs::CardMemory> states;
    study_log::ForEach(connection, [&](const StudyEntry& entry) {
        const std::optional<long long> day = study_log::DayOfMoment(entry.moment);
        if (!day || entry.word.empty())
            return; // a moment that is no date counts on no day
        const auto key = std::make_pair(entry.word, entry.drill);
        const auto found = states.find(key);
        const std::optional<fsrs::CardMemory> before =
            found == states.end() ? std::nullopt : std::optional(found->second);
        states[key] =
            model.Apply(before, {*day, entry.right ? fsrs::Rating::Good : fsrs::Rating::Again});
    });
    std::vector<MemoryRow> rows;
    for (const auto& [key, memory] : states)
        rows.push_back(RowOf(key.first, key.second, memory));
    return rows;
}

void RebuildMemoryTable(const _ConnectionPtr& connection) {
    memory_table::ReplaceAll(connection, MemoryFromStudyLog(connection));
}
