#pragma once
// "Журнал приборов": the gauge register of the bench, or of the factory's
// server when one is set and answers. A search by plant number, days and
// kind; the records newest first; the record's details; "Открыть протокол"
// (the stored document in the system's viewer); "Сравнить с прибором" (the
// gauge on the line against a stored configuration, in the comparison
// table of the program); and the outbox: how many records wait for the
// server and why.
//
// The searches and loads run in a pool thread (a server may take its
// time-out to answer); their results come back to the window queued.
// User-interface thread only.

#include "register/register_place.h"
#include "register/register_record.h"
#include "register/register_store.h"
#include "ui/windows/single_window.h"

#include <QList>
#include <QString>
#include <QTemporaryDir>
#include <QThreadPool>

#include <functional>

class QCheckBox;
class QComboBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTableWidget;
class TRegisterOutbox;

class TFormRegister final : public TSingleWindow
{
    Q_OBJECT

public:
    // Compares the gauge with the configuration file at the path; false
    // when no procedure could start.
    using TCompare = std::function<bool(const QString &path)>;

    // Opens on the plant number given (a search for it at once; none below 0).
    TFormRegister(const TRegisterPlace &place, TRegisterOutbox *outbox, int plant, TCompare compare,
                  QWidget *parent = nullptr);
    ~TFormRegister() override;

    static int ShowRegister(const TRegisterPlace &place, TRegisterOutbox *outbox, int plant, TCompare compare);
    static TFormRegister *Instance() { return TSingleWindow::Instance<TFormRegister>(); }

    // The search of the fields, in the pool thread.
    void Search();
    TRegisterFilter Filter() const;
    // The records shown, newest first.
    const QList<TRegisterRecord> &Records() const { return m_records; }
    QTableWidget *List() const { return m_list; }
    QString Details() const;
    QString OutboxText() const;
    // Searches and loads under way.
    bool Busy() const { return m_pending > 0; }

signals:
    // A search's records are in the list.
    void Searched();
    // A record's document is in the file at `path` (a temporary one).
    void DocumentReady(const QString &path);

private:
    void buildLayout();
    void showRecords(const QList<TRegisterRecord> &records, const QString &note, const QString &error);
    void showDetails();
    void showOutbox();
    const TRegisterRecord *selected() const;
    // Loads the selected record with its document in the pool thread, then
    // `use` with the document's file.
    void withDocument(std::function<void(const QString &path)> use);
    void openProtocol();
    void compareWithGauge();

    const TRegisterPlace m_place;
    TRegisterOutbox *m_outbox;
    TCompare m_compare;
    QList<TRegisterRecord> m_records;
    bool m_fromServer = false;
    int m_pending = 0;
    QTemporaryDir m_scratch; // where loaded documents are put; removed with the window
    // One search or load at a time; the window waits for it when it goes.
    QThreadPool m_pool;

    QLineEdit *m_plant = nullptr;
    QCheckBox *m_period = nullptr;
    QDateEdit *m_from = nullptr;
    QDateEdit *m_to = nullptr;
    QComboBox *m_kind = nullptr;
    QTableWidget *m_list = nullptr;
    QPlainTextEdit *m_details = nullptr;
    QPushButton *m_open = nullptr;
    QPushButton *m_compareButton = nullptr;
    QLabel *m_source = nullptr;
    QLabel *m_outboxLabel = nullptr;
};
