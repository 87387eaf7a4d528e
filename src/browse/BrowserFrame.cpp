#include "BrowserFrame.h"

#include "datafile/StoredText.h"
#include "ui/AppContext.h"
#include "ui/ArrowImage.h"
#include "ui/Dialogs.h"
#include "ui/EntryBox.h"
#include "ui/MainWindowAccess.h"
#include "ui/WindowSetup.h"

#include <QApplication>
#include <QCheckBox>
#include <QKeyEvent>
#include <QLayout>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>

BrowserFrame::BrowserFrame(AppContext &ctx, QWidget *parent)
    : QDialog(parent), m_ctx(ctx), m_entry(ctx.DataFilePath)
{
}

BrowserFrame::~BrowserFrame()
{
    qApp->removeEventFilter(this);
}

void BrowserFrame::start(BrowserSettings settings, BoxBinding boxes, SaveCheck maySave)
{
    m_settings = std::move(settings);
    m_boxes = std::move(boxes);
    m_maySave = std::move(maySave);
    m_walk = m_settings.walk(m_ctx.DataFilePath);

    m_menu = new QMenuBar(this);
    if (!m_settings.deleteQuestion.isEmpty()) {
        QAction *del = m_menu->addAction(QStringLiteral("&Delete"));
        del->setObjectName(QStringLiteral("mnuDelete"));
        connect(del, &QAction::triggered, this, &BrowserFrame::deleteRecord);
    }
    QAction *search = m_menu->addAction(QStringLiteral("&Search"));
    search->setObjectName(QStringLiteral("mnuSearch"));
    connect(search, &QAction::triggered, this, &BrowserFrame::search);
    layout()->setMenuBar(m_menu);

    using Arrow = MainWindowAccess::Arrow;
    const MainWindowAccess &main = *m_ctx.mainWindow;
    auto *previous = findChild<ArrowImage *>(QStringLiteral("Image2"));
    auto *next = findChild<ArrowImage *>(QStringLiteral("Image1"));
    previous->setPictures(main.arrowPicture(Arrow::Left), main.arrowPicture(Arrow::LeftInverted));
    next->setPictures(main.arrowPicture(Arrow::Right), main.arrowPicture(Arrow::RightInverted));
    connect(next, &ArrowImage::clicked, this, &BrowserFrame::next);
    connect(previous, &ArrowImage::clicked, this, &BrowserFrame::previous);
    connect(findChild<QPushButton *>(QStringLiteral("Command1")), &QPushButton::clicked, this,
            &BrowserFrame::save);

    for (const BrowserField &field : std::as_const(m_settings.fields))
        setupField(field);
    // The function keys work wherever the focus is in the window.
    qApp->installEventFilter(this);
    prepareDialog(this, m_ctx.mainWindow->widget());
    load();
}

QWidget *BrowserFrame::box(const BoxKey &key) const
{
    for (const auto &[bound, widget] : m_boxes)
        if (bound == key)
            return widget;
    Q_ASSERT_X(false, "BrowserFrame", "a box without a control");
    return nullptr;
}

void BrowserFrame::setupField(const BrowserField &field)
{
    auto *edit = qobject_cast<QLineEdit *>(box(field.box));
    if (!edit)
        return;
    EntryBox::selectAllOnFocus(edit);
    if (field.upperCase)
        EntryBox::upperCase(edit);
    if (!field.rule)
        return;
    // Checked boxes hold numbers and amounts.
    EntryBox::keypadDecimalPoint(edit);
    new CheckedBox(
        edit,
        [this, rule = field.rule](QLineEdit *e, const QString &before) {
            const BoxCheck check = rule(e->text(), before, form());
            if (!check.ok)
                return false;
            if (check.ownText)
                e->setText(*check.ownText);
            setForm(check.rewrite);
            return true;
        },
        [this, text = field.rejected](QLineEdit *) {
            critical({QStringLiteral("Error 8778"), text});
        });
}

Form BrowserFrame::form() const
{
    Form texts;
    for (const BrowserField &field : m_settings.fields) {
        QWidget *w = box(field.box);
        if (auto *edit = qobject_cast<QLineEdit *>(w))
            texts.insert(field.box, edit->text());
        else if (auto *notes = qobject_cast<QPlainTextEdit *>(w))
            texts.insert(field.box, notes->toPlainText());
        else if (auto *check = qobject_cast<QCheckBox *>(w))
            texts.insert(field.box, check->isChecked() ? QStringLiteral("1") : QStringLiteral("0"));
    }
    return texts;
}

void BrowserFrame::setForm(const Form &texts)
{
    for (auto it = texts.begin(); it != texts.end(); ++it) {
        QWidget *w = box(it.key());
        if (auto *edit = qobject_cast<QLineEdit *>(w))
            edit->setText(it.value());
        else if (auto *notes = qobject_cast<QPlainTextEdit *>(w))
            notes->setPlainText(it.value());
        else if (auto *check = qobject_cast<QCheckBox *>(w))
            check->setChecked(it.value() == QLatin1String("1"));
    }
}

void BrowserFrame::status(const QString &text)
{
    m_ctx.mainWindow->ShowStatus(text, MainWindowAccess::Lamp::Busy);
}

void BrowserFrame::ready()
{
    m_ctx.mainWindow->ShowStatus(QStringLiteral("Ready"), MainWindowAccess::Lamp::Ready);
}

void BrowserFrame::critical(const BrowserMessage &message)
{
    m_ctx.dialogs->critical(this, message.title, message.text);
}

