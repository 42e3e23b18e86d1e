#pragma once
// The main window's command set as named actions. Each action has a
// caption, a hint that names the command to the operator, a handler, and a
// logical Enabled / Visible / Checked state kept here. The QActions that
// menus and tool bars show are only its look: a hidden action has no menu
// item and no button, but still runs when code executes it by name (Qt
// disables an invisible QAction, so its state cannot be the truth).
//
// A disabled action does nothing, however it is started: from a menu, the
// tool bar, another window or another action.
//
// A name that is not an action does nothing either. It is a fault of the
// table or the code that used it: it is logged as an error and kept in
// UnknownNames(), which the tests check.
//
// User-interface thread only.

#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>

#include <functional>
#include <map>

class QAction;

class TActionDispatcher : public QObject
{
    Q_OBJECT
public:
    using THandler = std::function<void()>;

    // The QActions are children of `owner`, so its short-cut context and
    // lifetime apply to them.
    explicit TActionDispatcher(QObject *owner);

    // A new action, enabled, visible and unchecked; its QAction carries the
    // name as objectName, the caption as text and the hint as tool tip and
    // status tip. A name that exists already keeps its first definition.
    QAction *Add(const QString &name, const QString &caption, const QString &hint, THandler handler);
    bool Has(const QString &name) const;
    QStringList Names() const;

    // True when the action exists; reports a name that is not.
    bool Require(const QString &name);
    QStringList UnknownNames() const { return m_unknown; }

    // The action's own QAction (tool bar, and menus that show its caption).
    QAction *Action(const QString &name) const;
    // A further QAction of the same action for a menu item that reads
    // differently (an empty caption or hint takes the action's), or that
    // stays hidden whatever the action's state. Nullptr for an unknown name.
    QAction *Item(const QString &name, const QString &caption = QString(), const QString &hint = QString(),
                  bool alwaysHidden = false);

    QString Caption(const QString &name) const;
    QString Hint(const QString &name) const;

    // Runs the handler when the action exists and is enabled; false when it
    // did not run. Visibility does not matter.
    bool Execute(const QString &name);

    bool IsEnabled(const QString &name) const;
    void SetEnabled(const QString &name, bool enabled);
    bool IsVisible(const QString &name) const;
    void SetVisible(const QString &name, bool visible);
    bool IsChecked(const QString &name) const;
    // Makes the action's items checkable and shows or clears their mark.
    void SetChecked(const QString &name, bool checked);

    // Handlers running now (a command and the commands it executes).
    int Running() const { return m_running; }

private:
    struct TItem {
        QPointer<QAction> action;
        bool alwaysHidden = false;
    };
    struct TEntry {
        QString caption;
        QString hint;
        THandler handler;
        bool enabled = true;
        bool visible = true;
        bool checked = false;
        bool checkable = false;
        QList<TItem> items;
    };

    QAction *makeItem(const QString &name, TEntry &entry, const QString &caption, const QString &hint,
                      bool alwaysHidden);
    void applyLook(TEntry &entry);
    TEntry *find(const QString &name);
    const TEntry *find(const QString &name) const;
    // find, reporting an unknown name.
    TEntry *required(const QString &name);

    QObject *m_owner;
    std::map<QString, TEntry> m_entries;
    QStringList m_order;
    QStringList m_unknown;
    int m_running = 0;
};
