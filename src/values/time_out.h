#pragma once
// Time stamp of an observable value: the moment of its last set.

#include "values/date_time.h"

class TTimeOut
{
public:
    TTimeOut() : m_timeStamp(NowDateTime()) {}
    void SetTimeStamp(TDateTime value) { m_timeStamp = value; }
    TDateTime GetTimeStamp() const { return m_timeStamp; }

private:
    TDateTime m_timeStamp;
};
