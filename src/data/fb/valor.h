#pragma once

#include "base/money.h"

#include <QDateTime>
#include <QString>

#include <cstdint>
#include <memory>
#include <stdexcept>
#include <variant>
#include <vector>

namespace talvoro::fb {

// An error raised by the engine (or by this layer), with the engine's own message text.
class Erro : public std::runtime_error
{
public:
    Erro(const std::string& mensagem, long codigo = 0, std::string sqlState = {})
        : std::runtime_error(mensagem)
        , m_codigo(codigo)
        , m_sqlState(std::move(sqlState))
    {}
    long codigo() const { return m_codigo; }
    const std::string& sqlState() const { return m_sqlState; }

private:
    long m_codigo;
    std::string m_sqlState;
};

// One parameter or column value. Texts are UTF-8 inside the program; the layer converts them
// from and to the database's Windows-1252. Date-times are zone-less (base/datahora.h).
class Valor
{
public:
    Valor() = default;
    Valor(std::nullptr_t) {}
    Valor(int v)
        : m_v(int64_t(v))
    {}
    Valor(int64_t v)
        : m_v(v)
    {}
    Valor(Money v)
        : m_v(v)
    {}
    Valor(double v)
        : m_v(v)
    {}
    Valor(QString v)
        : m_v(std::move(v))
    {}
    Valor(const char*) = delete; // say QStringLiteral, so the encoding is never a guess
    Valor(QDateTime v)
        : m_v(std::move(v))
    {}

    bool isNull() const { return std::holds_alternative<std::monostate>(m_v); }
    bool isInt() const { return std::holds_alternative<int64_t>(m_v); }
    bool isMoney() const { return std::holds_alternative<Money>(m_v); }
    bool isDouble() const { return std::holds_alternative<double>(m_v); }
    bool isText() const { return std::holds_alternative<QString>(m_v); }
    bool isDateTime() const { return std::holds_alternative<QDateTime>(m_v); }

    // Conversions as a data-aware field would do them; null gives 0, "" or an invalid
    // date-time. A text that is not a number raises Erro.
    int64_t toInt() const;
    Money toMoney() const;
    double toDouble() const;
    QString toString() const;
    QDateTime toDateTime() const;

    const auto& variante() const { return m_v; }

private:
    std::variant<std::monostate, int64_t, Money, double, QString, QDateTime> m_v;
};

// A fetched row. Column lookup by name ignores letter case, as the engine does.
class Linha
{
public:
    Linha(std::shared_ptr<const std::vector<QString>> colunas, std::vector<Valor> valores)
        : m_colunas(std::move(colunas))
        , m_valores(std::move(valores))
    {}
    const Valor& operator[](QStringView coluna) const;
    const Valor& at(size_t i) const { return m_valores.at(i); }
    bool tem(QStringView coluna) const { return indice(coluna) >= 0; }
    size_t tamanho() const { return m_valores.size(); }
    const std::vector<QString>& colunas() const { return *m_colunas; }

private:
    int indice(QStringView coluna) const;
    std::shared_ptr<const std::vector<QString>> m_colunas;
    std::vector<Valor> m_valores;
};

// All rows of one execution, read before its transaction ended.
struct Resultado
{
    std::shared_ptr<const std::vector<QString>> colunas;
    std::vector<Linha> linhas;

    bool vazio() const { return linhas.empty(); }
    size_t tamanho() const { return linhas.size(); }
    const Linha& primeira() const;
};

} // namespace talvoro::fb
