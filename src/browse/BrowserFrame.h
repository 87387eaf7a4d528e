#pragma once

#include "BrowserSettings.h"

#include "datafile/ShownEntry.h"

#include <QDialog>

#include <functional>
#include <memory>
#include <optional>

struct AppContext;
class QMenuBar;

// The frame every browser window is built on: one record at a time, the
// arrow pictures and F5 previous, F6 next, F7 save, F8 delete, F9 search
// wherever the focus is in the window, the "Delete" and "Search" menus, the
// checks of the entry boxes and the status texts. What is shown and saved,
// and every text, come from the window's BrowserSettings.
//
// The window's form names its controls as the browsers do: the arrows Image2
// (previous) and Image1 (next) and the save button Command1. The window binds
// the boxes of the settings' fields (line edits, a plain text edit for notes,
// check boxes) to its controls.
class BrowserFrame : public QDialog
{
    Q_OBJECT

public:
    // Asks whether the cashier on duty may save or delete here; shows "Access
    // Denied" when not.
    using SaveCheck = std::function<bool(QWidget *window)>;
    // Each box of the settings' fields and the control that shows it.
    using BoxBinding = QList<std::pair<BoxKey, QWidget *>>;

    explicit BrowserFrame(AppContext &ctx, QWidget *parent = nullptr);
    ~BrowserFrame() override;

    // Once the form is set up: connects the controls, sizes and centres the
    // window, and shows the first record.
    void start(BrowserSettings settings, BoxBinding boxes, SaveCheck maySave = {});

    // False when the window could not open (a full datafile with nothing of its
    // kind, a datafile that cannot be read).
    bool loadedOk() const { return m_loadedOk; }
    // True once a record has been saved.
    bool changed() const { return m_changed; }

    RecordWalk &walk() { return *m_walk; }
    const RecordWalk &walk() const { return *m_walk; }

    void next();     // Image1, F6
    void previous(); // Image2, F5
    // Command1, F7; true when the record was written.
    virtual bool save();
    void deleteRecord(); // mnuDelete, F8
    void search();       // mnuSearch, F9

    // Every box of the settings' fields.
    Form form() const;
    void setForm(const Form &texts);
    // The boxes as the last record (or the blank form) was shown, before any edit.
    const Form &shownForm() const { return m_shown; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

    void status(const QString &text);
    void ready();
    void critical(const BrowserMessage &message);

    AppContext &m_ctx;

private:
    void load();
    // Shows a walk's record, blank form or message.
    void display(const Result<RecordWalk::Step> &result);
    void setupField(const BrowserField &field);
    // Says that the record shown is no longer in the datafile as shown.
    void changedElsewhere();
    QWidget *box(const BoxKey &key) const;

    BrowserSettings m_settings;
    BoxBinding m_boxes;
    SaveCheck m_maySave;
    std::unique_ptr<RecordWalk> m_walk;
    Form m_shown;
    ShownEntry m_entry;
    QMenuBar *m_menu = nullptr;
    bool m_loadedOk = true;
    bool m_changed = false;
};
