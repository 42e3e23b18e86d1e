// The menu bar and the tool bar of the main window, laid out from the menu
// tables. An entry whose name is no action is left out (and reported), and
// so are separators it would leave at the start, at the end or next to
// each other.
#include "ui/main/form_main.h"

#include "ui/main/action_dispatcher.h"
#include "ui/main/action_tables.h"

#include <QMenu>
#include <QMenuBar>
#include <QToolBar>

namespace {

// The QActions of a menu's entries, with nullptr for a separator that is
// worth showing.
QList<QAction *> itemsOf(TActionDispatcher &actions, std::span<const TMenuEntry> entries)
{
    QList<QAction *> items;
    bool separatorDue = false;
    for (const TMenuEntry &entry : entries) {
        if (!entry.Name) {
            separatorDue = !items.isEmpty();
            continue;
        }
        const QString name = QString::fromUtf8(entry.Name);
        if (!actions.Require(name))
            continue;
        QAction *item = nullptr;
        if (entry.Caption || entry.Hint || entry.Hidden)
            item = actions.Item(name, QString::fromUtf8(entry.Caption), QString::fromUtf8(entry.Hint), entry.Hidden);
        else
            item = actions.Action(name);
        if (separatorDue)
            items.append(nullptr);
        separatorDue = false;
        items.append(item);
    }
    return items;
}

} // namespace

void TFormMain::createMenus()
{
    for (const TMenu &menu : MainMenus()) {
        const QList<QAction *> items = itemsOf(*m_actions, menu.Entries);
        if (items.isEmpty())
            continue;
        QMenu *bar = menuBar()->addMenu(QString::fromUtf8(menu.Title));
        for (QAction *item : items) {
            if (item)
                bar->addAction(item);
            else
                bar->addSeparator();
        }
    }

    bool firstRow = true;
    for (const TMenu &row : MainToolBars()) {
        const QList<QAction *> items = itemsOf(*m_actions, row.Entries);
        if (items.isEmpty())
            continue;
        if (!firstRow)
            addToolBarBreak();
        firstRow = false;
        QToolBar *tools = addToolBar(QString::fromUtf8(row.Title));
        tools->setObjectName(QString::fromUtf8(row.Title));
        tools->setMovable(false);
        tools->setFloatable(false);
        tools->setToolButtonStyle(Qt::ToolButtonTextOnly);
        for (QAction *item : items) {
            if (item)
                tools->addAction(item);
            else
                tools->addSeparator();
        }
    }
    // Only the menus and the tool bars: the window is as high as they are.
    resize(sizeHint().width(), minimumSizeHint().height());
}

void TFormMain::tidyToolBarSeparators()
{
    // A tool bar, unlike a menu, shows two separators side by side where
    // the buttons between them are hidden (the factory's group of array
    // reads in normal mode): a separator shows only between two visible
    // buttons.
    for (QToolBar *tools : findChildren<QToolBar *>(QString(), Qt::FindDirectChildrenOnly)) {
        QAction *pending = nullptr;
        bool buttonSince = false;
        for (QAction *item : tools->actions()) {
            if (item->isSeparator()) {
                item->setVisible(false);
                if (buttonSince)
                    pending = item;
                buttonSince = false;
            } else if (item->isVisible()) {
                if (pending)
                    pending->setVisible(true);
                pending = nullptr;
                buttonSince = true;
            }
        }
    }
}
