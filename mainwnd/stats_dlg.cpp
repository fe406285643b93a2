#include "mainwnd/stats_dlg.h"

#include "drills/core/memory/memory_texts.h"
#include "framework/file_dialog.h"
#include "mainwnd/core/study_csv.h"
#include "mainwnd/core/study_stats_text.h"
#include "res/resource.h"
#include "store/comerror.h"
#include "store/profile.h"
#include "store/settings.h"

#include <algorithm>

namespace {

// Where the charts go, in dialog units: the gaps the template leaves between its texts.
// The calendar's months take its top line, the bars' dates their bottom one.
constexpr CRect kCalendarArea{8, 51, 250, 101};
constexpr CRect kCalendarKeyArea{258, 51, 312, 101};
constexpr CRect kLastDaysArea{8, 115, 250, 160};
constexpr CRect kLastDaysKeyArea{258, 115, 312, 160};
constexpr CRect kBankArea{8, 174, 312, 182};
// A line of the dialog's font is 8 dialog units high, a Chinese character about 7 wide.
constexpr int kLineHeight = 8;
constexpr int kCharWidth = 8;
constexpr CRect kReviewDaysArea{8, 303, 250, 343}; // its dates below it
constexpr CRect kReviewDaysKeyArea{258, 303, 312, 343};
constexpr int kReviewDaysLabelEvery = 7;

// Shades of the dialog's own ink on its paper, so that every palette keeps them apart.
constexpr unsigned kEmptyShade = 10;
constexpr unsigned kHeatShades[] = {30, 50, 70, 90};
constexpr unsigned kNewWordShade = 80;
constexpr unsigned kReviewShade = 40;
constexpr unsigned kBacklogShade = 20;

unsigned HeatShade(long long words, long long most) {
    if (words <= 0 || most <= 0)
        return kEmptyShade;
    const auto level = static_cast<size_t>(std::min<long long>(3, (words * 4 - 1) / most));
    return kHeatShades[level];
}

// The settings take a quota only within their range.
long long QuotaWithinRange(long long quota) {
    return std::clamp<long long>(quota, ini::kDailyRange.low, ini::kDailyRange.high);
}

// What can be read, the failure told once. A study log that cannot be read takes only its
// own figures away: the quota, the bank and the due reviews do not come from it.
StudyFacts ReadFacts(const DrillContext& context) {
    const std::time_t now = context.now();
    StudyFacts facts;
    facts.today = ReviewAge(now).Today();
    try {
        facts = ReadStudyFacts(context.connection, context.iniPath, now);
        ReadStudyHistory(context.connection, facts);
    } catch (const _com_error& e) {
        LogFailure("reading the study history", e);
        AfxMessageBox("学习记录读不出来：" + LearnerText(e));
    }
    return facts;
}

CRect Square(int x, int y, int size) {
    return {x, y, x + size, y + size};
}

// One bar a day in `area` standing on `bottom`: `lower` below, `upper` on top, scaled to
// the busiest day. Returns the step from one bar to the next; each bar is two less wide.
int PaintStackedBars(CPaintDC& dc, const CRect& area, int bottom,
                     const std::vector<std::pair<long long, long long>>& bars, unsigned lowerShade,
                     unsigned upperShade) {
    const COLORREF paper = dc.GetPaperColor(), ink = dc.GetInkColor();
    const int count = std::max(1, static_cast<int>(bars.size()));
    const int step = area.Width() / count;
    const int width = std::max(2, step - 2);
    const int height = bottom - area.top;
    long long most = 1;
    for (const auto& [lower, upper] : bars)
        most = std::max(most, lower + upper);
    dc.FillSolidRect({area.left, bottom - 1, area.left + step * count, bottom},
                     BlendColor(paper, ink, 50));
    for (size_t i = 0; i < bars.size(); ++i) {
        const auto [lower, upper] = bars[i];
        const int x = area.left + static_cast<int>(i) * step;
        const int lowerTop = bottom - 1 - static_cast<int>(lower * (height - 1) / most);
        const int upperTop = lowerTop - static_cast<int>(upper * (height - 1) / most);
        dc.FillSolidRect({x, lowerTop, x + width, bottom - 1}, BlendColor(paper, ink, lowerShade));
        dc.FillSolidRect({x, upperTop, x + width, lowerTop}, BlendColor(paper, ink, upperShade));
    }
    return step;
}

// The two shades of a bar chart named, one above the other.
void PaintBarKey(CPaintDC& dc, const CRect& key, int box, const char* lower, unsigned lowerShade,
                 const char* upper, unsigned upperShade) {
    const COLORREF paper = dc.GetPaperColor(), ink = dc.GetInkColor();
    dc.FillSolidRect(Square(key.left, key.top + 2, box), BlendColor(paper, ink, lowerShade));
    dc.TextOut(key.left + box + 4, key.top, lower);
    dc.FillSolidRect(Square(key.left, key.top + 2 * box + 2, box),
                     BlendColor(paper, ink, upperShade));
    dc.TextOut(key.left + box + 4, key.top + 2 * box, upper);
}

} // namespace

