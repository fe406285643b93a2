// What a drill gets from the window that opens it, never from the application object.
#pragma once

#include "store/ado.h"
#include "store/dates.h"
#include "store/study_log.h"

#include "drills/core/word_record.h"

#include <ctime>
#include <functional>
#include <memory>
#include <string>
#include <vector>

// A list to practise instead of the bank: 生词本 or 错词本.
struct PracticeList {
    std::string name;
    std::vector<WordRecord> words;
    // How the log names its words' gradings; 今日复习 keeps missed words by their memory
    // alone, never as review rows.
    StudySource source = StudySource::Practice;
    bool keepsMissedRows = true;
};

struct DrillContext {
    _ConnectionPtr connection; // the program's one connection to danci.mdb
    long long dailyQuota = 0;  // new words a day, read at start-up
    std::string iniPath;       // read.ini
    std::function<std::time_t()> now = clock_source::Now;
    // Set for a practice drill: its words come from the list, none from the bank; it
    // counts no new words, never moves the bank position, and keeps missed words for
    // review as any drill does.
    std::shared_ptr<const PracticeList> practice = nullptr;
};
