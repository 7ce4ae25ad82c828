#pragma once

#include <QByteArray>
#include <QtGlobal>

#include <ctime>

namespace talvoro::teste {

// The machine's time zone for the length of a test (e.g. "America/Sao_Paulo", where iFood's
// UTC times and the operator's clock differ by three hours).
class FusoHorario
{
public:
    explicit FusoHorario(const char* tz)
        : m_tinha(qEnvironmentVariableIsSet("TZ"))
        , m_anterior(qgetenv("TZ"))
    {
        qputenv("TZ", tz);
        tzset();
    }
    ~FusoHorario()
    {
        if (m_tinha)
            qputenv("TZ", m_anterior);
        else
            qunsetenv("TZ");
        tzset();
    }
    FusoHorario(const FusoHorario&) = delete;
    FusoHorario& operator=(const FusoHorario&) = delete;

private:
    bool m_tinha;
    QByteArray m_anterior;
};

} // namespace talvoro::teste