void BrowserFrame::load()
{
    status(m_settings.opening);
    const Result<RecordWalk::Step> first = m_walk->first();
    if (!first) {
        // Without a record to stand on, a save could overwrite any record.
        m_ctx.dialogs->ioError(this, errorNumber(first.error()));
        m_loadedOk = false;
    } else if (first->outcome == RecordWalk::Outcome::DatabaseFull) {
        critical(m_settings.openFull(m_ctx.DataFilePath));
        m_loadedOk = false;
    } else {
        display(first);
    }
    ready();
}

void BrowserFrame::display(const Result<RecordWalk::Step> &result)
{
    using Outcome = RecordWalk::Outcome;
    if (!result) {
        m_ctx.dialogs->ioError(this, errorNumber(result.error()));
        return;
    }
    switch (result->outcome) {
    case Outcome::Shown:
        m_shown = m_settings.show(result->record);
        m_entry.showing(result->record);
        setForm(m_shown);
        break;
    case Outcome::Blank:
        m_shown = m_settings.blankForm();
        m_entry.showingBlank();
        setForm(m_shown);
        break;
    case Outcome::NoMore:
        critical(m_settings.noMore);
        break;
    case Outcome::AtBeginning:
        critical(m_settings.atBeginning);
        break;
    case Outcome::DatabaseFull:
        critical(m_settings.full(m_ctx.DataFilePath));
        break;
    case Outcome::NoBlankRecord:
        critical(m_settings.noBlankRecord(m_ctx.DataFilePath));
        break;
    case Outcome::Nothing:
        if (!m_settings.markersAreMisses)
            break;
        [[fallthrough]];
    case Outcome::NotFound:
        critical(
            {QStringLiteral("Search Error"), QStringLiteral("No records match search critera")});
        break;
    }
}

void BrowserFrame::next()
{
    status(m_settings.navigating);
    display(m_walk->next());
    ready();
}

void BrowserFrame::previous()
{
    if (m_walk->CurrentRecord <= m_walk->firstRecord()) {
        critical(m_settings.atFirstRecord);
        return;
    }
    status(m_settings.navigating);
    display(m_walk->previous());
    ready();
}

void BrowserFrame::search()
{
    const auto answer = m_ctx.dialogs->inputBox(this, QStringLiteral("Search Criteria"),
                                                m_settings.searchPrompt, QString());
    if (!answer || answer->isEmpty())
        return;
    status(m_settings.searching);
    display(m_walk->search(*answer));
    ready();
}

void BrowserFrame::deleteRecord()
{
    if (m_settings.deleteQuestion.isEmpty() || m_walk->AtEnd)
        return;
    // Deleting an entry changes the data as much as saving it does.
    if (m_maySave && !m_maySave(this))
        return;
    if (!m_ctx.dialogs->askYesNo(this, QStringLiteral("Confirm Delete"), m_settings.deleteQuestion))
        return;
    status(m_settings.deleting);
    const Result<bool> deleted = m_entry.remove(*m_walk);
    if (!deleted)
        m_ctx.dialogs->fileError(
            this, QStringLiteral("A File I/O Error has occured. The record was not deleted."),
            errorNumber(deleted.error()));
    else if (!*deleted)
        changedElsewhere();
    else
        display(m_walk->afterDelete());
    ready();
}

bool BrowserFrame::save()
{
    if (m_maySave && !m_maySave(this))
        return false;
    std::optional<SaveOutcome> out;
    std::optional<QChar> unstorable;
    const auto build = [&](const DataRecord &stored) -> std::optional<DataRecord> {
        out = m_settings.build(form(), m_settings.keepsStoredFields ? stored : DataRecord());
        unstorable = StoredText::firstRefused(out->record);
        if (out->refusal || unstorable)
            return std::nullopt;
        return out->record;
    };
    const Result<ShownEntry::Saved> saved = m_entry.save(*m_walk, build);
    if (saved && *saved == ShownEntry::Saved::ChangedElsewhere) {
        changedElsewhere();
        return false;
    }
    if (out) {
        setForm(out->rewrite);
        if (out->refusal) {
            critical(*out->refusal);
            return false;
        }
        if (unstorable) {
            m_ctx.dialogs->unstorableCharacter(this, *unstorable);
            return false;
        }
    }
    if (!saved && saved.error() == FileError::BadRecordLength) {
        m_ctx.dialogs->recordTooLong(this);
        return false;
    }
    if (!saved) {
        m_ctx.dialogs->fileError(this, m_settings.notSaved, errorNumber(saved.error()));
        return false;
    }
    if (*saved == ShownEntry::Saved::DatabaseFull) {
        critical(m_settings.full(m_ctx.DataFilePath));
        return false;
    }
    // The boxes show what was stored, as leaving them would (a price as money).
    m_shown = m_settings.show(out->record);
    setForm(m_shown);
    m_changed = true;
    return true;
}

void BrowserFrame::changedElsewhere()
{
    critical({QStringLiteral("Record Changed"),
              QStringLiteral("Another till has changed or moved this record since it was shown. "
                             "Nothing was saved or deleted; the window now shows the first "
                             "record. Please find the record again and repeat your change.")});
    display(m_walk->first());
}

bool BrowserFrame::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyPress || !isVisible())
        return false;
    auto *widget = qobject_cast<QWidget *>(watched);
    if (!widget || widget->window() != this)
        return false;
    switch (static_cast<QKeyEvent *>(event)->key()) {
    case Qt::Key_F5:
        previous();
        return true;
    case Qt::Key_F6:
        next();
        return true;
    case Qt::Key_F7:
        save();
        return true;
    case Qt::Key_F8:
        deleteRecord();
        return true;
    case Qt::Key_F9:
        search();
        return true;
    default:
        return false;
    }
}
