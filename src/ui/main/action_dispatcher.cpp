#include "ui/main/action_dispatcher.h"

#include <QAction>
#include <QDebug>

TActionDispatcher::TActionDispatcher(QObject *owner) : QObject(owner), m_owner(owner) {}

QAction *TActionDispatcher::Add(const QString &name, const QString &caption, const QString &hint, THandler handler)
{
    if (TEntry *existing = find(name))
        return existing->items.value(0).action;
    TEntry &entry = m_entries[name];
    entry.caption = caption;
    entry.hint = hint;
    entry.handler = std::move(handler);
    m_order.append(name);
    return makeItem(name, entry, QString(), QString(), false);
}

bool TActionDispatcher::Has(const QString &name) const
{
    return find(name) != nullptr;
}

QStringList TActionDispatcher::Names() const
{
    return m_order;
}

bool TActionDispatcher::Require(const QString &name)
{
    return required(name) != nullptr;
}

QAction *TActionDispatcher::Action(const QString &name) const
{
    const TEntry *entry = find(name);
    return entry ? entry->items.value(0).action.data() : nullptr;
}

QAction *TActionDispatcher::Item(const QString &name, const QString &caption, const QString &hint,
                                 bool alwaysHidden)
{
    TEntry *entry = required(name);
    return entry ? makeItem(name, *entry, caption, hint, alwaysHidden) : nullptr;
}

QString TActionDispatcher::Caption(const QString &name) const
{
    const TEntry *entry = find(name);
    return entry ? entry->caption : QString();
}

QString TActionDispatcher::Hint(const QString &name) const
{
    const TEntry *entry = find(name);
    return entry ? entry->hint : QString();
}

bool TActionDispatcher::Execute(const QString &name)
{
    TEntry *entry = required(name);
    if (!entry || !entry->enabled || !entry->handler)
        return false;
    // The handler is copied: an action may be redefined or the entry map
    // touched by what the handler runs.
    const THandler handler = entry->handler;
    ++m_running;
    handler();
    --m_running;
    return true;
}

bool TActionDispatcher::IsEnabled(const QString &name) const
{
    const TEntry *entry = find(name);
    return entry && entry->enabled;
}

void TActionDispatcher::SetEnabled(const QString &name, bool enabled)
{
    if (TEntry *entry = required(name); entry && entry->enabled != enabled) {
        entry->enabled = enabled;
        applyLook(*entry);
    }
}

bool TActionDispatcher::IsVisible(const QString &name) const
{
    const TEntry *entry = find(name);
    return entry && entry->visible;
}

void TActionDispatcher::SetVisible(const QString &name, bool visible)
{
    if (TEntry *entry = required(name); entry && entry->visible != visible) {
        entry->visible = visible;
        applyLook(*entry);
    }
}

bool TActionDispatcher::IsChecked(const QString &name) const
{
    const TEntry *entry = find(name);
    return entry && entry->checked;
}

void TActionDispatcher::SetChecked(const QString &name, bool checked)
{
    if (TEntry *entry = required(name)) {
        entry->checked = checked;
        entry->checkable = true;
        applyLook(*entry);
    }
}

QAction *TActionDispatcher::makeItem(const QString &name, TEntry &entry, const QString &caption,
                                     const QString &hint, bool alwaysHidden)
{
    auto *action = new QAction(m_owner);
    action->setObjectName(entry.items.isEmpty() ? name : name + QStringLiteral("Item"));
    action->setText(caption.isEmpty() ? entry.caption : caption);
    // A tool button shows the caption as it is, trailing blank included
    // (Qt would trim it).
    action->setIconText(action->text());
    const QString tip = hint.isEmpty() ? entry.hint : hint;
    action->setToolTip(tip);
    action->setStatusTip(tip);
    connect(action, &QAction::triggered, this, [this, name] { Execute(name); });
    entry.items.append({action, alwaysHidden});
    applyLook(entry);
    return action;
}

void TActionDispatcher::applyLook(TEntry &entry)
{
    for (const TItem &item : std::as_const(entry.items)) {
        if (!item.action)
            continue;
        item.action->setCheckable(entry.checkable);
        item.action->setChecked(entry.checked);
        item.action->setVisible(entry.visible && !item.alwaysHidden);
        item.action->setEnabled(entry.enabled);
    }
}

TActionDispatcher::TEntry *TActionDispatcher::find(const QString &name)
{
    const auto it = m_entries.find(name);
    return it == m_entries.end() ? nullptr : &it->second;
}

const TActionDispatcher::TEntry *TActionDispatcher::find(const QString &name) const
{
    const auto it = m_entries.find(name);
    return it == m_entries.end() ? nullptr : &it->second;
}

TActionDispatcher::TEntry *TActionDispatcher::required(const QString &name)
{
    TEntry *entry = find(name);
    if (!entry && !m_unknown.contains(name)) {
        m_unknown.append(name);
        qCritical("No action named %s", qPrintable(name));
    }
    return entry;
}
