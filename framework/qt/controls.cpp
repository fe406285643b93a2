// A template's controls as Qt widgets, placed, ordered for Tab and wired to the dialog.
#include "framework/dialog_template.h"
#include "framework/qt/backend.h"
#include "framework/qt/dialog_window.h"
#include "framework/qt/picture_control.h"
#include "framework/qt/resources.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRegularExpressionValidator>

#include <algorithm>

namespace {

QWidget* MakeControl(const ControlTemplate& c, QWidget* parent) {
    switch (c.kind) {
    case ControlKind::PushButton: {
        auto* button = new QPushButton(ToQt(c.text), parent);
        button->setAutoDefault(false); // Enter is the dialog's business, as on Windows
        return button;
    }
    case ControlKind::CheckBox: {
        auto* box = new QCheckBox(ToQt(c.text), parent);
        if (c.style & BS_LEFTTEXT)
            box->setLayoutDirection(Qt::RightToLeft);
        return box;
    }
    case ControlKind::Edit: {
        auto* edit = new QLineEdit(parent);
        edit->setFrame(c.style & WS_BORDER);
        if (c.style & ES_NUMBER)
            edit->setValidator(new QRegularExpressionValidator(
                QRegularExpression(QStringLiteral("[0-9]*")), edit));
        return edit;
    }
    case ControlKind::Static: {
        auto* label = new QLabel(ToQt(c.text), parent);
        label->setTextFormat(Qt::PlainText);
        label->setWordWrap(true);
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        return label;
    }
    case ControlKind::Phonetic: {
        auto* label = new QLabel(ToQt(c.text), parent);
        label->setTextFormat(Qt::PlainText);
        static const QString family =
            FirstInstalledFamily({"DejaVu Sans", "Noto Sans", "Liberation Sans"});
        QFont font = label->font();
        SetFamily(font, family);
        label->setFont(font);
        return label;
    }
    case ControlKind::Picture:
        // Scaled to the control, which the template sizes for the picture.
        return new PictureControl(LoadBitmapResource(static_cast<UINT>(c.resourceId)), parent);
    case ControlKind::Icon: {
        auto* label = new QLabel(parent);
        label->setPixmap(LoadIconResource(static_cast<UINT>(c.resourceId)).pixmap(32, 32));
        return label;
    }
    case ControlKind::ListBox:
        return new QListWidget(parent);
    case ControlKind::ComboBox: {
        auto* combo = new QComboBox(parent);
        combo->setEditable(c.style & CBS_DROPDOWN);
        combo->setInsertPolicy(QComboBox::NoInsert);
        combo->setProperty("sorted", bool(c.style & CBS_SORT));
        return combo;
    }
    }
    return nullptr;
}

// A field's label becomes its buddy: Alt and the label's mnemonic go to the field.
void PairLabelsWithFields(const DialogTemplate& tpl, const std::vector<QWidget*>& controls) {
    for (const auto& [field, label] : FieldLabels(tpl))
        if (auto* text = qobject_cast<QLabel*>(controls[label]))
            text->setBuddy(controls[field]);
}

// Changes the learner makes, not the program's own SetWindowText or SetCurSel, and clicks.
void Wire(QtDialog& dialog, QWidget* control, int id) {
    CDialog* dlg = &dialog.dialog();
    if (auto* button = qobject_cast<QPushButton*>(control))
        QObject::connect(button, &QPushButton::clicked, &dialog,
                         [dlg, id] { dlg->SendCommand(id); });
    if (auto* edit = qobject_cast<QLineEdit*>(control))
        QObject::connect(edit, &QLineEdit::textEdited, &dialog, [dlg, id] { dlg->SendChange(id); });
    if (auto* list = qobject_cast<QListWidget*>(control))
        QObject::connect(list, &QListWidget::itemSelectionChanged, &dialog,
                         [dlg, id] { dlg->SendChange(id); });
}

} // namespace

void BuildControls(QtDialog& dialog, const DialogTemplate& tpl) {
    QWidget* previous = nullptr;
    std::vector<QWidget*> controls; // in template order
    for (const ControlTemplate& c : tpl.controls) {
        QWidget* control = MakeControl(c, &dialog);
        controls.push_back(control);
        // Placed by its position and sized by its extent, each in dialog units, as the
        // system's dialog manager does.
        const CRect place = dialog.MapDialogRect({c.x, c.y, c.x, c.y});
        const CRect extent = dialog.MapDialogRect({0, 0, c.cx, c.cy});
        // A combo box's template height includes its dropped-down list.
        const int height = c.kind == ControlKind::ComboBox
                               ? std::min(extent.Height(), control->sizeHint().height())
                               : extent.Height();
        control->setGeometry(place.left, place.top, extent.Width(), height);
        control->setProperty("ctrlId", c.id);
        control->setObjectName(QStringLiteral("ctrl_%1").arg(c.id));
        control->setFocusPolicy((c.style & WS_TABSTOP) ? Qt::StrongFocus : Qt::NoFocus);
        if (c.kind == ControlKind::Picture || c.kind == ControlKind::Icon)
            control->lower(); // pictures lie under the controls that follow them
        if (auto* button = qobject_cast<QPushButton*>(control);
            button && (c.style & BS_DEFPUSHBUTTON)) {
            dialog.setDefaultButtonId(c.id);
            button->setDefault(true);
        }
        Wire(dialog, control, c.id);
        dialog.addControl(c.id, control);
        if (control->focusPolicy() != Qt::NoFocus) {
            if (previous)
                QWidget::setTabOrder(previous, control);
            previous = control;
        }
    }
    PairLabelsWithFields(tpl, controls);
}
