#pragma once

#include <QColor>
#include <QWidget>

// A round status lamp: drawn in its colour when lit, as an empty outline when dark.
class Lamp : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(bool lit READ isLit WRITE setLit)

public:
    explicit Lamp(QWidget *parent = nullptr);

    void setColor(const QColor &color);
    QColor color() const { return m_color; }
    bool isLit() const { return m_lit; }
    void setLit(bool lit);

    QSize sizeHint() const override { return {16, 16}; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QColor m_color = Qt::green;
    bool m_lit = false;
};
