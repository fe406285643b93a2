#include "framework/qt/picture_control.h"

#include <QPainter>

PictureControl::PictureControl(QImage picture, QWidget* parent)
    : QWidget(parent), m_picture(std::move(picture)) {}

// Drawn from the bitmap itself, so that a picture seen in place costs no copy; filtered
// while drawn when the control's size differs.
void PictureControl::paintEvent(QPaintEvent*) {
    if (m_picture.isNull())
        return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(rect(), m_picture);
}
