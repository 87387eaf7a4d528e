#pragma once

#include "datafile/RecordWalk.h"

#include <QList>
#include <QMap>
#include <QString>

#include <functional>
#include <memory>
#include <optional>
#include <type_traits>
#include <typeindex>

// What a browser window shows and how it behaves, as one table per window:
// the walk, the status and message texts, the boxes with their checks, how a
// record is shown and what Save builds. The window itself only shows and
// forwards.

// A box of a browser window, named by the window's own enum of its boxes
// (ItemBox, CustomerBox, ...); boxes of two enums are never the same box.
class BoxKey
{
public:
    template<typename Box, typename = std::enable_if_t<std::is_enum_v<Box>>>
    BoxKey(Box box) : m_kind(typeid(Box)), m_box(int(box))
    {
    }
    friend bool operator==(const BoxKey &a, const BoxKey &b)
    {
        return a.m_kind == b.m_kind && a.m_box == b.m_box;
    }
    friend bool operator<(const BoxKey &a, const BoxKey &b)
    {
        return a.m_kind != b.m_kind ? a.m_kind < b.m_kind : a.m_box < b.m_box;
    }

private:
    std::type_index m_kind;
    int m_box;
};

// The texts of a window's boxes; a check box reads "1" or "0".
using Form = QMap<BoxKey, QString>;

struct BrowserMessage {
    QString title;
    QString text;
};

// The result of a box's check when the user leaves it: the box's own new text
// (a money box shows its value in the currency format) and new texts of other
// boxes, applied only when the text is accepted.
struct BoxCheck {
    bool ok = false;
    std::optional<QString> ownText;
    Form rewrite;
};
// `text` is the box's text, `before` its text when it got the focus, `form`
// every box of the window.
using BoxRule =
    std::function<BoxCheck(const QString &text, const QString &before, const Form &form)>;

struct BrowserField {
    BoxKey box;
    QString blank;          // its text on the blank form
    BoxRule rule;           // empty: not checked on leaving
    QString rejected;       // the "Error 8778" text
    bool upperCase = false; // typed letters become capitals
};

// What Save does with the boxes: a refusal to show, or the record to write.
// `rewrite` is applied in both cases.
struct SaveOutcome {
    std::optional<BrowserMessage> refusal;
    DataRecord record;
    Form rewrite;
};

struct BrowserSettings {
    std::function<std::unique_ptr<RecordWalk>(const QString &path)> walk;

    // Status texts.
    QString opening;
    QString navigating;
    QString searching;
    QString deleting; // and the delete question; "" when the window deletes nothing
    QString deleteQuestion;

    QString searchPrompt;
    BrowserMessage noMore;        // Next on the blank record
    BrowserMessage atFirstRecord; // Previous on the walk's first record
    BrowserMessage atBeginning;   // Previous that found nothing of the kind before
    // Messages that name the datafile.
    std::function<BrowserMessage(const QString &path)> full;          // Next refused
    std::function<BrowserMessage(const QString &path)> noBlankRecord; // search "*" refused
    std::function<BrowserMessage(const QString &path)> openFull;      // nothing to open on
    // A search for a record marker finds nothing: silently, or with "No records match".
    bool markersAreMisses = false;
    // Save builds on the stored record, keeping the fields the window does not show.
    bool keepsStoredFields = false;
    QString notSaved; // the file error text when the record could not be written

    QList<BrowserField> fields;
    std::function<Form(const DataRecord &)> show;
    std::function<SaveOutcome(const Form &form, const DataRecord &stored)> build;

    // The blank form.
    Form blankForm() const;
};

// The boxes of the three database browsers.
enum class ItemBox { Name, Number, Price, Sold, Stock, Remaining };
enum class CustomerBox { Name, Notes, Balance, Visits, TotalSpent };
enum class CurrencyBox { Name, Symbol, Value, Transactions, Received };

// The three database browsers.
namespace BrowserTables {

extern const QString InputError;
extern const QString
    ValidInput; // "Please ensure that you have entered valid input in all the boxes."

BrowserSettings items();
BrowserSettings customers();
BrowserSettings currencies();

// "Please ensure that the '<box>' box contains valid input."
QString rejectedText(const QString &box);
// "The current database is full. ..." naming the datafile.
BrowserMessage databaseFull(const QString &path);
// "The current database is full, and there are no <what> to display. ..."
BrowserMessage nothingToDisplay(const QString &path, const QString &what);

} // namespace BrowserTables
