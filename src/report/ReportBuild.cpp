#include "ReportBuild.h"

#include "QueryEngine.h"
#include "QuerySteps.h"
#include "ui/Dialogs.h"
#include "ui/EntryBox.h"
#include "ui/WindowSetup.h"
#include "ui_ReportBuild.h"

#include <QFocusEvent>
#include <QTimer>

using namespace QueryCode;

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

} // namespace

ReportBuild::ReportBuild(ReportKind kind, const QString &datafilePath, Dialogs &dialogs,
                         QWidget *parent)
    : QDialog(parent), m_kind(queryKind(kind)), m_path(datafilePath), m_dialogs(dialogs),
      ui(std::make_unique<Ui::ReportBuild>())
{
    ui->setupUi(this);
    setObjectName(m_kind.window);
    setWindowTitle(m_kind.caption);

    QList<QRadioButton *> offered;
    for (const QueryProperty &p : m_kind.properties) {
        auto *button = ui->Frame1->findChild<QRadioButton *>(p.button);
        button->setText(p.caption);
        connect(button, &QRadioButton::clicked, this,
                [this, code = p.code] { propertyClick(code); });
        m_properties.append(button);
    }
    // The buttons of the other kinds' properties are not part of this window.
    for (QRadioButton *button : ui->Frame1->findChildren<QRadioButton *>())
        if (!m_properties.contains(button))
            delete button;

    connect(ui->optAbsolute, &QRadioButton::clicked, this, [this] { modeClick(Absolute); });
    connect(ui->optRelitive, &QRadioButton::clicked, this, [this] { modeClick(Relative); });
    m_comparisons = {ui->Option1, ui->Option2, ui->Option3, ui->Option4, ui->Option5};
    for (int i = 0; i < m_comparisons.size(); ++i) {
        m_comparisons[i]->setText(QuerySteps::comparisonCaption(Absolute, i + 1));
        connect(m_comparisons[i], &QRadioButton::clicked, this,
                [this, i] { comparisonClick(i + 1); });
    }
    connect(ui->Check1, &QCheckBox::toggled, this,
            [this] { checkClick(ui->Check1, ui->Check2, QStringLiteral("AND")); });
    connect(ui->Check2, &QCheckBox::toggled, this,
            [this] { checkClick(ui->Check2, ui->Check1, QStringLiteral("OR")); });
    connect(ui->Command1, &QPushButton::clicked, this, &ReportBuild::Command1_Click);
    connect(ui->Command2, &QPushButton::clicked, this, &ReportBuild::Command2_Click);

    EntryBox::selectAllOnFocus(ui->Text1);
    ui->Text1->installEventFilter(this);

    QFont large = ui->Label1->font();
    large.setPointSizeF(13.5);
    for (QLabel *label : {ui->Label1, ui->Label2, ui->Label3})
        label->setFont(large);
    // Room for a sentence of two lines, so the window does not grow as it is written.
    const int lines = QFontMetrics(large).lineSpacing();
    ui->Label1->setMinimumHeight(2 * lines + 4);
    ui->Label2->setMinimumHeight(2 * lines + 4);
    ui->Label3->setMinimumHeight(lines);
    for (QWidget *w : {static_cast<QWidget *>(ui->Frame2), static_cast<QWidget *>(ui->Frame3),
                       static_cast<QWidget *>(ui->Text1), static_cast<QWidget *>(ui->Label4)})
        keepPlaceWhenHidden(w);
    for (QRadioButton *b : {ui->Option3, ui->Option4, ui->Option5})
        keepPlaceWhenHidden(b);

    m_currentLine = ui->Label1;
    ui->Frame2->hide();
    ui->Frame3->hide();
    ui->Text1->hide();
    ui->Label4->hide();
    ui->Command1->setEnabled(false);
    ui->Check1->setEnabled(false);
    ui->Check2->setEnabled(false);

    prepareDialog(this, parent ? parent->window() : nullptr);
    // The sentence lines take the width the steps need and wrap within it.
    ui->Label1->setMinimumWidth(ui->Frame4->sizeHint().width());
    m_properties.first()->setFocus();
}

ReportBuild::~ReportBuild() = default;

void ReportBuild::append(const QString &piece)
{
    m_currentLine->setText(m_currentLine->text() + piece);
    // A sentence longer than the room kept for it makes the window taller
    // rather than losing its end.
    const int needed = m_currentLine->heightForWidth(m_currentLine->width());
    if (needed > m_currentLine->height()) {
        m_currentLine->setMinimumHeight(needed);
        setFixedHeight(height() + needed - m_currentLine->height());
    }
}

void ReportBuild::showStatus(const QString &text, bool busy)
{
    if (m_status)
        m_status(text, busy);
}

int ReportBuild::checkedCode(const QList<QRadioButton *> &buttons) const
{
    for (int i = 0; i < buttons.size(); ++i)
        if (buttons[i]->isChecked())
            return i + 1;
    return 0;
}

int ReportBuild::mode() const
{
    return ui->optRelitive->isChecked() ? Relative : Absolute;
}

void ReportBuild::propertyClick(int code)
{
    append(m_kind.property(code)->sentence);
    ui->Frame1->setEnabled(false);
    ui->Frame2->show();
    const QString text = QuerySteps::propertyValueText(m_kind.kind, code);
    if (!text.isNull())
        ui->Text1->setText(text);
    focusLater(ui->optAbsolute);
}

