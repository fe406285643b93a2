// The Qt window behind a CDialog while it runs. Private to the framework.
#pragma once

#include "framework/dialog.h"

#include <QDialog>

class QAbstractButton;

class DialogWindow : public QDialog {
public:
    // `parentWindow`: the window of the dialog that owns this one, or null.
    DialogWindow(CDialog* owner, const DialogTemplate& tpl, QWidget* parentWindow);

    CDialog* owner() const { return m_owner; }
    int defaultButtonId() const { return m_defaultId; }
    void setDefaultButtonId(int id) { m_defaultId = id; }
    void showSystemMenu(const QPoint& globalPos);
    // Ends the dialog as EndDialog does (its modal loop included).
    void done(int result) override;
    void hideWithResult(int result) { QDialog::done(result); }

    // Dialog base units of the template font: average character width and height.
    int baseUnitX() const { return m_baseX; }
    int baseUnitY() const { return m_baseY; }

    static DialogWindow* fromWidget(QWidget* widget);

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
    void ReportFirstPaint();
    void reportSize();

    CDialog* m_owner;
    int m_defaultId = IDOK;
    int m_baseX = 0, m_baseY = 0;
};

// The window of the innermost dialog whose modal loop runs: the owner of the next dialog
// or message box. Null when none runs.
QWidget* ModalOwnerWindow();

// The first of these families that is installed, or none. A font names one family only:
// given several, Qt asks fontconfig for the whole fallback chain of each font at once (about
// a millisecond each), where one family leaves that until a character is missing.
QString FirstInstalledFamily(std::initializer_list<const char*> families);
// Sets it, or leaves the default family when none was found.
void SetFamily(QFont& font, const QString& family);

// Font a template names, mapped to one that exists here and draws Chinese.
QFont TemplateFont(std::string_view face, int points);
QString ToQt(std::string_view text);
