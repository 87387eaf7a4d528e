#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <initializer_list>
#include <utility>
#include <vector>

// The lines of one list of a report, kept in one text: a report on a full
// datafile runs to tens of thousands of lines, and building, sorting and
// showing them must not cost an allocation each.
class ReportList
{
public:
    ReportList() = default;
    // Lists written out in full, as the tests and the final list make them.
    ReportList(const QStringList &lines); // NOLINT(google-explicit-constructor)
    ReportList(std::initializer_list<QString> lines);
    ReportList(const ReportList &) = default;
    ReportList &operator=(const ReportList &) = default;
    // A list moved from is left empty, ready for new lines.
    ReportList(ReportList &&other) noexcept
        : m_text(std::move(other.m_text)), m_used(std::exchange(other.m_used, 0)),
          m_lines(std::move(other.m_lines))
    {
        other.m_lines.clear();
    }
    ReportList &operator=(ReportList &&other) noexcept
    {
        m_text = std::move(other.m_text);
        m_used = std::exchange(other.m_used, 0);
        m_lines = std::move(other.m_lines);
        other.m_lines.clear();
        return *this;
    }

    qsizetype size() const { return qsizetype(m_lines.size()); }
    bool isEmpty() const { return m_lines.empty(); }
    QStringView at(qsizetype i) const;
    QStringList toStringList() const;

    // Room for `lines` more lines of `characters` characters in all.
    void reserve(qsizetype lines, qsizetype characters);
    void append(QStringView line);
    void append(const ReportList &other); // another list than this one
    // A new line of `length` characters, written in place by the caller
    // before anything else is added.
    QChar *appendUninitialized(qsizetype length)
    {
        if (m_used + length > m_text.size())
            grow(length);
        const qsizetype start = m_used;
        m_used += length;
        m_lines.push_back({start, length});
        return m_text.data() + start;
    }

    // Ascending alphabetical order, letters compared without case; lines
    // that differ only in case in their own binary order.
    void sort();

private:
    void grow(qsizetype length);

    struct Line {
        qsizetype start;
        qsizetype length;
    };
    // The lines' characters fill the first m_used characters of m_text; the
    // rest is room reserved for more.
    QString m_text;
    qsizetype m_used = 0;
    std::vector<Line> m_lines;
};
