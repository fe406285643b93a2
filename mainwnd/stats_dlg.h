// 学习统计: today, the streak, a calendar of study days, the last 30 days, the bank, the
// reviews to come, the words missed most, the exam countdown, what the memory holds and
// 今日复习's coming days; and the history's export.
#pragma once

#include "drills/core/drill_context.h"
#include "drills/core/memory/memory_outlook.h"
#include "framework/afx.h"
#include "mainwnd/core/study_stats.h"

class CStatsDlg : public CDialog {
public:
    explicit CStatsDlg(DrillContext context, CWnd* parent = nullptr);

    // The learner took the quota the exam date asks for: read.ini has it now.
    bool QuotaChanged() const { return m_quotaChanged; }

protected:
    BOOL OnInitDialog() override;
    void OnPaint() override;

private:
    void Refresh();
    void OnSetQuota();
    void OnExport();
    void PaintCalendar(CPaintDC& dc);
    void PaintLastDays(CPaintDC& dc);
    void PaintBank(CPaintDC& dc);
    void ShowMemory();
    void PaintReviewDays(CPaintDC& dc);

    DrillContext m_context;
    StudyFacts m_facts;
    StudyStats m_stats;
    std::optional<MemoryOutlook> m_outlook; // none when the memory cannot be read
    bool m_quotaChanged = false;
};
