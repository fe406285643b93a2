// The dialog templates and the string table.
#include "res/templates.h"

#include "framework/dialog_template.h"
#include "res/resource.h"
#include "res/string_table.h"
#include "store/settings_schema.h"

#include <array>

namespace {

using K = ControlKind;
constexpr std::uint32_t kChild = WS_VISIBLE;
constexpr std::uint32_t kModalDialog = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;

// The settings' range labels, from the ranges the dialog checks.
const std::string kDailyRangeLabel = ini::RangeText("范围（", ini::kDailyRange, "）");
const std::string kIntervalRangeLabel = ini::RangeText("范围（", ini::kIntervalRange, ")分钟");
const std::string kPerReadRangeLabel = ini::RangeText("范围", ini::kPerReadRange, "");
const std::string kReviewLimitRangeLabel = ini::RangeText("范围（", ini::kReviewLimitRange, "）");

// The templates read as a resource script does: one control a line.
// clang-format off
const DialogTemplate kAbout{
    IDD_ABOUTBOX, "关于 Wordmill", "宋体", 9, 235, 55, kModalDialog, 0,
    {
        {K::Icon, IDC_STATIC, "", 11, 17, 20, 20, kChild, 0, IDR_MAINFRAME},
        {K::Static, IDC_STATIC, "Wordmill " WORDMILL_VERSION_SHORT " 版", 40, 10, 119, 8, kChild | SS_NOPREFIX},
        {K::Static, IDC_STATIC, "© 2026 Wordmill 开发组", 40, 25, 119, 8, kChild},
        {K::PushButton, 1, "确定", 178, 7, 50, 14, kChild | WS_GROUP | WS_TABSTOP | BS_DEFPUSHBUTTON},
    }};

const DialogTemplate kMain{
    IDD_WORDMILL_DIALOG, "Wordmill", "宋体", 9, 422, 255,
    WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX | DS_MODALFRAME,
    WS_EX_APPWINDOW,
    {
        {K::PushButton, IDC_BROWSE, "浏览背单词", 24, 173, 55, 31, kChild | WS_TABSTOP},
        {K::PushButton, IDC_SPELL, "拼写背单词", 349, 171, 56, 30, kChild | WS_TABSTOP},
        {K::PushButton, IDC_GAME, "游戏背单词", 24, 209, 52, 32, kChild | WS_TABSTOP},
        {K::PushButton, IDC_HIDE, "隐藏", 347, 209, 56, 30, kChild | WS_TABSTOP},
        {K::PushButton, IDC_SETTINGS, "设置", 186, 212, 56, 30, kChild | WS_TABSTOP},
        {K::Picture, IDC_STATIC, "", 0, 0, 447, 145, kChild, 0, IDB_TOP},
        {K::PushButton, IDC_HOMEPAGE, "到我的空间", 185, 176, 57, 28, kChild | WS_TABSTOP},
        {K::PushButton, IDC_STATS, "学习统计", 267, 176, 57, 28, kChild | WS_TABSTOP},
        {K::PushButton, IDC_WORDLIST, "生词本", 104, 176, 57, 28, kChild | WS_TABSTOP},
        {K::Static, IDC_STATUS, "Wordmill 背单词　·　意见与建议请点“到我的空间”",
         24, 149, 385, 14, kChild | SS_NOPREFIX},
        {K::PushButton, IDC_DAILY_REVIEW, "今日复习", 104, 212, 57, 28, kChild | WS_TABSTOP | BS_MULTILINE},
    }};

const DialogTemplate kSettings{
    IDD_SETTINGS, "对话", "System", 10, 256, 202, kModalDialog, WS_EX_TRANSPARENT,
    {
        {K::PushButton, 1, "确定", 33, 165, 50, 14, kChild | WS_TABSTOP | BS_DEFPUSHBUTTON},
        {K::PushButton, 2, "取消", 176, 165, 50, 14, kChild | WS_TABSTOP},
        {K::CheckBox, IDC_FORCED, "是否启动强制背单词", 18, 46, 86, 18, kChild | WS_TABSTOP | BS_LEFTTEXT,
         WS_EX_TRANSPARENT},
        {K::Edit, IDC_EDIT, "", 87, 16, 76, 16, kChild | WS_BORDER | WS_TABSTOP | ES_NUMBER | ES_AUTOHSCROLL},
        {K::Static, IDC_STATIC, "每日背单词数", 22, 18, 61, 15, kChild | WS_GROUP, WS_EX_TRANSPARENT},
        {K::Static, IDC_STATIC, kDailyRangeLabel, 179, 15, 59, 22, kChild | WS_GROUP, WS_EX_TRANSPARENT},
        {K::CheckBox, IDC_PROTECT, "是否开启保护视力", 131, 40, 100, 26, kChild | WS_TABSTOP | BS_LEFTTEXT,
         WS_EX_TRANSPARENT},
        {K::Static, IDC_STATIC, "强制背单词间隔", 20, 110, 58, 21, kChild | WS_GROUP, WS_EX_TRANSPARENT},
        {K::Edit, IDC_INTERVAL, "", 88, 107, 78, 18, kChild | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL},
        {K::Static, IDC_STATIC, kIntervalRangeLabel, 179, 110, 57, 23, kChild | WS_GROUP, WS_EX_TRANSPARENT},
        {K::Edit, IDC_PER_READ, "", 88, 79, 77, 19, kChild | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL},
        {K::Static, IDC_STATIC, "每次读取数量", 24, 80, 50, 20, kChild | WS_GROUP, WS_EX_TRANSPARENT},
        {K::Static, IDC_STATIC, kPerReadRangeLabel, 178, 77, 52, 24, kChild | WS_GROUP, WS_EX_TRANSPARENT},
        {K::Static, IDC_STATIC, "选择单词库", 19, 134, 54, 15, kChild | WS_GROUP, WS_EX_TRANSPARENT},
        {K::ComboBox, IDC_BANK, "", 89, 135, 78, 37, kChild | WS_VSCROLL | WS_TABSTOP | CBS_DROPDOWN | CBS_SORT},
        {K::CheckBox, IDC_AUTOSPEAK, "自动发音", 179, 136, 62, 14, kChild | WS_TABSTOP | BS_LEFTTEXT,
         WS_EX_TRANSPARENT},
        {K::Static, IDC_STATIC, "考试日期", 22, 152, 61, 11, kChild | WS_GROUP, WS_EX_TRANSPARENT},
        {K::Edit, IDC_EXAMDATE, "", 89, 150, 78, 13, kChild | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL},
        {K::Static, IDC_STATIC, "例：2027-06-12", 179, 152, 74, 11, kChild | WS_GROUP, WS_EX_TRANSPARENT},
        {K::Static, IDC_STATIC, "每天最多复习", 22, 186, 61, 11, kChild | WS_GROUP, WS_EX_TRANSPARENT},
        {K::Edit, IDC_REVIEW_LIMIT, "", 89, 184, 78, 13, kChild | WS_BORDER | WS_TABSTOP | ES_NUMBER | ES_AUTOHSCROLL},
        {K::Static, IDC_STATIC, kReviewLimitRangeLabel, 179, 186, 74, 11, kChild | WS_GROUP, WS_EX_TRANSPARENT},
    }};

const DialogTemplate kBrowse{
    IDD_BROWSE, "浏览", "System", 10, 236, 250, kModalDialog, 0,
    {
        {K::PushButton, IDC_LEFT, "记的", 36, 110, 57, 23, kChild | WS_TABSTOP},
        {K::PushButton, IDC_RIGHT, "忘记", 124, 111, 62, 22, kChild | WS_TABSTOP},
        {K::Edit, IDC_EDIT, "", 56, 69, 117, 24, kChild | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL},
        {K::Static, IDC_INFO, "", 60, 16, 91, 21, kChild},
        {K::PushButton, IDC_SPEAK, "发音", 178, 70, 34, 22, kChild | WS_TABSTOP},
        {K::Phonetic, IDC_YINBIAO, "", 56, 46, 150, 14, kChild},
        {K::PushButton, IDC_UNDO, "撤销", 36, 142, 57, 16, kChild | WS_TABSTOP},
        {K::PushButton, IDC_ADD_OWN, "加入生词本", 124, 142, 62, 16, kChild | WS_TABSTOP},
        {K::PushButton, IDC_SPEAK_LIJU, "读例句", 124, 164, 62, 14, kChild | WS_TABSTOP},
        {K::Static, IDC_LIJU, "", 22, 184, 198, 60, kChild | SS_NOPREFIX},
        {K::Static, IDC_DRILL_BANK, "", 6, 4, 120, 10, kChild | SS_NOPREFIX},
    }};

const DialogTemplate kSpell{
    IDD_SPELL, "对话", "System", 10, 236, 252, kModalDialog, 0,
    {
        {K::Static, IDC_INFO, "", 30, 16, 176, 34, kChild},
        {K::Edit, IDC_EDIT, "", 56, 60, 124, 22, kChild | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL},
        {K::Static, IDC_REMAIN, "", 60, 92, 116, 14, kChild},
        {K::PushButton, IDC_ANSWER, "确定", 88, 118, 60, 22, kChild | WS_TABSTOP},
        {K::PushButton, IDC_SPEAK, "发音", 184, 60, 34, 22, kChild | WS_TABSTOP},
        {K::Phonetic, IDC_YINBIAO, "", 30, 146, 176, 14, kChild},
        {K::PushButton, IDC_UNDO, "撤销", 22, 118, 56, 22, kChild | WS_TABSTOP},
        {K::PushButton, IDC_ADD_OWN, "加入生词本", 158, 118, 62, 22, kChild | WS_TABSTOP},
        {K::PushButton, IDC_TISHI, "提示", 22, 166, 56, 14, kChild | WS_TABSTOP},
        {K::PushButton, IDC_SPEAK_LIJU, "读例句", 158, 166, 62, 14, kChild | WS_TABSTOP},
        {K::Static, IDC_LIJU, "", 22, 186, 198, 60, kChild | SS_NOPREFIX},
        {K::Static, IDC_DRILL_BANK, "", 6, 4, 120, 10, kChild | SS_NOPREFIX},
    }};

const DialogTemplate kGiveUp{
    IDD_GIVEUP, "警告！", "System", 10, 202, 127, kModalDialog, 0,
    {
        {K::Static, IDC_STATIC, "您今天的任务未完成，您要退出放弃吗!如果放弃请输入\"我放弃\"", 32, 21, 124,
         43, kChild},
        {K::Edit, IDC_EDIT, "", 41, 67, 101, 17, kChild | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL},
        {K::PushButton, 1, "确定", 35, 100, 50, 14, kChild | WS_TABSTOP | BS_DEFPUSHBUTTON},
        {K::PushButton, 2, "取消", 124, 100, 50, 14, kChild | WS_TABSTOP},
    }};

// The charts are painted into the gaps between the texts (see CStatsDlg).
const DialogTemplate kStats{
    IDD_STATS, "学习统计", "宋体", 9, 320, 380, kModalDialog, 0,
    {
        {K::Static, IDC_STATS_TODAY, "", 8, 6, 304, 18, kChild | SS_NOPREFIX},
        {K::Static, IDC_STATS_STREAK, "", 8, 27, 304, 9, kChild | SS_NOPREFIX},
        {K::Static, IDC_STATS_HEAT, "", 8, 40, 304, 9, kChild | SS_NOPREFIX},
        {K::Static, IDC_STATS_BARS, "", 8, 104, 304, 9, kChild | SS_NOPREFIX},
        {K::Static, IDC_STATS_BANK, "", 8, 163, 304, 9, kChild | SS_NOPREFIX},
        {K::Static, IDC_STATS_FORECAST, "", 8, 186, 304, 18, kChild | SS_NOPREFIX},
        {K::Static, IDC_STATS_MISSED, "", 8, 207, 304, 27, kChild | SS_NOPREFIX},
        {K::Static, IDC_STATS_EXAM, "", 8, 237, 232, 18, kChild | SS_NOPREFIX},
        {K::PushButton, IDC_STATS_SETQUOTA, "设为每日数量", 246, 237, 66, 14, kChild | WS_TABSTOP},
        {K::PushButton, IDC_STATS_EXPORT, "导出记录(&E)...", 8, 362, 66, 14, kChild | WS_TABSTOP},
        {K::PushButton, 1, "关闭", 262, 362, 50, 14, kChild | WS_TABSTOP | BS_DEFPUSHBUTTON},
        {K::Static, IDC_STATS_MEMORY, "", 8, 261, 304, 27, kChild | SS_NOPREFIX},
        {K::Static, IDC_STATS_REVIEWS, "", 8, 292, 304, 9, kChild | SS_NOPREFIX},
    }};

const DialogTemplate kLookup{
    IDD_LOOKUP, "查词", "宋体", 9, 300, 279, kModalDialog, 0,
    {
        {K::Static, IDC_STATIC, "输入英文单词的开头，或释义里的中文：", 8, 7, 284, 10, kChild},
        {K::Edit, IDC_LOOKUP_QUERY, "", 8, 19, 284, 14, kChild | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL},
        {K::ListBox, IDC_LOOKUP_HITS, "", 8, 38, 284, 122, kChild | WS_TABSTOP},
        {K::Phonetic, IDC_LOOKUP_WORD, "", 8, 164, 284, 12, kChild},
        {K::Static, IDC_LOOKUP_MEANING, "", 8, 177, 284, 20, kChild | SS_NOPREFIX},
        {K::PushButton, IDC_SPEAK, "发音", 8, 201, 50, 14, kChild | WS_TABSTOP},
        {K::PushButton, IDC_ADD_OWN, "加入生词本(&A)", 64, 201, 72, 14, kChild | WS_TABSTOP},
        {K::PushButton, 2, "关闭", 242, 201, 50, 14, kChild | WS_TABSTOP},
        {K::PushButton, IDC_SPEAK_LIJU, "读例句", 142, 201, 56, 14, kChild | WS_TABSTOP},
        {K::Static, IDC_LIJU, "", 8, 221, 284, 51, kChild | SS_NOPREFIX},
    }};

const DialogTemplate kWordList{
    IDD_WORDLIST, "生词本", "宋体", 9, 262, 206, kModalDialog, 0,
    {
        {K::Static, IDC_WORDLIST_SUMMARY, "", 8, 6, 246, 18, kChild | SS_NOPREFIX},
        {K::ListBox, IDC_WORDLIST_WORDS, "", 8, 26, 246, 118, kChild | WS_TABSTOP},
        {K::PushButton, IDC_WORDLIST_REMOVE, "删除(&D)", 8, 150, 50, 14, kChild | WS_TABSTOP},
        {K::PushButton, IDC_PRACTISE_OWN_BROWSE, "浏览练习生词本", 68, 150, 90, 14, kChild | WS_TABSTOP},
        {K::PushButton, IDC_PRACTISE_OWN_SPELL, "拼写练习生词本", 164, 150, 90, 14, kChild | WS_TABSTOP},
        {K::PushButton, IDC_PRACTISE_MISSED_BROWSE, "浏览练习错词本", 68, 168, 90, 14, kChild | WS_TABSTOP},
        {K::PushButton, IDC_PRACTISE_MISSED_SPELL, "拼写练习错词本", 164, 168, 90, 14, kChild | WS_TABSTOP},
        {K::PushButton, 2, "关闭", 204, 186, 50, 14, kChild | WS_TABSTOP},
    }};

const DialogTemplate kFirstStart{
    IDD_FIRSTSTART, "欢迎使用 Wordmill", "宋体", 9, 236, 118, kModalDialog, 0,
    {
        {K::Static, IDC_STATIC, "你在准备哪一场考试？Wordmill 就从那一级的词库背起。", 10, 8, 216, 10, kChild},
        {K::Static, IDC_STATIC, "考试日期（可不填）", 10, 26, 74, 10, kChild},
        {K::Edit, IDC_EXAMDATE, "", 86, 24, 64, 13, kChild | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL},
        {K::Static, IDC_STATIC, "例：2027-06-12", 156, 26, 70, 10, kChild},
        {K::Static, IDC_FIRST_QUOTA, "", 10, 44, 216, 18, kChild | SS_NOPREFIX},
        {K::PushButton, IDC_FIRST_CET4, "四级 CET-4", 10, 68, 104, 22, kChild | WS_TABSTOP},
        {K::PushButton, IDC_FIRST_CET6, "六级 CET-6", 122, 68, 104, 22, kChild | WS_TABSTOP},
        {K::Static, IDC_STATIC, "词库和考试日期以后都能在“设置”里改。", 10, 99, 160, 10, kChild},
        {K::PushButton, 2, "以后再说", 176, 96, 50, 14, kChild | WS_TABSTOP},
    }};

const DialogTemplate kReviewChoice{
    IDD_REVIEW_CHOICE, "今日复习", "宋体", 9, 232, 92, kModalDialog, 0,
    {
        {K::Static, IDC_REVIEW_SUMMARY, "", 8, 7, 216, 38, kChild | SS_NOPREFIX},
        {K::PushButton, IDC_REVIEW_BROWSE, "浏览复习", 8, 50, 104, 16, kChild | WS_TABSTOP},
        {K::PushButton, IDC_REVIEW_SPELL, "拼写复习", 120, 50, 104, 16, kChild | WS_TABSTOP},
        {K::PushButton, 2, "取消", 174, 72, 50, 14, kChild | WS_TABSTOP},
    }};

const std::array<const DialogTemplate*, 11> kTemplates{
    &kAbout, &kMain, &kSettings, &kBrowse, &kSpell, &kGiveUp, &kStats, &kLookup, &kWordList,
    &kFirstStart, &kReviewChoice};

// clang-format on

} // namespace

const DialogTemplate* ProgramDialogTemplate(UINT id) {
    for (const DialogTemplate* t : kTemplates)
        if (t->id == id)
            return t;
    return nullptr;
}

std::string LoadResourceString(UINT id) {
    switch (id) {
    case IDS_ABOUTBOX:
        return "关于 Wordmill(&A)...";
    case IDS_SPEAK_TIP:
        return "读出这个单词 (Ctrl+P)";
    case IDS_SPEECH_STARTING:
        return "语音引擎正在启动，请稍候";
    case IDS_SPEECH_NO_ENGINE:
        return "没有安装语音引擎，无法发音";
    case IDS_SPEECH_ENGINE_FAILED:
        return "语音引擎无法启动，无法发音";
    case IDS_SPEECH_NO_ENGLISH:
        return "没有英语语音，无法发音";
    case IDS_SPEECH_TIMED_OUT:
        return "语音引擎几秒内没有启动，无法发音";
    case IDS_SPEECH_CANNOT_SOUND:
        return "刚才没能发出声音：没有可用的音频输出，或语音引擎出错";
    default:
        return {};
    }
}
