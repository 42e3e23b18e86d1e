// The gauge register with 100,000 records in the bench's file (5,000 plant
// numbers, 20 records each, a 1 KB document each, ten minutes apart): a
// search by plant number on an open file and with the opening that every
// search of the window and of tolm-cli does, and the window "Журнал
// приборов" opened on a plant number until its list is filled (offscreen).

#include "app/app_context.h"
#include "register/register_place.h"
#include "register/register_store.h"
#include "ui/windows/form_register.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>

namespace {

constexpr int Records = 100000;
constexpr int Plants = 5000;

struct TFilledRegister {
    TFilledRegister()
    {
        SetAppContext(TAppContext(folder.path(), folder.path()));
        place = RegisterPlace(folder.path(), folder.filePath(QStringLiteral("DATA")));
        TRegisterRecord first;
        QString error;
        if (!AddToRegister(place, first, error))
            qFatal("%s", qPrintable(error));
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("fill"));
        db.setDatabaseName(place.LocalFile);
        db.open();
        QSqlQuery(db).exec(QStringLiteral(
            "WITH RECURSIVE n(i) AS (SELECT 2 UNION ALL SELECT i + 1 FROM n WHERE i < %1) "
            "INSERT INTO register_record (record_key, bench, bench_seq, plant, kind, model, hard_version, "
            "soft_version, program_type, user_name, program_version, time_utc, utc_offset, passed, summary, details, "
            "document_name, document) "
            "SELECT 'key-' || i, 'Стенд 1', i, i % %2, "
            "CASE i % 4 WHEN 0 THEN 'testrun' WHEN 1 THEN 'calibration' WHEN 2 THEN 'configuration' ELSE 'bundle' END, "
            "'ТОЛМ471И', 3, 2, 11, 'engineer', '0.2.0', "
            "strftime('%Y-%m-%dT%H:%M:%fZ', '2024-01-01', '+' || (i * 600) || ' seconds'), 10800, 1, "
            "'годен', '{\"points\":[]}', 'doc.pdf', randomblob(1000) FROM n")
                              .arg(Records)
                              .arg(Plants));
        db.close();
        db = QSqlDatabase();
        QSqlDatabase::removeDatabase(QStringLiteral("fill"));
    }
    ~TFilledRegister() { SetAppContext(TAppContext()); }
    QTemporaryDir folder;
    TRegisterPlace place;
};

TFilledRegister &filled()
{
    static TFilledRegister every;
    return every;
}

TRegisterFilter plantFilter(int n)
{
    TRegisterFilter filter;
    filter.Plant = (n * 7919) % Plants;
    return filter;
}

void BM_SearchByPlant(benchmark::State &state)
{
    TRegisterStore store;
    QString error;
    store.OpenLocal(filled().place.LocalFile, error);
    int n = 0;
    for (auto _ : state) {
        const QList<TRegisterRecord> found = store.Find(plantFilter(++n), error);
        if (found.size() != Records / Plants)
            state.SkipWithError("a plant number's records not found");
        benchmark::DoNotOptimize(found);
    }
}
BENCHMARK(BM_SearchByPlant)->Unit(benchmark::kMillisecond);

void BM_SearchByPlantWithOpening(benchmark::State &state)
{
    int n = 0;
    for (auto _ : state) {
        TRegisterStore store;
        QString error;
        store.OpenLocal(filled().place.LocalFile, error);
        const QList<TRegisterRecord> found = store.Find(plantFilter(++n), error);
        if (found.size() != Records / Plants)
            state.SkipWithError("a plant number's records not found");
    }
}
BENCHMARK(BM_SearchByPlantWithOpening)->Unit(benchmark::kMillisecond);

void BM_RegisterWindowOpens(benchmark::State &state)
{
    int n = 0;
    for (auto _ : state) {
        TFormRegister::ShowRegister(filled().place, nullptr, *plantFilter(++n).Plant, {});
        TFormRegister *window = TFormRegister::Instance();
        QElapsedTimer waited;
        waited.start();
        while (window->Busy() && waited.elapsed() < 10000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
        QCoreApplication::processEvents(); // laid out and painted
        if (window->Records().size() != Records / Plants)
            state.SkipWithError("the window did not list the plant number's records");
        state.PauseTiming();
        delete window;
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        state.ResumeTiming();
    }
}
BENCHMARK(BM_RegisterWindowOpens)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    filled();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
