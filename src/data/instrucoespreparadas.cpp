#include "instrucoespreparadas.h"

#include "data/catalogo.h"

namespace talvoro::data {

fb::Instrucao& InstrucoesPreparadas::operator()(std::string_view nome)
{
    auto it = m_instrucoes.find(nome);
    if (it == m_instrucoes.end()) {
        auto instrucao = std::make_unique<fb::Instrucao>(m_conexao, std::string(sqlDe(nome)));
        it = m_instrucoes.emplace(std::string(nome), std::move(instrucao)).first;
    }
    return *it->second;
}

} // namespace talvoro::data
