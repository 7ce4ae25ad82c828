#include "valor.h"

#include "base/datahora.h"

namespace talvoro::fb {

namespace {

template <class... Ts>
struct Sobrecarga : Ts...
{
    using Ts::operator()...;
};

} // namespace

int64_t Valor::toInt() const
{
    return std::visit(
        Sobrecarga{[](std::monostate) -> int64_t { return 0; }, [](int64_t v) { return v; },
                   [](Money v) { return v.raw() / Money::Scale; },
                   [](double v) { return static_cast<int64_t>(v); },
                   [](const QString& v) -> int64_t {
                       bool ok = false;
                       const qlonglong n = v.trimmed().toLongLong(&ok);
                       if (!ok)
                           throw Erro("'" + v.toStdString() + "' is not a valid integer value");
                       return n;
                   },
                   [](const QDateTime&) -> int64_t {
                       throw Erro("a date-time value cannot be read as an integer");
                   }},
        m_v);
}

Money Valor::toMoney() const
{
    return std::visit(
        Sobrecarga{[](std::monostate) { return Money(); },
                   [](int64_t v) { return Money::fromUnits(v); }, [](Money v) { return v; },
                   [](double v) { return Money::fromDouble(v); },
                   [](const QString& v) {
                       const auto m = Money::parse(v);
                       if (!m)
                           throw Erro("'" + v.toStdString() + "' is not a valid decimal value");
                       return *m;
                   },
                   [](const QDateTime&) -> Money {
                       throw Erro("a date-time value cannot be read as a decimal");
                   }},
        m_v);
}

double Valor::toDouble() const
{
    return std::visit(Sobrecarga{[](std::monostate) { return 0.0; },
                                 [](int64_t v) { return double(v); },
                                 [](Money v) { return v.toDouble(); }, [](double v) { return v; },
                                 [](const QString& v) {
                                     bool ok = false;
                                     const double d = v.trimmed().toDouble(&ok);
                                     if (!ok)
                                         throw Erro("'" + v.toStdString() +
                                                    "' is not a valid floating-point value");
                                     return d;
                                 },
                                 [](const QDateTime&) -> double {
                                     throw Erro("a date-time value cannot be read as a number");
                                 }},
                      m_v);
}

QString Valor::toString() const
{
    return std::visit(Sobrecarga{[](std::monostate) { return QString(); },
                                 [](int64_t v) { return QString::number(v); },
                                 [](Money v) { return v.toPlainString(); },
                                 [](double v) { return QString::number(v, 'g', 17); },
                                 [](const QString& v) { return v; },
                                 [](const QDateTime& v) {
                                     return formatDataHora(QStringLiteral("dd/mm/yyyy hh:nn:ss"),
                                                           v);
                                 }},
                      m_v);
}

QDateTime Valor::toDateTime() const
{
    if (const auto* dt = std::get_if<QDateTime>(&m_v))
        return *dt;
    if (isNull())
        return {};
    if (const auto* s = std::get_if<QString>(&m_v)) {
        if (auto lido = lerDataHora(*s))
            return *lido;
        if (auto iso = isoParaUtc(*s))
            return *iso;
        throw Erro("'" + s->toStdString() + "' is not a valid date-time value");
    }
    throw Erro("a number cannot be read as a date-time");
}

int Linha::indice(QStringView coluna) const
{
    for (size_t i = 0; i < m_colunas->size(); ++i) {
        if (QStringView((*m_colunas)[i]).compare(coluna, Qt::CaseInsensitive) == 0)
            return int(i);
    }
    return -1;
}

const Valor& Linha::operator[](QStringView coluna) const
{
    const int i = indice(coluna);
    if (i < 0)
        throw Erro("Field '" + coluna.toString().toStdString() + "' not found");
    return m_valores[size_t(i)];
}

const Linha& Resultado::primeira() const
{
    if (linhas.empty())
        throw Erro("the statement returned no row");
    return linhas.front();
}

} // namespace talvoro::fb
