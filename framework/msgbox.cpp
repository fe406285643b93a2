#include "framework/msgbox.h"

#include "framework/dialog_window.h"
#include "framework/winapp.h"

#include <QMessageBox>
#include <QPushButton>

int AfxMessageBox(const std::string& text, UINT type) {
    QMessageBox box(ModalOwnerWindow());
    box.setObjectName("AfxMessageBox");
    box.setWindowTitle(QString::fromStdString(AfxGetAppName()));
    box.setText(QString::fromStdString(text));
    box.setIcon((type & MB_ICONINFORMATION) ? QMessageBox::Information : QMessageBox::Warning);
    QPushButton* ok = box.addButton(QStringLiteral("确定"), QMessageBox::AcceptRole);
    box.setDefaultButton(ok);
    box.setEscapeButton(ok);
    box.setWindowModality(Qt::WindowModal); // leaves the notification icon usable
    box.exec();
    return IDOK;
}
