#pragma once
// A caption that opens what it names, as a link does: a click on it, or Enter or
// Space while it has the focus, raises Activated. It takes the focus by Tab only (a
// click leaves the focus where it was), and a screen reader reads it as a link named
// by its caption, which it can press.

#include <QLabel>

namespace kvl {

class LinkLabel : public QLabel {
    Q_OBJECT
public:
    explicit LinkLabel(const QString& caption, QWidget* parent = nullptr);

signals:
    void Activated();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
};

} // namespace kvl
