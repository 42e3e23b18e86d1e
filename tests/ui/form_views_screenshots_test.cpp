// Pictures of the readings, communication and poll-selection windows while
// the simulated gauge is polled, in normal and full mode. Made only when
// TOLM_SCREENSHOT_DIR names the folder for them (docs/screenshots).

#include "support/exchange_code.h"
#include "form_views_bench.h"

#include "protocol/command_codes.h"

#include <QCheckBox>
#include <QDir>

namespace {

class ViewsScreenshots : public ViewsBench
{
protected:
    void SetUp() override
    {
        m_folder = qEnvironmentVariable("TOLM_SCREENSHOT_DIR");
        if (m_folder.isEmpty())
            GTEST_SKIP() << "TOLM_SCREENSHOT_DIR not set";
        QDir().mkpath(m_folder);
    }

    // Opens the three windows as the main window does, polls a few passes
    // with the given selection, refreshes the windows and saves them.
    void Shoot(const QString &suffix, bool fullMode)
    {
        SetFullMode(fullMode);
        ASSERT_EQ(TFormTolm472I::ShowTolm472I(model, services), 0);
        ASSERT_EQ(TFormReqAns::ShowReqAns(line, cycle), 0);
        ASSERT_EQ(TFormSelectCMD::ShowSelectCmd(cycle), 0);
        TFormSelectCMD &select = *TFormSelectCMD::Instance();
        select.chbTemp->setChecked(true);
        if (fullMode) {
            select.chbSelectAll->setChecked(true);
            SetGaugeStatus(11); // a status to colour the readings
        }
        // Full mode: the meter first, then the gauge, whose status colours the
        // readings.
        RunPasses(fullMode ? 2 : 3);
        if (fullMode) { // the operator reads the level once more: its answer carries the status
            ASSERT_EQ(ExchangeCode(cycle, model, LevelRead), 0);
        }
        for (TView *view : std::initializer_list<TView *>{&select, TFormTolm472I::Instance(), TFormReqAns::Instance()})
            view->UpdateView();
        Save(*TFormTolm472I::Instance(), QStringLiteral("form_tolm472i") + suffix);
        Save(*TFormReqAns::Instance(), QStringLiteral("form_req_ans") + suffix);
        Save(select, QStringLiteral("form_select_cmd") + suffix);
    }

    void Save(QWidget &window, const QString &name)
    {
        QCoreApplication::processEvents();
        const QString file = QDir(m_folder).filePath(name + QStringLiteral(".png"));
        EXPECT_TRUE(window.grab().save(file)) << file.toStdString();
    }

private:
    QString m_folder;
};

} // namespace

TEST_F(ViewsScreenshots, NormalMode)
{
    Shoot(QString(), false);
}

TEST_F(ViewsScreenshots, FullMode)
{
    Shoot(QStringLiteral("_full"), true);
}
