#pragma once
// The operator's commands to the gauge with retries: a command goes out up
// to a given number of times until the gauge answers it, with the retry
// shown as progress ("Повтор команды " and the command's hint) and a
// failure reported as "Не выполнена команда" with the hint on the next line.
//
// An attempt succeeds when the exchange brought an answer that is not the
// gauge's error answer and that the parser took: an answer with a wrong
// checksum, too short, or to another command counts as a failed attempt
// and is sent again, rather than passing for a successful read that leaves
// the model's old value in place, or for a write the gauge never confirmed.
//
// Every command is made into a request when it is started, from the model
// in the user-interface thread, and keeps that request through its retries:
// a value the model takes meanwhile does not change what goes out. The
// answers are parsed in the thread of the exchange and read here directly.
//
// Runs in the user-interface thread or on the procedure runner's worker:
// every touch of the model goes to the user-interface thread, and the
// operator it is given must be one that may be called from the thread it
// runs in.

#include <QString>

#include <atomic>
#include <functional>
#include <utility>

#include "device/gauge_answer.h"

class TOperator;
class TRequestCycle;
class TUiHandOver;
class Ttolm472;

class TCommandSender
{
public:
    static constexpr int Attempts = 5; // what every command of the program passes

    // With `stop`: once it is set, no exchange goes out any more (each one
    // fails at once) and no command is tried again.
    TCommandSender(TRequestCycle &cycle, Ttolm472 &model, TUiHandOver &handOver, TOperator &op,
                   const std::atomic<bool> *stop = nullptr);

    TRequestCycle &Cycle() const { return m_cycle; }
    Ttolm472 &Model() const { return m_model; }
    TOperator &Op() const { return m_op; }
    // The procedure is asked to end (the program is closing).
    bool Stopped() const { return m_stop && *m_stop; }

    // The request of `code` with the values the model holds now.
    TGaugeRequest Request(int code);
    // One exchange of `code`, no retry and no message: true when the gauge
    // answered and the parser took the answer, which `answer` receives when
    // given.
    bool Exchange(int code, TGaugeAnswer *answer = nullptr);
    // True once the program is ending: a procedure sends nothing more.
    bool Ending() const;
    // Runs `work` on the model in the user-interface thread and returns
    // when it is done; false when it did not run (the program is ending).
    bool OnModel(const std::function<void(Ttolm472 &)> &work);
    // What `ask` finds in the model, asked in the user-interface thread; a
    // value-initialised answer when it could not be asked.
    template <typename Ask>
    auto FromModel(Ask ask) -> decltype(ask(std::declval<const Ttolm472 &>()))
    {
        decltype(ask(std::declval<const Ttolm472 &>())) answer{};
        OnModel([&](const Ttolm472 &model) { answer = ask(model); });
        return answer;
    }
    // Up to `attempts` exchanges of `code`, showing "Повтор команды " + hint
    // at attempt n of `attempts`; the progress is closed at the end. No
    // pause between attempts besides the exchange's own time-outs.
    // The accepted answer goes to `answer` when given.
    bool SendCommandWithRetries(int code, const QString &hint, int attempts, TGaugeAnswer *answer = nullptr);
    // Up to `attempts` exchanges of `code` until one is accepted, whose
    // answer `answer` receives when given; no progress and no message.
    bool ExchangeQuietly(int code, int attempts, TGaugeAnswer *answer = nullptr);
    // Up to `attempts` exchanges of DataBlockRead for the 1-based `block`;
    // no progress of its own and no message.
    bool ReadBlockWithRetries(int block, int attempts);
    // "Не выполнена команда\r" + hint, as a warning.
    void ReportFailure(const QString &hint);

private:
    TRequestCycle &m_cycle;
    Ttolm472 &m_model;
    TUiHandOver &m_handOver;
    TOperator &m_op;
    const std::atomic<bool> *m_stop;
    bool attempt(const TGaugeRequest &request, TGaugeAnswer *answer);
};

// The failure text of a command: "Не выполнена команда\r" + hint.
QString FailureText(const QString &hint);
