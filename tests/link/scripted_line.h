#pragma once
// A line for request-cycle tests: records every frame with its transmit
// mode and the parameter set applied before it, and answers from a script
// (by default the simulated gauge and meter, without line timing).

#include "link/line.h"
#include "sim/sim_line.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <functional>
#include <mutex>

class ScriptedLine : public TLine
{
public:
    struct Sent {
        TTransmitMode mode;
        QByteArray frame;
        QString section; // of the parameter set applied before it
    };
    using Script = std::function<QByteArray(TTransmitMode mode, const QByteArray &frame)>;

    ScriptedLine() : m_sim(simConfig())
    {
        m_script = [this](TTransmitMode mode, const QByteArray &frame) {
            return m_sim.answer(frame, mode == TTransmitMode::NoParity).bytes();
        };
    }

    void ApplyParameters(const TPortParameters &set) override
    {
        std::lock_guard lock(m_mutex);
        m_section = set.Section;
    }
    void setScript(Script script)
    {
        std::lock_guard lock(m_mutex);
        m_script = std::move(script);
    }
    QList<Sent> sent() const
    {
        std::lock_guard lock(m_mutex);
        return m_sent;
    }
    void clearSent()
    {
        std::lock_guard lock(m_mutex);
        m_sent.clear();
    }
    TSimLine &sim() { return m_sim; }
    // A closed port: nothing goes out, nothing is recorded.
    void setClosed(bool closed)
    {
        std::lock_guard lock(m_mutex);
        m_closed = closed;
    }

protected:
    std::optional<QByteArray> Exchange(TTransmitMode mode, const QByteArray &frame, int) override
    {
        std::lock_guard lock(m_mutex);
        if (m_closed)
            return std::nullopt;
        m_sent.append({mode, frame, m_section});
        return m_script(mode, frame);
    }

private:
    static TSimLineConfig simConfig()
    {
        TSimLineConfig config;
        config.gauge.parameters.systemAddress = 255;
        return config;
    }

    mutable std::mutex m_mutex;
    TSimLine m_sim;
    Script m_script;
    QString m_section;
    QList<Sent> m_sent;
    bool m_closed = false;
};
