#pragma once

#include <string>
#include <vector>

namespace talvoro::data {

// Kept in the table versao_esquema so that a later program can tell which changes a
// database still needs.
inline constexpr int kVersaoEsquema = 1;

// Statements that build a new, empty BancoDados.fdb, in order: exceptions, generators,
// tables, indexes, triggers, procedures and the seed rows. Each element is one statement
// without parameters, to be executed on its own and committed. Plain ASCII throughout, so the
// text means the same whatever the connection's character set.
const std::vector<std::string>& ddlEsquema();

} // namespace talvoro::data
