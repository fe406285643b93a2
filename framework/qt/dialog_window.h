// The Qt window behind a running CDialog. Private to the framework.
#pragma once

#include "framework/backend.h"

#include <QDialog>

#include <map>
#include <memory>
#include <vector>

class QEventLoop;
class QTimer;

class QtDialog final : public QDialog, public DialogWindow {
public:
    // `ownerWindow`: the window of the dialog that owns this one, or null.
    QtDialog(DialogEvents& events, const DialogTemplate& tpl, QWidget* ownerWindow);
    ~QtDialog() override;

    bool RunModal() override;
    void End(int result) override;
    HWND Handle() const override;
    HWND Control(int id) const override;
    CRect MapDialogRect(const CRect& dialogUnits) const override;
    CRect ClientRect() const override;
    BOOL Show(int cmdShow) override;
    BOOL IsVisible() const override;
    BOOL IsIconic() const override;
    void SetForeground() override;
    void SetIcon(UINT iconId) override;
    void AddAccelerator(const std::string& keys, int commandId) override;
    bool StartTimer(UINT_PTR id, UINT elapseMs) override;
    void StopTimer(UINT_PTR id) override;
    void RevertSystemMenu() override;
    BOOL AppendSystemMenuItem(const CMenu::Item& item) override;
    void DefaultSysCommand(UINT id, LPARAM lParam) override;

    CDialog& dialog() { return m_events.Dialog(); }
    // The controls are made by BuildControls (controls.cpp), which registers each here.
    void addControl(int id, QWidget* control);
    int defaultButtonId() const { return m_defaultId; }
    void setDefaultButtonId(int id) { m_defaultId = id; }
    void showSystemMenu(const QPoint& globalPos);
    // Ends the dialog as EndDialog does (its modal loop included).
    void done(int result) override;

    // Dialog base units of the template font: average character width and height.
    int baseUnitX() const { return m_baseX; }
    int baseUnitY() const { return m_baseY; }

    static QtDialog* fromWidget(QWidget* widget);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    bool handleKey(QKeyEvent* key, int controlId);
    void focusFirstTabStop();
    void ReportFirstPaint();
    void reportSize();

    DialogEvents& m_events;
    const DialogTemplate& m_template;
    std::map<int, QWidget*> m_controls;
    std::map<UINT_PTR, std::unique_ptr<QTimer>> m_timers;
    std::vector<CMenu::Item> m_appendedMenu; // what the program appended to the system menu
    QEventLoop* m_loop = nullptr;            // while the modal loop runs
    bool m_ended = false;
    int m_defaultId = IDOK;
    int m_baseX = 0, m_baseY = 0;
};

// Makes the template's controls in `dialog`, at their template places.
void BuildControls(QtDialog& dialog, const DialogTemplate& tpl);

// The first of these families that is installed, or none. A font names one family only:
// given several, Qt asks fontconfig for the whole fallback chain of each font at once (about
// a millisecond each), where one family leaves that until a character is missing.
QString FirstInstalledFamily(std::initializer_list<const char*> families);
// Sets it, or leaves the default family when none was found.
void SetFamily(QFont& font, const QString& family);

// Font a template names, mapped to one that exists here and draws Chinese.
QFont TemplateFont(std::string_view face, int points);
