#include "ReportList.h"

#include <algorithm>

ReportList::ReportList(const QStringList &lines)
{
    qsizetype characters = 0;
    for (const QString &line : lines)
        characters += line.size();
    reserve(lines.size(), characters);
    for (const QString &line : lines)
        append(line);
}

ReportList::ReportList(std::initializer_list<QString> lines) : ReportList(QStringList(lines)) {}

QStringView ReportList::at(qsizetype i) const
{
    const Line &line = m_lines[size_t(i)];
    return QStringView(m_text).mid(line.start, line.length);
}

QStringList ReportList::toStringList() const
{
    QStringList out;
    out.reserve(size());
    for (qsizetype i = 0; i < size(); ++i)
        out.append(at(i).toString());
    return out;
}

void ReportList::reserve(qsizetype lines, qsizetype characters)
{
    m_lines.reserve(m_lines.size() + size_t(lines));
    if (m_used + characters > m_text.size())
        m_text.resize(m_used + characters);
}

void ReportList::grow(qsizetype length)
{
    m_text.resize(std::max(m_used + length, 2 * m_text.size()));
}

void ReportList::append(QStringView line)
{
    std::copy(line.begin(), line.end(), appendUninitialized(line.size()));
}

void ReportList::append(const ReportList &other)
{
    reserve(other.size(), other.m_used);
    for (qsizetype i = 0; i < other.size(); ++i)
        append(other.at(i));
}

void ReportList::sort()
{
    const QStringView text(m_text);
    std::sort(m_lines.begin(), m_lines.end(), [text](const Line &x, const Line &y) {
        const QStringView a = text.mid(x.start, x.length);
        const QStringView b = text.mid(y.start, y.length);
        const int c = a.compare(b, Qt::CaseInsensitive);
        return c != 0 ? c < 0 : a < b;
    });
}
