#include "ReportBuild.h"

#include "QueryEngine.h"
#include "QuerySteps.h"
#include "ui/Dialogs.h"
#include "ui/EntryBox.h"
#include "ui/WindowSetup.h"
#include "ui_ReportBuild.h"

#include <QFocusEvent>
#include <QTimer>

namespace {

const QString CreateReport = QStringLiteral("&Create Report");
const QString ContinueBuilding = QStringLiteral("&Continue Building");

// An exclusive option button cannot be cleared while its group holds it.
void clearOption(QRadioButton *button)
{
    button->setAutoExclusive(false);
    button->setChecked(false);
    button->setAutoExclusive(true);
}

void keepPlaceWhenHidden(QWidget *w)
{
    QSizePolicy policy = w->sizePolicy();
    policy.setRetainSizeWhenHidden(true);
    w->setSizePolicy(policy);
}

// The focus goes where the next step is, once the current move of the focus
// has finished.
void focusLater(QWidget *w)
{
    QTimer::singleShot(0, w, [w] {
        if (w->isVisible() && w->isEnabled())
            w->setFocus(Qt::OtherFocusReason);
    });
}

// The builder windows' object names.
QString windowName(ReportKind kind)
{
    switch (kind) {
    case ReportKind::Credit:
        return QStringLiteral("CreditReportBuild");
    case ReportKind::Cashier:
        return QStringLiteral("CashierReportBuild");
    case ReportKind::Item:
        break;
    }
    return QStringLiteral("ItemReportBuild");
}

// The option button of a property: the credit and cashier builders reuse the
// item builder's buttons.
QRadioButton *propertyButton(const Ui::ReportBuild &ui, ReportProperty property)
{
    switch (property) {
    case ReportProperty::ItemCost:
    case ReportProperty::Balance:
    case ReportProperty::AmountSold:
        return ui.optItemCost;
    case ReportProperty::ItemsSold:
    case ReportProperty::NumberOfVisits:
    case ReportProperty::SalesPerformed:
        return ui.optItemsSold;
    case ReportProperty::RemainingInventory:
    case ReportProperty::TotalSpent:
        return ui.optRemainingInventory;
    case ReportProperty::TotalInventory:
        return ui.optTotalInventory;
    case ReportProperty::LoggedOnTime:
        return ui.optTimeLogOn;
    }
    return nullptr;
}

} // namespace

ReportBuild::ReportBuild(ReportKind kind, const QString &datafilePath, Dialogs &dialogs,
                         QWidget *parent)
    : QDialog(parent), m_kind(queryKind(kind)), m_path(datafilePath), m_dialogs(dialogs),
      ui(std::make_unique<Ui::ReportBuild>())
{
    ui->setupUi(this);
    setObjectName(windowName(kind));
    setWindowTitle(m_kind.caption);

    QList<PropertyButton> offered;
    for (const QueryProperty &p : m_kind.properties)
        offered.append({p.property, propertyButton(*ui, p.property)});
    m_c = {ui->Frame4,
           ui->Frame1,
           offered,
           ui->Frame2,
           ui->optAbsolute,
           ui->optRelitive,
           ui->Frame3,
           {{Comparison::GreaterThan, ui->Option1},
            {Comparison::LessThan, ui->Option2},
            {Comparison::GreaterOrEqual, ui->Option3},
            {Comparison::LessOrEqual, ui->Option4},
            {Comparison::EqualTo, ui->Option5}},
           ui->Text1,
           ui->Label4,
           ui->Label1,
           ui->Label3,
           ui->Label2,
           ui->Check1,
           ui->Check2,
           ui->Command1,
           ui->Command2};

    QList<QRadioButton *> kept;
    for (const PropertyButton &p : m_c.propertyButtons) {
        p.button->setText(queryProperty(p.property).caption);
        connect(p.button, &QRadioButton::clicked, this,
                [this, property = p.property] { propertyClick(property); });
        kept.append(p.button);
    }
    // The buttons of the other kinds' properties are not part of this window.
    for (QRadioButton *button : m_c.propertyFrame->findChildren<QRadioButton *>())
        if (!kept.contains(button))
            delete button;

    connect(m_c.absolute, &QRadioButton::clicked, this, [this] { modeClick(QueryMode::Absolute); });
    connect(m_c.relative, &QRadioButton::clicked, this, [this] { modeClick(QueryMode::Relative); });
    for (const ComparisonButton &c : m_c.comparisonButtons) {
        c.button->setText(QuerySteps::comparisonCaption(QueryMode::Absolute, c.comparison));
        connect(c.button, &QRadioButton::clicked, this,
                [this, comparison = c.comparison] { comparisonClick(comparison); });
    }
    connect(m_c.crossAnd, &QCheckBox::toggled, this,
            [this] { checkClick(m_c.crossAnd, m_c.crossOr, QStringLiteral("AND")); });
    connect(m_c.crossOr, &QCheckBox::toggled, this,
            [this] { checkClick(m_c.crossOr, m_c.crossAnd, QStringLiteral("OR")); });
    connect(m_c.create, &QPushButton::clicked, this, &ReportBuild::runQuery);
    connect(m_c.restart, &QPushButton::clicked, this, &ReportBuild::restartQuery);

    EntryBox::selectAllOnFocus(m_c.value);
    m_c.value->installEventFilter(this);

    QFont large = m_c.sentenceA->font();
    large.setPointSizeF(13.5);
    for (QLabel *label : {m_c.sentenceA, m_c.sentenceB, m_c.joinWord})
        label->setFont(large);
    // Room for a sentence of two lines, so the window does not grow as it is written.
    const int lines = QFontMetrics(large).lineSpacing();
    m_c.sentenceA->setMinimumHeight(2 * lines + 4);
    m_c.sentenceB->setMinimumHeight(2 * lines + 4);
    m_c.joinWord->setMinimumHeight(lines);
    for (QWidget *w :
         {static_cast<QWidget *>(m_c.modeFrame), static_cast<QWidget *>(m_c.comparisonFrame),
          static_cast<QWidget *>(m_c.value), static_cast<QWidget *>(m_c.valueHint)})
        keepPlaceWhenHidden(w);
    for (const ComparisonButton &c : m_c.comparisonButtons.mid(2))
        keepPlaceWhenHidden(c.button);

    m_c.modeFrame->hide();
    m_c.comparisonFrame->hide();
    m_c.value->hide();
    m_c.valueHint->hide();
    m_c.create->setEnabled(false);
    m_c.crossAnd->setEnabled(false);
    m_c.crossOr->setEnabled(false);

    prepareDialog(this, parent ? parent->window() : nullptr);
    // The sentence lines take the width the steps need and wrap within it.
    m_c.sentenceA->setMinimumWidth(m_c.queryFrame->sizeHint().width());
    m_c.propertyButtons.first().button->setFocus();
}

