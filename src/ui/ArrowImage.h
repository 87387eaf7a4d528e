#pragma once

#include <QLabel>
#include <QPixmap>

// An arrow picture that works as a button: it shows its pressed picture while
// the mouse button is held on it and reports a click on release.
class ArrowImage : public QLabel
{
    Q_OBJECT

public:
    explicit ArrowImage(QWidget *parent = nullptr);
    void setPictures(const QPixmap &normal, const QPixmap &pressed);
    bool isPressed() const { return m_pressed; }

signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    QPixmap m_normal;
    QPixmap m_pressedPicture;
    bool m_pressed = false;
};
