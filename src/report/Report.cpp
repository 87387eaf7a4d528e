#include "Report.h"

#include "ReportFile.h"
#include "ui/Dialogs.h"
#include "ui/WindowSetup.h"
#include "ui_Report.h"

#include <QAbstractListModel>
#include <QFileInfo>

namespace {
// A report list as its view shows it: a row's text is made when it is drawn,
// so that a list of tens of thousands of lines opens at once.
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
    ReportList m_list;
};

void fill(QListView *view, const ReportList &lines)
{
    view->setModel(new ReportListModel(lines, view));
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
}
} // namespace

Report::Report(const ReportContent &content, Dialogs &dialogs, QWidget *parent)
    : QDialog(parent), ui(std::make_unique<Ui::Report>()), m_content(content), m_dialogs(dialogs)
{
    ui->setupUi(this);
    const ReportDisplay &d = m_content.display;

    fill(ui->List1, m_content.List1);
    fill(ui->List2, m_content.List2);
    fill(ui->List3, m_content.List3);

    QFont large = ui->Label1->font();
    large.setPointSizeF(13.5);
    // "AND", "OR" and "=" stand in columns of one width, so the lists are spaced evenly.
    const int column = QFontMetrics(large).horizontalAdvance(QStringLiteral("AND")) + 16;
    for (QLabel *word : {ui->Label1, ui->Label2}) {
        word->setFont(large);
        word->setMinimumWidth(column);
    }
    // The sentences wrap within their list's width, several lines high.
    for (QLabel *sentence : {ui->Label6, ui->Label7}) {
        sentence->setMinimumHeight(4 * sentence->fontMetrics().lineSpacing());
        sentence->setMaximumWidth(ui->List2->minimumWidth() + 60);
    }

    ui->List1->setVisible(d.multi);
    ui->Label3->setVisible(d.multi);
    ui->List3->setVisible(d.multi);
    ui->Label5->setVisible(d.multi);
    ui->Label6->setVisible(d.multi);
    ui->Label1->setText(d.Label1);
    ui->Label2->setText(d.Label2);
    ui->Label3->setText(d.Label3);
    ui->Label4->setText(d.Label4);
    ui->Label5->setText(d.Label5);
    ui->Label6->setText(d.Label6);
    ui->Label7->setText(d.Label7);
    setWindowTitle(d.caption);

    connect(ui->Command1, &QPushButton::clicked, this, &Report::Command1_Click);
    prepareDialog(this, parent ? parent->window() : nullptr);
    ui->Command1->setFocus();
}

Report::~Report() = default;

void Report::Command1_Click()
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
