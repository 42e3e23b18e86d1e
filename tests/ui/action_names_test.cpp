// Action names tie the main window's tables and the other windows
// together: each one that is used must be an action of the main window,
// and a name that is not is reported, not skipped.

#include "form_main_bench.h"

#include "device/parameter_table.h"
#include "ui/main/action_tables.h"
#include "ui/windows/form_tolm472i.h"
#include "ui/main/parameter_actions.h"

#include <QLabel>
#include <QTest>

namespace {

using ActionNames = FormMainBench;

QStringList namesIn(std::span<const TMenu> menus)
{
    QStringList names;
    for (const TMenu &menu : menus)
        for (const TMenuEntry &entry : menu.Entries)
            if (entry.Name)
                names.append(QString::fromLatin1(entry.Name));
    return names;
}

TEST_F(ActionNames, EveryNameTheTablesUseIsAnAction)
{
    Start({QStringLiteral("/full")});
    QStringList used = namesIn(MainMenus()) + namesIn(MainToolBars()) + PollingLockedActions() + FullModeActions() +
                       ExtendedActions();
    for (const TParameter &p : ParameterTable())
        used << ChangeActionName(p) << ReadActionName(p) << WriteActionName(p);
    used.removeAll(QString());
    ASSERT_GT(used.size(), 200);

    for (const QString &name : std::as_const(used))
        EXPECT_TRUE(Actions().Has(name)) << name.toStdString();

    // Every composite command of the gauge has its action, once.
    QList<TProcedureId> named;
    for (const TProcedureActionName &row : ProcedureActionNames())
        named.append(row.Id);
    for (int id = 0; id < int(TProcedureId::Count); ++id)
        EXPECT_EQ(named.count(TProcedureId(id)), 1) << "procedure " << id;
}

TEST_F(ActionNames, TheReadingsWindowsGraphLinksNameActions)
{
    Start({QStringLiteral("/full")}); // every link shown
    QWidget *readings = TFormTolm472I::Instance();
    ASSERT_NE(readings, nullptr);
    int links = 0;
    for (QLabel *icon : readings->findChildren<QLabel *>())
        if (icon->objectName().startsWith(QLatin1String("img"))) {
            QTest::mouseClick(icon, Qt::LeftButton);
            ++links;
        }
    EXPECT_EQ(links, 5);
    // The fixture's tear-down checks that no name was unknown.
}

TEST_F(ActionNames, AnUnknownNameIsReportedOnce)
{
    Start();
    TActionDispatcher &actions = Actions();
    EXPECT_FALSE(actions.Execute(QStringLiteral("actHmaxReed")));
    actions.SetVisible(QStringLiteral("actHmaxReed"), false);
    actions.SetEnabled(QStringLiteral("actNoSuchThing"), false);
    EXPECT_EQ(actions.UnknownNames(), (QStringList{QStringLiteral("actHmaxReed"), QStringLiteral("actNoSuchThing")}));
    form.reset(); // the faults were made on purpose
}

} // namespace
