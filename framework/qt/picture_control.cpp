#include "framework/qt/picture_control.h"

#include <QPainter>

// A picture without alpha covers its whole control, so the window leaves that part out of
// its own paint: the main window's background is then never read under the banner.
PictureControl::PictureControl(QImage picture, QWidget* parent)
    : QWidget(parent), m_picture(std::move(picture)) {
    setAttribute(Qt::WA_OpaquePaintEvent, !m_picture.isNull() && !m_picture.hasAlphaChannel());
}

// Drawn from the bitmap itself, so that a picture seen in place costs no copy; filtered
// while drawn when the control's size differs.
void PictureControl::paintEvent(QPaintEvent*) {
    if (m_picture.isNull())
        return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(rect(), m_picture);
}
