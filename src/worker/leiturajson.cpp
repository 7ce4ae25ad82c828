#include "importacao_passos.h"

#include <stdexcept>

namespace talvoro {

namespace json {

namespace {

const Json* membro(const Json& pai, const char* nome)
{
    if (!pai.is_object())
        return nullptr;
    const auto it = pai.find(nome);
    return it == pai.end() ? nullptr : &*it;
}

[[noreturn]] void ausente(const char* nome, const char* caminho)
{
    throw std::runtime_error(std::string("Membro obrigatório '") + (caminho ? caminho : nome) +
                             "' ausente ou de outro tipo");
}

QString textoDe(const Json& v)
{
    if (v.is_string())
        return QString::fromStdString(v.get_ref<const std::string&>());
    return QString::fromStdString(v.dump(-1, ' ', false, Json::error_handler_t::replace));
}

} // namespace

const Json& objeto(const Json& pai, const char* nome, const char* caminho)
{
    const Json* v = membro(pai, nome);
    if (!v || !v->is_object())
        ausente(nome, caminho);
    return *v;
}

const Json& lista(const Json& pai, const char* nome, const char* caminho)
{
    const Json* v = membro(pai, nome);
    if (!v || !v->is_array())
        ausente(nome, caminho);
    return *v;
}

QString textoObrigatorio(const Json& pai, const char* nome)
{
    const Json* v = membro(pai, nome);
    if (!v || !(v->is_string() || v->is_number() || v->is_boolean()))
        ausente(nome, nullptr);
    return textoDe(*v);
}

QString texto(const Json& pai, const char* nome)
{
    const Json* v = membro(pai, nome);
    if (!v || !(v->is_string() || v->is_number() || v->is_boolean()))
        return {};
    return textoDe(*v);
}

Money numero(const Json& pai, const char* nome)
{
    const Json* v = membro(pai, nome);
    if (!v || !v->is_number())
        return {};
    if (v->is_number_integer())
        return Money::fromUnits(v->get<int64_t>());
    return Money::fromDouble(v->get<double>());
}

bool ehObjeto(const Json& pai, const char* nome)
{
    const Json* v = membro(pai, nome);
    return v && v->is_object();
}

bool ehLista(const Json& pai, const char* nome)
{
    const Json* v = membro(pai, nome);
    return v && v->is_array();
}

} // namespace json

namespace conversao {

namespace {

QString semAspas(QString texto)
{
    texto.remove(u'"');
    return texto;
}

} // namespace

Money decimalOuZero(const QString& texto)
{
    return Money::parse(semAspas(texto)).value_or(Money());
}

Money decimal(const QString& texto)
{
    const auto valor = Money::parse(semAspas(texto));
    if (!valor)
        throw std::runtime_error("'" + texto.toStdString() +
                                 "' is not a valid floating point value");
    return *valor;
}

int inteiro(const QString& texto)
{
    bool ok = false;
    const int valor = texto.toInt(&ok);
    if (!ok)
        throw std::runtime_error("'" + texto.toStdString() + "' is not a valid integer value");
    return valor;
}

int inteiroOuZero(const QString& texto)
{
    bool ok = false;
    const int valor = texto.toInt(&ok);
    return ok ? valor : 0;
}

} // namespace conversao

} // namespace talvoro
