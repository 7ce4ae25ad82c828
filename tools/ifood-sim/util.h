#pragma once

// Small text helpers of the simulator: ISO 8601 instants, form bodies, path patterns and
// random identifiers.

#include <chrono>
#include <optional>
#include <random>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace talvoro::sim::util {

using Instante = std::chrono::sys_time<std::chrono::milliseconds>;

Instante agora();
// yyyy-mm-ddThh:mm:ss.zzzZ
std::string formatarIso8601(Instante t);
// yyyy-mm-ddThh:mm:ss with optional fraction and an optional "Z" or +hh:mm / -hh:mm / +hhmm
// designator (no designator = UTC). Empty when the text is not such an instant.
std::optional<Instante> lerIso8601(std::string_view texto);

// application/x-www-form-urlencoded body as name/value pairs, in order, decoded.
std::vector<std::pair<std::string, std::string>> lerFormulario(std::string_view corpo);
std::string valorFormulario(const std::vector<std::pair<std::string, std::string>>& campos,
                            std::string_view nome);

// "*" in the pattern stands for any run of characters (empty included).
bool casaPadrao(std::string_view padrao, std::string_view texto);

bool iguaisSemCaixa(std::string_view a, std::string_view b);
bool contemSemCaixa(std::string_view texto, std::string_view trecho);

std::string uuid(std::mt19937_64& rng);
std::string textoAleatorio(std::mt19937_64& rng, std::size_t tamanho, std::string_view alfabeto);

} // namespace talvoro::sim::util
