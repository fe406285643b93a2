#include "msgbox.h"

#include "winapp.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

int AfxMessageBox(const std::string& text, UINT type) {
    QMessageBox box(QApplication::activeModalWidget());
    box.setObjectName("AfxMessageBox");
    box.setWindowTitle(QString::fromStdString(AfxGetAppName()));
    box.setText(QString::fromStdString(text));
    box.setIcon((type & MB_ICONINFORMATION) ? QMessageBox::Information : QMessageBox::Warning);
    QPushButton* ok = box.addButton(QStringLiteral("确定"), QMessageBox::AcceptRole);
    box.setDefaultButton(ok);
    box.setEscapeButton(ok);
    box.setWindowModality(Qt::ApplicationModal);
    box.exec();
    return IDOK;
}
