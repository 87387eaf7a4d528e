#pragma once

#include "QueryKinds.h"
#include "ReportContent.h"

#include <QDialog>

#include <functional>
#include <memory>

namespace Ui {
class ReportBuild;
}
class Dialogs;
class QCheckBox;
class QLabel;
class QRadioButton;

// The status line of the main window: its text, and whether it shows busy.
using ReportStatus = std::function<void(const QString &text, bool busy)>;

// The report builder of one kind of record ("Item Report Builder" and its
// two siblings): leads through property, absolute or relative, comparison and
// value while writing the query as a sentence, runs the query, and for a
// cross-referenced report does it all a second time.
class ReportBuild : public QDialog
{
    Q_OBJECT

public:
    ReportBuild(ReportKind kind, const QString &datafilePath, Dialogs &dialogs,
                QWidget *parent = nullptr);
    ~ReportBuild() override;

    void setStatus(ReportStatus status) { m_status = std::move(status); }

    // Resets the step controls for a new query; the sentences stay.
    void ClearAll();
    // "&Create Report" / "&Continue Building".
    void Command1_Click();
    // "&Restart Query".
    void Command2_Click();

    // The report to show, once the window has been accepted.
    const ReportContent &report() const { return m_report; }
    // True once Query A of a cross-referenced report has run.
    bool stage() const { return m_stage; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void propertyClick(int code);
    void modeClick(int mode);
    void comparisonClick(int comparison);
    void valueLeft();
    void checkClick(QCheckBox *box, QCheckBox *other, const QString &word);
    void append(const QString &piece);
    void showStatus(const QString &text, bool busy);
    int checkedCode(const QList<QRadioButton *> &buttons) const;
    int mode() const;

    const QueryKind &m_kind;
    QString m_path;
    Dialogs &m_dialogs;
    ReportStatus m_status;
    std::unique_ptr<Ui::ReportBuild> ui;
    QList<QRadioButton *> m_properties; // in property-code order
    QList<QRadioButton *> m_comparisons;

    QLabel *m_currentLine = nullptr;
    bool m_stage = false;
    bool m_inCheckClick = false;
    bool m_valuePending = false; // the value box is waiting for its entry
    QString m_savedText;
    ReportContent m_report;
};
