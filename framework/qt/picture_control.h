// A template's picture control: a bitmap drawn to the control's size.
#pragma once

#include <QImage>
#include <QWidget>

class PictureControl : public QWidget {
public:
    PictureControl(QImage picture, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage m_picture;
};
