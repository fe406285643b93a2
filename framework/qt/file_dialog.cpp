#include "framework/file_dialog.h"

#include "framework/qt/backend.h"

#include <QDir>
#include <QFileDialog>

std::optional<std::string> SystemSavePrompt(CDialog* owner, const SaveFileQuestion& question) {
    QFileDialog dialog(owner ? QtWidget(owner->GetSafeHwnd()) : nullptr);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilter(ToQt(question.typeName + " (*." + question.extension + ")"));
    dialog.setDefaultSuffix(ToQt(question.extension));
    dialog.setDirectory(QDir::home());
    dialog.selectFile(ToQt(question.suggestedName));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().first().toStdString();
}
