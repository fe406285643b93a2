#include "mainwnd/core/study_csv.h"

#include "store/atomic_file.h"
#include "store/paths.h"
#include "store/profile.h"
#include "store/text_util.h"
#include "store/word_schema.h"

#include <string_view>

const char* const kStudyCsvHeader = "时间,练习,词库,单词,来源,结果";

namespace {

const char* DrillName(const std::string& drill) {
    return drill == mdb::kSpellDrill ? "拼写" : "浏览";
}

const char* SourceName(StudySource source) {
    switch (source) {
    case StudySource::ReviewList:
        return "复习列表";
    case StudySource::DueRow:
        return "到期复习";
    case StudySource::Practice:
        return "练习";
    case StudySource::DailyReview:
        return "今日复习";
    case StudySource::NewWord:
        break;
    }
    return "新词";
}

// Quoted when it holds a separator, a quote or a line end, quotes doubled. A leading
// character that a spreadsheet would take for the start of a formula is kept as text by a
// leading apostrophe: the signs, and a tab or a carriage return, which some programs skip
// before they look for a sign.
std::string Field(const std::string& text) {
    constexpr std::string_view kFormulaStarts = "=+-@\t\r";
    std::string value = text;
    if (!value.empty() && kFormulaStarts.find(value.front()) != std::string_view::npos)
        value.insert(value.begin(), '\'');
    if (value.find_first_of(",\"\r\n") == std::string::npos)
        return value;
    return text::Quoted(value, '"');
}

} // namespace

std::string StudyCsvLine(const StudyEntry& entry) {
    return Field(entry.moment) + "," + DrillName(entry.drill) + "," + Field(entry.bank) + "," +
           Field(entry.word) + "," + SourceName(entry.source) + "," + (entry.right ? "对" : "错");
}

bool ExportStudyCsv(const _ConnectionPtr& connection, const std::string& path, std::string& why) {
    std::string content = "\xEF\xBB\xBF";
    content += kStudyCsvHeader;
    content += "\r\n";
    study_log::ForEach(connection, [&content](const StudyEntry& entry) {
        content += StudyCsvLine(entry);
        content += "\r\n";
    });
    if (ReplaceFileAtomically(PathOf(path), content))
        return true;
    why = LastWriteFailure();
    return false;
}
