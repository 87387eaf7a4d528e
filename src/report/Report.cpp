#include "Report.h"

#include "ReportFile.h"
#include "ui/Dialogs.h"
#include "ui/WindowSetup.h"
#include "ui_Report.h"

#include <QAbstractListModel>
#include <QFileInfo>

namespace {
// A report list as its view shows it: a row's text is made when it is drawn,
// so that a list of tens of thousands of lines opens at once. The list is the
// window's own and outlives the model (see ~Report).
class ReportListModel : public QAbstractListModel
{
public:
    ReportListModel(const ReportList &list, QObject *parent)
        : QAbstractListModel(parent), m_list(list)
    {
    }

    int rowCount(const QModelIndex &parent) const override
    {
        return parent.isValid() ? 0 : int(m_list.size());
    }

    QVariant data(const QModelIndex &index, int role) const override
    {
        if (role != Qt::DisplayRole || !index.isValid() || index.row() >= m_list.size())
            return {};
        return m_list.at(index.row()).toString();
    }

private:
    const ReportList &m_list;
};

void fill(QListView *view, const ReportList &lines)
{
    view->setModel(new ReportListModel(lines, view));
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
}
} // namespace

Report::Report(ReportContent content, Dialogs &dialogs, QWidget *parent)
    : QDialog(parent), ui(std::make_unique<Ui::Report>()), m_content(std::move(content)),
      m_dialogs(dialogs)
{
    ui->setupUi(this);
    // The window's controls, by what they show.
    QListView *queryALines = ui->List1;
    QListView *queryBLines = ui->List2;
    QListView *finalNames = ui->List3;
    QLabel *joinWord = ui->Label1;
    QLabel *equalsSign = ui->Label2;
    QLabel *queryAHeading = ui->Label3;
    QLabel *queryBHeading = ui->Label4;
    QLabel *finalHeading = ui->Label5;
    QLabel *sentenceA = ui->Label6;
    QLabel *sentenceB = ui->Label7;
    QPushButton *saveButton = ui->Command1;

    const ReportDisplay &d = m_content.display;
    fill(queryALines, m_content.queryALines);
    fill(queryBLines, m_content.queryBLines);
    fill(finalNames, m_content.finalNames);

    QFont large = joinWord->font();
    large.setPointSizeF(13.5);
    // "AND", "OR" and "=" stand in columns of one width, so the lists are spaced evenly.
    const int column = QFontMetrics(large).horizontalAdvance(QStringLiteral("AND")) + 16;
    for (QLabel *word : {joinWord, equalsSign}) {
        word->setFont(large);
        word->setMinimumWidth(column);
    }
    // The sentences wrap within their list's width, several lines high.
    for (QLabel *sentence : {sentenceA, sentenceB}) {
        sentence->setMinimumHeight(4 * sentence->fontMetrics().lineSpacing());
        sentence->setMaximumWidth(queryBLines->minimumWidth() + 60);
    }

    queryALines->setVisible(d.crossReferenced);
    queryAHeading->setVisible(d.crossReferenced);
    finalNames->setVisible(d.crossReferenced);
    finalHeading->setVisible(d.crossReferenced);
    sentenceA->setVisible(d.crossReferenced);
    joinWord->setText(d.joinWord);
    equalsSign->setText(d.equalsSign);
    queryAHeading->setText(d.queryAHeading);
    queryBHeading->setText(d.queryBHeading);
    finalHeading->setText(d.finalHeading);
    sentenceA->setText(d.sentenceA);
    sentenceB->setText(d.sentenceB);
    setWindowTitle(d.caption);

    connect(saveButton, &QPushButton::clicked, this, &Report::save);
    prepareDialog(this, parent ? parent->window() : nullptr);
    saveButton->setFocus();
}

Report::~Report()
{
    // The models read the lists of m_content, which goes before the views do.
    for (QListView *view : {ui->List1, ui->List2, ui->List3})
        delete view->model();
}

void Report::save()
{
    const QString path = m_dialogs.saveFileName(this, QStringLiteral("Text Files (*.txt);;All "
                                                                     "Files (*.*)"));
    if (path.isEmpty())
        return;
    // A file that cannot be written ends the save without a word; nothing
    // of it is left behind.
    if (ReportFile::write(path, ReportFile::lines(m_content, m_now())) != FileError::None)
        return;
    m_dialogs.information(this, QStringLiteral("Report Saved"),
                          QStringLiteral("Report saved to file: ")
                              + QFileInfo(path).absoluteFilePath() + QLatin1Char('.'));
}
