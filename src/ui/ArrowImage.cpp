#include "ArrowImage.h"

#include <QMouseEvent>

ArrowImage::ArrowImage(QWidget *parent) : QLabel(parent)
{
    setCursor(Qt::PointingHandCursor);
}

void ArrowImage::setPictures(const QPixmap &normal, const QPixmap &pressed)
{
    m_normal = normal;
    m_pressedPicture = pressed;
    setPixmap(m_normal);
    setFixedSize(normal.size());
}

void ArrowImage::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return;
    m_pressed = true;
    setPixmap(m_pressedPicture);
}

void ArrowImage::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton || !m_pressed)
        return;
    m_pressed = false;
    setPixmap(m_normal);
    if (rect().contains(event->position().toPoint()))
        emit clicked();
}
