#include "ui/windows/form_spectrum.h"

#include "device/tolm472.h"
#include "ui/dialogs/operator.h"
#include "ui/windows/spectrum_overlays.h"
#include "values/clock.h"
#include "values/descriptions.h"
#include "values/float_format.h"

#include <QAction>
#include <QDir>
#include <QMenu>
#include <QToolBar>

TFormSpectrum::TFormSpectrum(const Ttolm472 &model, const QString &dbPath, QWidget *parent)
    : TArrayChartWindow(openWindow<TFormSpectrum>(), QStringLiteral("FormSpectrum"), QStringLiteral("Спектр"), model,
                        {TGaugeArrays::SpectrumSize, 20, 0}, parent),
      actReferenceSave(new QAction(QStringLiteral("Запомнить как эталон"), this)),
      actReferenceShow(new QAction(QStringLiteral("Показать эталон"), this)), m_dbPath(dbPath)
{
    actReferenceSave->setObjectName(QStringLiteral("actReferenceSave"));
    actReferenceSave->setToolTip(QStringLiteral("Запомнить спектр как эталон для сравнения"));
    actReferenceShow->setObjectName(QStringLiteral("actReferenceShow"));
    actReferenceShow->setCheckable(true);
    actReferenceShow->setEnabled(false);
    connect(actReferenceSave, &QAction::triggered, this, &TFormSpectrum::actReferenceSaveExecute);
    connect(actReferenceShow, &QAction::toggled, this, [this] { Redraw(); });
    QMenu *reference = AddMenu(QStringLiteral("Эталон"));
    reference->addActions({actReferenceSave, actReferenceShow});
    ToolBar()->insertActions(ToolBar()->actions().value(0), {actReferenceSave});
    ToolBar()->insertSeparator(ToolBar()->actions().value(1));

    RestorePosition();
    loadNewestReference();
    FillSpectrum();
}

void TFormSpectrum::FillSpectrum()
{
    m_shownLargest = m_model.Arrays.SpectrumMax();
    SetPoints(DecibelPoints(m_model.Arrays.Spectrum, m_shownLargest));
}

QString TFormSpectrum::ReadoutText(double x, double y) const
{
    const double distance = m_model.Config.KrPer() * (2 * x + 1);
    return QStringLiteral("Спектр[") + FloatToStrF(x, TDescriptionOfDouble::ffNumber, 9, 0) + QStringLiteral("/") +
           FloatToStrF(distance, TDescriptionOfDouble::ffNumber, 10, 1) + QStringLiteral("] = ") +
           FloatToStrF(y, TDescriptionOfDouble::ffNumber, 9, 5);
}

void TFormSpectrum::DrawExtras(QCustomPlot &chart) const
{
    if (m_reference && actReferenceShow->isChecked()) {
        // On the present spectrum's scale, so an echo that got weaker shows
        // as the grey line above the present one; on its own while there is
        // no spectrum. The scale is that of the spectrum shown, not of the
        // model's array, which a read in progress has cleared.
        DrawReference(chart, DecibelPoints(m_reference->Values,
                                           m_shownLargest > 0 ? m_shownLargest : LargestOf(m_reference->Values)));
    }
    DrawBadZones(chart, m_model.BadZones, m_model.Config.CountBadZones(), m_model.Config.KrPer());
    DrawDistanceAxis(chart, m_model.Config.KrPer());
}

void TFormSpectrum::loadNewestReference()
{
    const QString path = NewestSpectrumReference(m_dbPath);
    if (path.isEmpty())
        return;
    TSpectrumReference reference;
    QString error;
    if (!LoadSpectrumReference(path, reference, error)) {
        Operator().Warning(error);
        return;
    }
    m_reference = reference;
    actReferenceShow->setEnabled(true);
    actReferenceShow->setChecked(true);
    showReferenceNote();
}

void TFormSpectrum::actReferenceSaveExecute()
{
    if (!(m_model.Arrays.SpectrumMax() > 0)) {
        ShowStatus(QStringLiteral("Эталон не запомнен: спектр не считан"));
        Operator().Warning(QStringLiteral("Спектр не считан: запоминать нечего"));
        return;
    }
    TSpectrumReference reference;
    reference.Saved = Clock().Now();
    reference.PlantNumber = m_model.Config.PlantNumber();
    reference.KrPer = m_model.Config.KrPer();
    std::copy(m_model.Arrays.Spectrum.begin(), m_model.Arrays.Spectrum.end(), reference.Values.begin());
    // Kept for this session even when the file cannot be written.
    m_reference = reference;
    actReferenceShow->setEnabled(true);
    actReferenceShow->setChecked(true);
    showReferenceNote();
    Redraw();
    QString path, error;
    if (SaveSpectrumReference(m_dbPath, reference, path, error)) {
        ShowStatus(QStringLiteral("Эталон сохранен: ") + QDir::toNativeSeparators(path));
    } else {
        ShowStatus(QStringLiteral("Эталон запомнен только до закрытия окна: файл не записан"));
        Operator().Error(error);
    }
}

void TFormSpectrum::showReferenceNote()
{
    SetNote(QStringLiteral("Эталон: ") + m_reference->Saved.toString(QStringLiteral("dd.MM.yyyy hh:mm:ss")) +
            QStringLiteral(", зав. № ") + QString::number(m_reference->PlantNumber));
}
