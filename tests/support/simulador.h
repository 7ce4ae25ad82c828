#pragma once

#include <QByteArray>
#include <QString>

#include <chrono>
#include <functional>

namespace talvoro::teste {

// Points TALVORO_IFOOD_API at an address while the object lives.
class HostIFoodTeste
{
public:
    explicit HostIFoodTeste(const QString& url);
    ~HostIFoodTeste();
    HostIFoodTeste(const HostIFoodTeste&) = delete;
    HostIFoodTeste& operator=(const HostIFoodTeste&) = delete;

private:
    QByteArray m_anterior;
    bool m_tinha;
};

// A loopback port on which nothing listens.
int portaFechada();
QString urlPortaFechada();

// Runs the event loop until the condition holds or the deadline passes; returns the
// condition's last value. The deadline is generous: it only stops a test that hangs.
bool esperarAte(const std::function<bool()>& condicao,
                std::chrono::milliseconds limite = std::chrono::seconds(20));

} // namespace talvoro::teste