ReportBuild::~ReportBuild() = default;

QLabel *ReportBuild::currentLine() const
{
    return m_stage ? m_c.sentenceB : m_c.sentenceA;
}

void ReportBuild::append(const QString &piece)
{
    QString &sentence = m_stage ? m_sentenceB : m_sentenceA;
    sentence += piece;
    QLabel *line = currentLine();
    line->setText(sentence);
    // A sentence longer than the room kept for it makes the window taller
    // rather than losing its end.
    const int needed = line->heightForWidth(line->width());
    if (needed > line->height()) {
        line->setMinimumHeight(needed);
        setFixedHeight(height() + needed - line->height());
    }
}

void ReportBuild::showStatus(const QString &text, bool busy)
{
    if (m_status)
        m_status(text, busy);
}

ReportProperty ReportBuild::checkedProperty() const
{
    for (const PropertyButton &p : m_c.propertyButtons)
        if (p.button->isChecked())
            return p.property;
    return m_c.propertyButtons.first().property;
}

Comparison ReportBuild::checkedComparison() const
{
    for (const ComparisonButton &c : m_c.comparisonButtons)
        if (c.button->isChecked())
            return c.comparison;
    return Comparison::GreaterThan;
}

QueryMode ReportBuild::mode() const
{
    return m_c.relative->isChecked() ? QueryMode::Relative : QueryMode::Absolute;
}

void ReportBuild::propertyClick(ReportProperty property)
{
    append(queryProperty(property).sentence);
    m_c.propertyFrame->setEnabled(false);
    m_c.modeFrame->show();
    const QString text = QuerySteps::propertyValueText(property);
    if (!text.isNull())
        m_c.value->setText(text);
    focusLater(m_c.absolute);
}

void ReportBuild::modeClick(QueryMode mode)
{
    append(QuerySteps::modePiece(mode));
    m_c.modeFrame->setEnabled(false);
    for (const ComparisonButton &c : m_c.comparisonButtons) {
        const QString caption = QuerySteps::comparisonCaption(mode, c.comparison);
        if (!caption.isEmpty())
            c.button->setText(caption);
        c.button->setVisible(!caption.isEmpty());
    }
    if (mode == QueryMode::Relative) {
        m_c.comparisonFrame->setTitle(QString());
        m_c.value->setText(QStringLiteral("0"));
    } else {
        m_c.comparisonFrame->setTitle(QStringLiteral("value:"));
    }
    m_c.comparisonFrame->show();
    focusLater(m_c.comparisonButtons.first().button);
}

void ReportBuild::comparisonClick(Comparison comparison)
{
    append(QuerySteps::comparisonPiece(mode(), comparison));
    m_c.comparisonFrame->setEnabled(false);
    m_c.value->show();
    m_c.valueHint->show();
    m_valuePending = true;
    focusLater(m_c.value);
}

