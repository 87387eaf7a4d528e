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
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
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
    // "&Create Report" / "&Continue Building": runs the query built.
    void runQuery();
    // "&Restart Query".
    void restartQuery();

    // The report to show, once the window has been accepted.
    const ReportContent &report() const { return m_report; }
    ReportContent takeReport() { return std::move(m_report); }
    // True once Query A of a cross-referenced report has run.
    bool stage() const { return m_stage; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    struct PropertyButton {
        ReportProperty property;
        QRadioButton *button;
    };
    struct ComparisonButton {
        Comparison comparison;
        QRadioButton *button;
    };
    struct Controls {
        QGroupBox *queryFrame;                     // Frame4
        QGroupBox *propertyFrame;                  // Frame1
        QList<PropertyButton> propertyButtons;     // optItemCost ... of the kind
        QGroupBox *modeFrame;                      // Frame2
        QRadioButton *absolute;                    // optAbsolute
        QRadioButton *relative;                    // optRelitive
        QGroupBox *comparisonFrame;                // Frame3
        QList<ComparisonButton> comparisonButtons; // Option1 ... Option5
        QLineEdit *value;                          // Text1
        QLabel *valueHint;                         // Label4
        QLabel *sentenceA;                         // Label1
        QLabel *joinWord;                          // Label3
        QLabel *sentenceB;                         // Label2
        QCheckBox *crossAnd;                       // Check1
        QCheckBox *crossOr;                        // Check2
        QPushButton *create;                       // Command1
        QPushButton *restart;                      // Command2
    };

    void propertyClick(ReportProperty property);
    void modeClick(QueryMode mode);
    void comparisonClick(Comparison comparison);
    void valueLeft();
    void checkClick(QCheckBox *box, QCheckBox *other, const QString &word);
    // Appends a piece to the sentence of the query being built and shows it.
    void append(const QString &piece);
    QLabel *currentLine() const;
    void showStatus(const QString &text, bool busy);
    ReportProperty checkedProperty() const;
    Comparison checkedComparison() const;
    QueryMode mode() const;

    const QueryKind &m_kind;
    QString m_path;
    Dialogs &m_dialogs;
    ReportStatus m_status;
    std::unique_ptr<Ui::ReportBuild> ui;
    Controls m_c;

    // The sentences of Query A and Query B as they are written.
    QString m_sentenceA;
    QString m_sentenceB;
    bool m_stage = false;
    bool m_inCheckClick = false;
    bool m_valuePending = false; // the value box is waiting for its entry
    QString m_savedText;
    ReportContent m_report;
};