CStatsDlg::CStatsDlg(DrillContext context, CWnd* parent)
    : CDialog(IDD_STATS, parent), m_context(std::move(context)) {
    OnCommand(IDC_STATS_SETQUOTA, &CStatsDlg::OnSetQuota);
    OnCommand(IDC_STATS_EXPORT, &CStatsDlg::OnExport);
}

BOOL CStatsDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    Refresh();
    return TRUE;
}

void CStatsDlg::Refresh() {
    m_facts = ReadFacts(m_context);
    m_stats = ComputeStudyStats(m_facts);
    const StudyTexts texts = DescribeStudyStats(m_stats, m_facts);
    SetDlgItemText(IDC_STATS_TODAY, texts.today);
    SetDlgItemText(IDC_STATS_STREAK, texts.streak);
    SetDlgItemText(IDC_STATS_HEAT, texts.heat);
    GetDlgItem(IDC_STATS_HEAT)->SetAccessibleName(texts.heatNumbers);
    SetDlgItemText(IDC_STATS_BARS, texts.bars);
    GetDlgItem(IDC_STATS_BARS)->SetAccessibleName(texts.barsNumbers);
    SetDlgItemText(IDC_STATS_BANK, texts.bank);
    SetDlgItemText(IDC_STATS_FORECAST, texts.forecast);
    SetDlgItemText(IDC_STATS_MISSED, texts.missed);
    SetDlgItemText(IDC_STATS_EXAM, texts.exam);
    const bool canPlan = m_stats.exam && m_stats.exam->neededQuota &&
                         QuotaWithinRange(*m_stats.exam->neededQuota) != m_facts.quota;
    GetDlgItem(IDC_STATS_SETQUOTA)->ShowWindow(canPlan ? SW_SHOW : SW_HIDE);
    ShowMemory();
}

// The memory is a table of our own: when it cannot be read, its lines say so and the rest
// of the window stands.
void CStatsDlg::ShowMemory() {
    try {
        m_outlook = ReadMemoryOutlook(m_context.connection, m_context.iniPath, m_context.now());
    } catch (const _com_error& e) {
        LogFailure("reading the words' memory for the statistics", e);
        m_outlook.reset();
        SetDlgItemText(IDC_STATS_MEMORY, "单词的记忆数据读不出来（" + LearnerText(e) +
                                             "），这里算不出你记得多少，也排不出今日复习。");
        SetDlgItemText(IDC_STATS_REVIEWS, "");
        return;
    }
    std::string memory = RememberedText(*m_outlook);
    if (const std::string exam = ExamRecallText(*m_outlook); !exam.empty())
        memory += "\n" + exam;
    SetDlgItemText(IDC_STATS_MEMORY, memory);
    GetDlgItem(IDC_STATS_MEMORY)->SetToolTip(RememberedExplanation(*m_outlook));
    SetDlgItemText(IDC_STATS_REVIEWS, ReviewForecastText(*m_outlook));
    GetDlgItem(IDC_STATS_REVIEWS)->SetAccessibleName(ReviewForecastNumbers(*m_outlook));
}

// The learner is told when the exam asks for more (or less) than the settings take.
void CStatsDlg::OnSetQuota() {
    if (!m_stats.exam || !m_stats.exam->neededQuota)
        return;
    const long long needed = *m_stats.exam->neededQuota;
    const long long quota = QuotaWithinRange(needed);
    const std::string value = std::to_string(quota);
    if (!settings::SetDailyQuota(m_context.iniPath, static_cast<int>(quota))) {
        const std::string why = LastWriteFailure();
        LogFailure("writing the quota to " + m_context.iniPath, why);
        AfxMessageBox("每日数量没能写进 read.ini（" + why + "）。");
        return;
    }
    m_quotaChanged = true;
    std::string told = "每日数量已设为 " + value + "。";
    if (quota != needed)
        told += "按考试日期算出的是每天 " + std::to_string(needed) + " 个，但每日数量只能在" +
                ini::RangeText("", ini::kDailyRange, "") + "之间。";
    AfxMessageBox(told, MB_ICONINFORMATION);
    Refresh();
}

void CStatsDlg::OnExport() {
    const std::optional<std::string> path =
        PromptForSavePath(this, {"学习记录.csv", "CSV 文件", "csv"});
    if (!path)
        return;
    std::string why;
    try {
        if (ExportStudyCsv(m_context.connection, *path, why)) {
            AfxMessageBox("学习记录已导出到 " + *path, MB_ICONINFORMATION);
            return;
        }
    } catch (const _com_error& e) {
        LogFailure("reading the study history for export", e);
        why = LearnerText(e);
    }
    LogFailure("exporting the study history to " + *path, why);
    AfxMessageBox("导出失败：" + why);
}

