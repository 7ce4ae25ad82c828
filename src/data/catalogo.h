#pragma once

#include <span>
#include <string_view>

namespace talvoro::data {

struct InstrucaoNomeada
{
    std::string_view nome;
    std::string_view sql;
};

// Every named statement of the data module, keyed by its _qry name, plus the two accesses of
// the polling table ("Tb_POLLING.Localiza", "Tb_POLLING.Insere"). Parameters are written
// :name; a name may occur more than once.
std::span<const InstrucaoNomeada> catalogo();

// The text of a named statement; throws std::out_of_range for an unknown name.
std::string_view sqlDe(std::string_view nome);

} // namespace talvoro::data
