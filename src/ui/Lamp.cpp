#include "Lamp.h"

#include <QPainter>

Lamp::Lamp(QWidget *parent) : QWidget(parent)
{
    setFixedSize(sizeHint());
}

void Lamp::setColor(const QColor &color)
{
    m_color = color;
    update();
}

void Lamp::setLit(bool lit)
{
    if (m_lit == lit)
        return;
    m_lit = lit;
    update();
}

void Lamp::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r = QRectF(rect()).adjusted(1.5, 1.5, -1.5, -1.5);
    p.setPen(QPen(m_color.darker(160), 1));
    p.setBrush(m_lit ? QBrush(m_color) : Qt::NoBrush);
    p.drawEllipse(r);
}
