#include "ui/dialogs/widget_operator.h"

#include "ui/dialogs/dialog_frame.h"
#include "ui/dialogs/form_compare_parameters.h"
#include "ui/dialogs/form_input_bad_zone.h"
#include "ui/dialogs/form_input_double.h"
#include "ui/dialogs/form_input_index_from_list.h"
#include "ui/dialogs/form_input_integer.h"
#include "ui/dialogs/form_progress_bar.h"
#include "ui/widgets/screen_text.h"

#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>

namespace {

// A dialog that fails in any way answers as if it had been cancelled.
template <typename T, typename Run>
T orInitial(const T &initial, Run &&run)
{
    try {
        return run();
    } catch (...) {
        return initial;
    }
}

QMessageBox::Icon boxIcon(TMessageIcon icon)
{
    switch (icon) {
    case TMessageIcon::Information: return QMessageBox::Information;
    case TMessageIcon::Warning: return QMessageBox::Warning;
    case TMessageIcon::Error: return QMessageBox::Critical;
    case TMessageIcon::Question: return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}

void prepareBox(QMessageBox &box, TMessageIcon icon, const QString &caption, const QString &text)
{
    box.setIcon(boxIcon(icon));
    box.setWindowTitle(caption);
    // Texts from the gauge or a file are never markup.
    box.setTextFormat(Qt::PlainText);
    box.setText(ScreenText(text));
}

} // namespace

TWidgetOperator::~TWidgetOperator()
{
    delete m_progress;
}

void TWidgetOperator::ShowMessage(TMessageIcon icon, const QString &caption, const QString &text)
{
    QMessageBox box;
    prepareBox(box, icon, caption, text);
    box.setStandardButtons(QMessageBox::Ok);
    box.button(QMessageBox::Ok)->setText(QStringLiteral("OK"));
    box.exec();
}

bool TWidgetOperator::AskYesNo(TMessageIcon icon, const QString &caption, const QString &text, bool defaultYes)
{
    return orInitial(false, [&] {
        QMessageBox box;
        prepareBox(box, icon, caption, text);
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.button(QMessageBox::Yes)->setText(QStringLiteral("Да"));
        box.button(QMessageBox::No)->setText(QStringLiteral("Нет"));
        box.setDefaultButton(defaultYes ? QMessageBox::Yes : QMessageBox::No);
        box.setEscapeButton(QMessageBox::No);
        return box.exec() == QMessageBox::Yes;
    });
}

int TWidgetOperator::InputIntegerConfirmed(const QString &title, const QString &label, int value, int max, int min,
                                           bool &confirmed)
{
    confirmed = false;
    return orInitial(value, [&] {
        TFormInputInteger form(title, label, value, max, min);
        confirmed = form.exec() == QDialog::Accepted;
        return form.Result();
    });
}

double TWidgetOperator::InputDouble(const QString &title, const QString &label, int decimals, double max,
                                    double min, double value)
{
    return orInitial(value, [&] {
        TFormInputDouble form(title, label, decimals, max, min, value);
        form.exec();
        return form.Result();
    });
}

int TWidgetOperator::InputIndexFromList(const QString &title, const QString &label, int index,
                                        const QString &listFile)
{
    return orInitial(index, [&] {
        TFormInputIndexFromList form(title, label, index, listFile);
        form.exec();
        return form.Result();
    });
}

QString TWidgetOperator::InputText(const QString &title, const QString &label, const QString &text)
{
    return orInitial(text, [&] {
        QInputDialog box;
        box.setInputMode(QInputDialog::TextInput);
        box.setWindowTitle(title);
        box.setLabelText(label);
        box.setTextValue(text);
        box.setOkButtonText(QStringLiteral("OK"));
        box.setCancelButtonText(QStringLiteral("Отменить"));
        FixAndCentre(box, box.sizeHint());
        return box.exec() == QDialog::Accepted ? box.textValue() : text;
    });
}

bool TWidgetOperator::InputBadZone(TBadZone &zone)
{
    return orInitial(false, [&] {
        TFormInputBadZone form(zone);
        return form.exec() == QDialog::Accepted;
    });
}

void TWidgetOperator::ShowProgress(const QString &text, int step, int total)
{
    showProgress(text, step, total, false);
}

void TWidgetOperator::ShowClosableProgress(const QString &text, int step, int total)
{
    showProgress(text, step, total, true);
}

void TWidgetOperator::showProgress(const QString &text, int step, int total, bool closable)
{
    if (!m_progress) {
        m_progress = new TFormProgressBar(text, total, closable);
        m_progressClosed = false;
        QObject::connect(m_progress, &TFormProgressBar::ClosedByOperator, [this] { m_progressClosed = true; });
    }
    if (m_progressClosed)
        return; // the operator closed it: the operation ends at its next step
    // The procedures run on the runner's worker and hand their progress
    // over: the event loop paints the bar as soon as this returns.
    if (step >= 0)
        m_progress->SetStep(step);
    m_progress->ShowInactive();
}

void TWidgetOperator::CloseProgress()
{
    delete m_progress;
}

QString TWidgetOperator::OpenFileName(const QString &filter, const QString &defaultExtension,
                                      const QString &initialFolder)
{
    return orInitial(QString(), [&] {
        return chooseFile(QFileDialog::AcceptOpen, QStringLiteral("Открыть"), filter, defaultExtension, initialFolder);
    });
}

QString TWidgetOperator::SaveFileName(const QString &filter, const QString &defaultExtension, const QString &suggested)
{
    return orInitial(QString(), [&] {
        return chooseFile(QFileDialog::AcceptSave, QStringLiteral("Сохранить"), filter, defaultExtension, suggested);
    });
}

QString TWidgetOperator::chooseFile(QFileDialog::AcceptMode mode, const QString &verb, const QString &filter,
                                    const QString &defaultExtension, const QString &start)
{
    QFileDialog dialog(nullptr, verb, start, filter);
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    dialog.setDefaultSuffix(defaultExtension);
    dialog.setLabelText(QFileDialog::LookIn, QStringLiteral("Папка:"));
    dialog.setLabelText(QFileDialog::FileName, QStringLiteral("Имя файла:"));
    dialog.setLabelText(QFileDialog::FileType, QStringLiteral("Тип файлов:"));
    dialog.setLabelText(QFileDialog::Accept, verb);
    dialog.setLabelText(QFileDialog::Reject, QStringLiteral("Отменить"));
    if (dialog.exec() != QDialog::Accepted)
        return QString();
    return dialog.selectedFiles().value(0);
}

bool TWidgetOperator::ReviewComparison(const TConfigurationComparison &comparison, const QString &fileName)
{
    return orInitial(false, [&] {
        TFormCompareParameters form(comparison, fileName);
        form.exec();
        return form.WriteRequested();
    });
}