void CStatsDlg::OnPaint() {
    CPaintDC dc(this);
    PaintCalendar(dc);
    PaintLastDays(dc);
    PaintBank(dc);
    PaintReviewDays(dc);
}

// 26 weeks, a column a week from Sunday down, each day shaded by the words studied; the
// months over the weeks they begin in.
void CStatsDlg::PaintCalendar(CPaintDC& dc) {
    const CRect area = MapDialogRect(kCalendarArea);
    const int line = MapDialogRect({0, 0, 0, kLineHeight}).Height();
    const int top = area.top + line;
    const int cell = std::min(area.Width() / kHeatWeeks, (area.bottom - top) / 7);
    const int box = std::max(2, cell - 2);
    const COLORREF paper = dc.GetPaperColor(), ink = dc.GetInkColor();
    for (const ChartLabel& month : CalendarMonths(m_stats.firstHeatDay, m_facts.today))
        dc.TextOut(area.left + month.column * cell, area.top, month.text);
    const long long most =
        m_stats.heat.empty() ? 0 : *std::max_element(m_stats.heat.begin(), m_stats.heat.end());
    for (size_t i = 0; i < m_stats.heat.size(); ++i) {
        const int week = static_cast<int>(i / 7), weekday = static_cast<int>(i % 7);
        dc.FillSolidRect(Square(area.left + week * cell, top + weekday * cell, box),
                         BlendColor(paper, ink, HeatShade(m_stats.heat[i], most)));
    }
    // The key, on one line beside the first row: from none to the most.
    const CRect key = MapDialogRect(kCalendarKeyArea);
    const int charWidth = MapDialogRect({0, 0, kCharWidth, 0}).Width();
    const int boxTop = top + (line - box) / 2;
    int x = key.left;
    dc.TextOut(x, top, "少");
    x += charWidth;
    dc.FillSolidRect(Square(x, boxTop, box), BlendColor(paper, ink, kEmptyShade));
    for (unsigned shade : kHeatShades)
        dc.FillSolidRect(Square(x += cell, boxTop, box), BlendColor(paper, ink, shade));
    dc.TextOut(x + cell + 2, top, "多");
}

// A bar a day, new words below and reviews on top, scaled to the busiest day; the dates of
// every seventh bar under them.
void CStatsDlg::PaintLastDays(CPaintDC& dc) {
    const CRect area = MapDialogRect(kLastDaysArea);
    const int line = MapDialogRect({0, 0, 0, kLineHeight}).Height();
    const int bottom = area.bottom - line;
    const int step =
        PaintStackedBars(dc, area, bottom, m_stats.lastDays, kNewWordShade, kReviewShade);
    for (const ChartLabel& date : BarDates(m_facts.today, kBarDays))
        dc.TextOut(area.left + date.column * step, bottom, date.text);
    PaintBarKey(dc, MapDialogRect(kLastDaysKeyArea), std::max(6, step - 2), "新词", kNewWordShade,
                "复习", kReviewShade);
}

void CStatsDlg::PaintBank(CPaintDC& dc) {
    const CRect area = MapDialogRect(kBankArea);
    const COLORREF paper = dc.GetPaperColor(), ink = dc.GetInkColor();
    dc.FillSolidRect(area, BlendColor(paper, ink, kEmptyShade + 5));
    if (m_stats.bankSize <= 0)
        return;
    const int filled = static_cast<int>(area.Width() * m_stats.taken / m_stats.bankSize);
    dc.FillSolidRect({area.left, area.top, area.left + filled, area.bottom},
                     BlendColor(paper, ink, 70));
}

// A bar a day for 今日复习: the planned reviews, and on top what waits past the limit;
// scaled to the busiest day, with a date under every week's first bar.
void CStatsDlg::PaintReviewDays(CPaintDC& dc) {
    if (!m_outlook || m_outlook->days.empty())
        return;
    const auto& days = m_outlook->days;
    const CRect area = MapDialogRect(kReviewDaysArea);
    std::vector<std::pair<long long, long long>> bars;
    for (const review_plan::ForecastDay& day : days)
        bars.emplace_back(day.reviews, day.backlog);
    const int step = PaintStackedBars(dc, area, area.bottom, bars, kNewWordShade, kBacklogShade);
    const COLORREF tick = BlendColor(dc.GetPaperColor(), dc.GetInkColor(), 50);
    for (size_t i = 0; i < days.size(); i += kReviewDaysLabelEvery) {
        const int x = area.left + static_cast<int>(i) * step;
        dc.FillSolidRect({x, area.bottom, x + 1, area.bottom + 3}, tick);
        dc.TextOut(x, area.bottom + 3,
                   i == 0 ? std::string("今天") : ShortDate(days[i].day, m_outlook->today));
    }
    PaintBarKey(dc, MapDialogRect(kReviewDaysKeyArea), std::max(6, step - 2), "复习", kNewWordShade,
                "积压", kBacklogShade);
}
