#pragma once

#include "data/fb/firebird.h"

#include <map>
#include <memory>
#include <string>
#include <string_view>

namespace talvoro::data {

// The catalogue's statements on one connection, each prepared on first use and reused.
class InstrucoesPreparadas
{
public:
    explicit InstrucoesPreparadas(fb::Conexao& conexao)
        : m_conexao(conexao)
    {}
    // The statement of that name; throws std::out_of_range for a name not in the catalogue.
    fb::Instrucao& operator()(std::string_view nome);
    void limpar() { m_instrucoes.clear(); }

private:
    fb::Conexao& m_conexao;
    std::map<std::string, std::unique_ptr<fb::Instrucao>, std::less<>> m_instrucoes;
};

} // namespace talvoro::data
