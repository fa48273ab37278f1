#pragma once

#include <QLabel>

// A label that reports double-clicks, which the main window uses as hidden
// commands.
class DoubleClickLabel : public QLabel {
    Q_OBJECT
public:
    using QLabel::QLabel;

signals:
    void doubleClicked();

protected:
    void mouseDoubleClickEvent(QMouseEvent* event) override;
};
