#include "framework/msgbox.h"

#include "framework/qt/backend.h"
#include "framework/winapp.h"

#include <QMessageBox>
#include <QPushButton>

int AfxMessageBox(const std::string& text, UINT type) {
    QMessageBox box(ModalOwnerWindow());
    box.setObjectName("AfxMessageBox");
    box.setWindowTitle(QString::fromStdString(AfxGetAppName()));
    box.setText(QString::fromStdString(text));
    box.setIcon((type & MB_ICONINFORMATION) ? QMessageBox::Information : QMessageBox::Warning);
    box.setWindowModality(Qt::WindowModal); // leaves the notification icon usable
    if ((type & MB_TYPEMASK) != MB_YESNO) {
        QPushButton* ok = box.addButton(QStringLiteral("确定"), QMessageBox::AcceptRole);
        box.setDefaultButton(ok);
        box.setEscapeButton(ok);
        box.exec();
        return IDOK;
    }
    QPushButton* yes = box.addButton(QStringLiteral("是(&Y)"), QMessageBox::YesRole);
    QPushButton* no = box.addButton(QStringLiteral("否(&N)"), QMessageBox::NoRole);
    box.setDefaultButton((type & MB_DEFBUTTON2) ? no : yes);
    box.setEscapeButton(no);
    box.exec();
    return box.clickedButton() == yes ? IDYES : IDNO;
}