bool ReportBuild::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_c.value) {
        if (event->type() == QEvent::FocusIn) {
            m_savedText = m_c.value->text();
        } else if (event->type() == QEvent::FocusOut) {
            // Focus that moves to a message box or another window is not the
            // user leaving the box.
            const auto reason = static_cast<QFocusEvent *>(event)->reason();
            if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
                valueLeft();
        }
    }
    return QDialog::eventFilter(watched, event);
}

void ReportBuild::valueLeft()
{
    if (!m_valuePending)
        return;
    const QuerySteps::ValueCheck check =
        QuerySteps::checkValue(checkedProperty(), mode(), m_c.value->text());
    if (!check.accepted) {
        m_dialogs.critical(this, check.title, check.message);
        m_c.value->setText(m_savedText);
        if (check.keepFocus)
            focusLater(m_c.value);
        return;
    }
    m_valuePending = false;
    m_c.value->setText(check.text);
    append(QuerySteps::valuePiece(mode(), check.text));
    m_c.value->setEnabled(false);
    m_c.create->setEnabled(true);
    // The second query of a cross-referenced report is bound to the choice
    // made before the first one ran; only Restart changes it.
    if (!m_stage) {
        m_c.crossAnd->setEnabled(true);
        m_c.crossOr->setEnabled(true);
    }
    focusLater(m_c.create);
}

void ReportBuild::checkClick(QCheckBox *box, QCheckBox *other, const QString &word)
{
    if (m_inCheckClick)
        return;
    m_inCheckClick = true;
    other->setChecked(false);
    m_c.joinWord->setText(word);
    m_c.create->setText(!m_stage && box->isChecked() ? ContinueBuilding : CreateReport);
    if (!box->isChecked()) {
        m_c.create->setText(CreateReport);
        m_c.joinWord->setText(QString());
    }
    m_inCheckClick = false;
}

void ReportBuild::runQuery()
{
    if (!m_c.create->isEnabled())
        return;
    showStatus(QStringLiteral("Preparing Report"), true);
    Result<ReportList> result =
        QueryEngine::run(m_path, checkedProperty(), mode(), checkedComparison(), m_c.value->text());
    showStatus(QStringLiteral("Ready"), false);
    // The report still shows, with the list empty, as for a query that finds nothing.
    if (!result)
        m_dialogs.ioError(this, errorNumber(result.error()));
    ReportList lines = result ? std::move(*result) : ReportList();

    const bool crossReference = m_c.crossAnd->isChecked() || m_c.crossOr->isChecked();
    const int andOr = m_c.crossAnd->isChecked() ? 1 : 0;
    if (!crossReference) {
        appendReportLines(m_report.queryBLines, std::move(lines));
        m_report.display = ReadyDisplay(m_sentenceA, false, m_kind.kindWord, QString(), 0);
        accept();
    } else if (!m_stage) {
        appendReportLines(m_report.queryALines, std::move(lines));
        m_c.crossAnd->setEnabled(false);
        m_c.crossOr->setEnabled(false);
        ClearAll();
        m_stage = true;
        m_c.create->setText(CreateReport);
        focusLater(m_c.propertyButtons.first().button);
    } else {
        appendReportLines(m_report.queryBLines, std::move(lines));
        m_report.finalNames = Sync(m_report.queryALines, m_report.queryBLines, andOr);
        m_report.display = ReadyDisplay(m_sentenceA, true, m_kind.kindWord, m_sentenceB, andOr);
        accept();
    }
}

void ReportBuild::ClearAll()
{
    m_valuePending = false;
    for (const PropertyButton &p : m_c.propertyButtons)
        clearOption(p.button);
    clearOption(m_c.absolute);
    clearOption(m_c.relative);
    for (const ComparisonButton &c : m_c.comparisonButtons)
        clearOption(c.button);
    m_c.propertyFrame->setEnabled(true);
    m_c.modeFrame->hide();
    m_c.comparisonFrame->hide();
    m_c.value->hide();
    m_c.valueHint->hide();
    m_c.modeFrame->setEnabled(true);
    m_c.comparisonFrame->setEnabled(true);
    m_c.value->setEnabled(true);
    m_c.create->setEnabled(false);
    m_c.value->setText(QStringLiteral("0"));
}

void ReportBuild::restartQuery()
{
    ClearAll();
    m_c.crossAnd->setChecked(false);
    m_c.crossOr->setChecked(false);
    m_c.crossAnd->setEnabled(true);
    m_c.crossOr->setEnabled(true);
    m_sentenceA.clear();
    m_sentenceB.clear();
    m_c.sentenceA->setText(QString());
    m_c.sentenceB->setText(QString());
    m_c.joinWord->setText(QString());
    for (const PropertyButton &p : m_c.propertyButtons)
        p.button->setEnabled(true);
    m_stage = false;
    // Query A's lines of the abandoned report go with it.
    m_report = ReportContent();
    focusLater(m_c.propertyButtons.first().button);
}