void ReportBuild::modeClick(int mode)
{
    append(QuerySteps::modePiece(mode));
    ui->Frame2->setEnabled(false);
    for (int i = 0; i < m_comparisons.size(); ++i) {
        const QString caption = QuerySteps::comparisonCaption(mode, i + 1);
        if (!caption.isEmpty())
            m_comparisons[i]->setText(caption);
        m_comparisons[i]->setVisible(!caption.isEmpty());
    }
    if (mode == Relative) {
        ui->Frame3->setTitle(QString());
        ui->Text1->setText(QStringLiteral("0"));
    } else {
        ui->Frame3->setTitle(QStringLiteral("value:"));
    }
    ui->Frame3->show();
    focusLater(ui->Option1);
}

void ReportBuild::comparisonClick(int comparison)
{
    append(QuerySteps::comparisonPiece(mode(), comparison));
    ui->Frame3->setEnabled(false);
    ui->Text1->show();
    ui->Label4->show();
    m_valuePending = true;
    focusLater(ui->Text1);
}

bool ReportBuild::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == ui->Text1) {
        if (event->type() == QEvent::FocusIn) {
            m_savedText = ui->Text1->text();
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
    const int property = checkedCode(m_properties);
    const QuerySteps::ValueCheck check = QuerySteps::checkValue(
        m_kind.kind, m_kind.properties.value(property - 1).code, mode(), ui->Text1->text());
    if (!check.accepted) {
        m_dialogs.critical(this, check.title, check.message);
        ui->Text1->setText(m_savedText);
        if (check.keepFocus)
            focusLater(ui->Text1);
        return;
    }
    m_valuePending = false;
    ui->Text1->setText(check.text);
    append(QuerySteps::valuePiece(mode(), check.text));
    ui->Text1->setEnabled(false);
    ui->Command1->setEnabled(true);
    // The second query of a cross-referenced report is bound to the choice
    // made before the first one ran; only Restart changes it.
    if (!m_stage) {
        ui->Check1->setEnabled(true);
        ui->Check2->setEnabled(true);
    }
    focusLater(ui->Command1);
}

void ReportBuild::checkClick(QCheckBox *box, QCheckBox *other, const QString &word)
{
    if (m_inCheckClick)
        return;
    m_inCheckClick = true;
    other->setChecked(false);
    ui->Label3->setText(word);
    ui->Command1->setText(!m_stage && box->isChecked() ? ContinueBuilding : CreateReport);
    if (!box->isChecked()) {
        ui->Command1->setText(CreateReport);
        ui->Label3->setText(QString());
    }
    m_inCheckClick = false;
}

void ReportBuild::Command1_Click()
{
    if (!ui->Command1->isEnabled())
        return;
    showStatus(QStringLiteral("Preparing Report"), true);
    const int property = checkedCode(m_properties);
    const Result<ReportList> result =
        QueryEngine::run(m_path, m_kind.kind, m_kind.properties.value(property - 1).code, mode(),
                         checkedCode(m_comparisons), ui->Text1->text());
    showStatus(QStringLiteral("Ready"), false);
    // The report still shows, with the list empty, as for a query that finds nothing.
    if (!result)
        m_dialogs.ioError(this, errorNumber(result.error()));
    const ReportList lines = result.valueOr({});

    const bool crossReference = ui->Check1->isChecked() || ui->Check2->isChecked();
    const int andOr = ui->Check1->isChecked() ? 1 : 0;
    if (!crossReference) {
        appendReportLines(m_report.List2, lines);
        m_report.display = ReadyDisplay(ui->Label1->text(), false, m_kind.kindWord, QString(), 0);
        accept();
    } else if (!m_stage) {
        appendReportLines(m_report.List1, lines);
        m_currentLine = ui->Label2;
        ui->Check1->setEnabled(false);
        ui->Check2->setEnabled(false);
        ClearAll();
        m_stage = true;
        ui->Command1->setText(CreateReport);
        focusLater(m_properties.first());
    } else {
        appendReportLines(m_report.List2, lines);
        m_report.List3 = Sync(m_report.List1, m_report.List2, andOr);
        m_report.display =
            ReadyDisplay(ui->Label1->text(), true, m_kind.kindWord, ui->Label2->text(), andOr);
        accept();
    }
}

void ReportBuild::ClearAll()
{
    m_valuePending = false;
    for (QRadioButton *b : m_properties)
        clearOption(b);
    clearOption(ui->optAbsolute);
    clearOption(ui->optRelitive);
    for (QRadioButton *b : m_comparisons)
        clearOption(b);
    ui->Frame1->setEnabled(true);
    ui->Frame2->hide();
    ui->Frame3->hide();
    ui->Text1->hide();
    ui->Label4->hide();
    ui->Frame2->setEnabled(true);
    ui->Frame3->setEnabled(true);
    ui->Text1->setEnabled(true);
    ui->Command1->setEnabled(false);
    ui->Text1->setText(QStringLiteral("0"));
}

void ReportBuild::Command2_Click()
{
    ClearAll();
    ui->Check1->setChecked(false);
    ui->Check2->setChecked(false);
    ui->Check1->setEnabled(true);
    ui->Check2->setEnabled(true);
    ui->Label1->setText(QString());
    ui->Label2->setText(QString());
    ui->Label3->setText(QString());
    for (QRadioButton *b : m_properties)
        b->setEnabled(true);
    m_currentLine = ui->Label1;
    m_stage = false;
    // Query A's lines of the abandoned report go with it.
    m_report = ReportContent();
    focusLater(m_properties.first());
}
