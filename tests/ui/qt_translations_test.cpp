// Qt's own dialogs speak Russian inside the program whatever the
// workstation's language: the tests run under the C locale.

#include "ui/main/qt_translations.h"

#include "support/gui_application.h"

#include <QAbstractButton>
#include <QAction>
#include <QFileDialog>
#include <QHeaderView>
#include <QLabel>
#include <QListView>
#include <QLocale>
#include <QPrintPreviewDialog>
#include <QRegularExpression>

namespace {

using QtTranslations = GuiTest;

// Every caption, tool tip and column heading a person reads in `window`.
QStringList textsOf(QWidget &window)
{
    QStringList texts{window.windowTitle()};
    for (QAbstractButton *button : window.findChildren<QAbstractButton *>())
        texts << button->text() << button->toolTip();
    for (QLabel *label : window.findChildren<QLabel *>())
        texts << label->text();
    for (QAction *action : window.findChildren<QAction *>())
        texts << action->text() << action->toolTip();
    for (QHeaderView *header : window.findChildren<QHeaderView *>())
        if (header->model())
            for (int section = 0; section < header->count(); ++section)
                texts << header->model()->headerData(section, header->orientation()).toString();
    for (QListView *list : window.findChildren<QListView *>())
        if (list->model())
            for (int row = 0; row < list->model()->rowCount(list->rootIndex()); ++row)
                texts << list->model()->index(row, 0, list->rootIndex()).data().toString();
    for (QString &text : texts)
        text.remove(QLatin1Char('&'));
    texts.removeAll(QString());
    return texts;
}

// The English texts Qt shows in these two dialogs when untranslated.
QStringList englishIn(const QStringList &texts)
{
    static const QRegularExpression english(QStringLiteral(
        "^(Computer|Name|Size|Type|Date Modified|Kind|Open|Save|Cancel|Look in:|File name:|Files of type:|Back|"
        "Forward|Parent Directory|Create New Folder|List View|Detail View|Print|Print Preview|Page setup|Next page|"
        "Previous page|First page|Last page|Zoom in|Zoom out|Fit width|Fit page|Portrait|Landscape|"
        "Show single page|Show facing pages|Show overview of all pages|Export to PDF)$"));
    QStringList found;
    for (const QString &text : texts)
        if (english.match(text.trimmed()).hasMatch())
            found.append(text);
    return found;
}

TEST_F(QtTranslations, FileDialogAndPrintPreviewShowNoEnglishCaption)
{
    // As on a machine whose language is not Russian: the translations do
    // not follow the locale.
    QLocale::setDefault(QLocale::c());
    {
        QFileDialog untranslated;
        untranslated.setOption(QFileDialog::DontUseNativeDialog);
        ASSERT_FALSE(englishIn(textsOf(untranslated)).isEmpty()) << "the check would see English";
    }
    ASSERT_TRUE(InstallQtTranslations(*qApp));

    QFileDialog files;
    files.setOption(QFileDialog::DontUseNativeDialog);
    files.show();
    const QStringList fileTexts = textsOf(files);
    EXPECT_TRUE(fileTexts.contains(QStringLiteral("Имя"))) << fileTexts.join('|').toStdString();
    EXPECT_EQ(englishIn(fileTexts), QStringList());

    QPrintPreviewDialog preview;
    preview.show();
    const QStringList previewTexts = textsOf(preview);
    EXPECT_GT(previewTexts.size(), 10);
    EXPECT_EQ(englishIn(previewTexts), QStringList());
}

} // namespace
