#include "util.h"

#include <cctype>
#include <cstdio>

namespace talvoro::sim::util {

using namespace std::chrono;

Instante agora()
{
    return time_point_cast<milliseconds>(system_clock::now());
}

std::string formatarIso8601(Instante t)
{
    const auto dia = floor<days>(t);
    const year_month_day ymd{dia};
    const hh_mm_ss hms{t - dia};
    char texto[40];
    std::snprintf(texto, sizeof texto, "%04d-%02u-%02uT%02d:%02d:%02d.%03dZ", int(ymd.year()),
                  unsigned(ymd.month()), unsigned(ymd.day()), int(hms.hours().count()),
                  int(hms.minutes().count()), int(hms.seconds().count()),
                  int(hms.subseconds().count()));
    return texto;
}

namespace {

bool lerNumero(std::string_view t, std::size_t& pos, std::size_t digitos, int& valor)
{
    if (pos + digitos > t.size())
        return false;
    valor = 0;
    for (std::size_t i = 0; i < digitos; ++i) {
        const char c = t[pos + i];
        if (c < '0' || c > '9')
            return false;
        valor = valor * 10 + (c - '0');
    }
    pos += digitos;
    return true;
}

bool esperar(std::string_view t, std::size_t& pos, char c)
{
    if (pos >= t.size() || t[pos] != c)
        return false;
    ++pos;
    return true;
}

} // namespace

std::optional<Instante> lerIso8601(std::string_view t)
{
    std::size_t p = 0;
    int ano, mes, dia, hora, minuto, segundo;
    if (!lerNumero(t, p, 4, ano) || !esperar(t, p, '-') || !lerNumero(t, p, 2, mes) ||
        !esperar(t, p, '-') || !lerNumero(t, p, 2, dia) || !esperar(t, p, 'T') ||
        !lerNumero(t, p, 2, hora) || !esperar(t, p, ':') || !lerNumero(t, p, 2, minuto) ||
        !esperar(t, p, ':') || !lerNumero(t, p, 2, segundo))
        return std::nullopt;
    int milis = 0;
    if (p < t.size() && t[p] == '.') {
        ++p;
        int casas = 0;
        while (p < t.size() && std::isdigit(static_cast<unsigned char>(t[p]))) {
            if (casas < 3)
                milis = milis * 10 + (t[p] - '0');
            ++casas;
            ++p;
        }
        if (casas == 0)
            return std::nullopt;
        for (; casas < 3; ++casas)
            milis *= 10;
    }
    int deslocamento = 0; // minutes east of UTC
    if (p < t.size()) {
        if (t[p] == 'Z') {
            ++p;
        } else if (t[p] == '+' || t[p] == '-') {
            const int sinal = t[p] == '-' ? -1 : 1;
            ++p;
            int hh, mm;
            if (!lerNumero(t, p, 2, hh))
                return std::nullopt;
            if (p < t.size() && t[p] == ':')
                ++p;
            if (!lerNumero(t, p, 2, mm) || hh > 23 || mm > 59)
                return std::nullopt;
            deslocamento = sinal * (hh * 60 + mm);
        } else {
            return std::nullopt;
        }
    }
    if (p != t.size())
        return std::nullopt;
    const year_month_day ymd{year{ano}, month{unsigned(mes)}, day{unsigned(dia)}};
    if (!ymd.ok() || hora > 23 || minuto > 59 || segundo > 59)
        return std::nullopt;
    return Instante{sys_days{ymd}} + hours{hora} + minutes{minuto} + seconds{segundo} +
           milliseconds{milis} - minutes{deslocamento};
}

namespace {

int valorHex(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

std::string decodificar(std::string_view t)
{
    std::string r;
    r.reserve(t.size());
    for (std::size_t i = 0; i < t.size(); ++i) {
        if (t[i] == '+') {
            r += ' ';
        } else if (t[i] == '%' && i + 2 < t.size() && valorHex(t[i + 1]) >= 0 &&
                   valorHex(t[i + 2]) >= 0) {
            r += static_cast<char>(valorHex(t[i + 1]) * 16 + valorHex(t[i + 2]));
            i += 2;
        } else {
            r += t[i];
        }
    }
    return r;
}

} // namespace

std::vector<std::pair<std::string, std::string>> lerFormulario(std::string_view corpo)
{
    std::vector<std::pair<std::string, std::string>> campos;
    while (!corpo.empty()) {
        const auto fim = corpo.find('&');
        const auto par = corpo.substr(0, fim);
        corpo = fim == std::string_view::npos ? std::string_view{} : corpo.substr(fim + 1);
        if (par.empty())
            continue;
        const auto igual = par.find('=');
        if (igual == std::string_view::npos)
            campos.emplace_back(decodificar(par), std::string{});
        else
            campos.emplace_back(decodificar(par.substr(0, igual)),
                                decodificar(par.substr(igual + 1)));
    }
    return campos;
}

std::string valorFormulario(const std::vector<std::pair<std::string, std::string>>& campos,
                            std::string_view nome)
{
    for (const auto& [n, v] : campos)
        if (n == nome)
            return v;
    return {};
}

bool casaPadrao(std::string_view padrao, std::string_view texto)
{
    std::size_t p = 0, t = 0, estrela = std::string_view::npos, marca = 0;
    while (t < texto.size()) {
        if (p < padrao.size() && padrao[p] == '*') {
            estrela = p++;
            marca = t;
        } else if (p < padrao.size() && padrao[p] == texto[t]) {
            ++p;
            ++t;
        } else if (estrela != std::string_view::npos) {
            p = estrela + 1;
            t = ++marca;
        } else {
            return false;
        }
    }
    while (p < padrao.size() && padrao[p] == '*')
        ++p;
    return p == padrao.size();
}

bool iguaisSemCaixa(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) !=
            std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

bool contemSemCaixa(std::string_view texto, std::string_view trecho)
{
    if (trecho.size() > texto.size())
        return false;
    for (std::size_t i = 0; i + trecho.size() <= texto.size(); ++i)
        if (iguaisSemCaixa(texto.substr(i, trecho.size()), trecho))
            return true;
    return false;
}

std::string uuid(std::mt19937_64& rng)
{
    std::uniform_int_distribution<int> byte(0, 255);
    unsigned char b[16];
    for (auto& x : b)
        x = static_cast<unsigned char>(byte(rng));
    b[6] = static_cast<unsigned char>((b[6] & 0x0f) | 0x40);
    b[8] = static_cast<unsigned char>((b[8] & 0x3f) | 0x80);
    char texto[37];
    std::snprintf(texto, sizeof texto,
                  "%02x%02x%02x%02x-%02x%02x-%02x%02x-%02x%02x-%02x%02x%02x%02x%02x%02x", b[0],
                  b[1], b[2], b[3], b[4], b[5], b[6], b[7], b[8], b[9], b[10], b[11], b[12], b[13],
                  b[14], b[15]);
    return texto;
}

std::string textoAleatorio(std::mt19937_64& rng, std::size_t tamanho, std::string_view alfabeto)
{
    std::uniform_int_distribution<std::size_t> indice(0, alfabeto.size() - 1);
    std::string r(tamanho, ' ');
    for (auto& c : r)
        c = alfabeto[indice(rng)];
    return r;
}

} // namespace talvoro::sim::util
