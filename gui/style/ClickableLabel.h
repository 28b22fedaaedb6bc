#pragma once

#include <QLabel>
#include <QMouseEvent>

namespace hx {

// A label that reports a left click, for labels that act on their control.
class ClickableLabel : public QLabel {
    Q_OBJECT
public:
    using QLabel::QLabel;

signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent* event) override {
        if (event->button() == Qt::LeftButton)
            emit clicked();
        QLabel::mousePressEvent(event);
    }
};

} // namespace hx
