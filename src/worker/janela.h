#pragma once

#include <QString>

#include <vector>

namespace talvoro {

// What iFood last said about the store's availability: the eight texts of the status
// dialog, each kept in its own field (an iFood text may itself contain "|").
struct StatusLojaResumo
{
    QString available;
    QString state;
    QString title; // first validation's message
    QString subtitle;
    QString description;
    QString mtitle; // the status message
    QString msubtitle;
    QString mdescription;

    // The classic summary text, the eight values joined by "|".
    QString juntar() const;
};

// The worker's only way to the main window. The window implements it; tests and runs without
// a window use JanelaSemTela.
class IJanelaIntegracao
{
public:
    virtual ~IJanelaIntegracao() = default;
    virtual void MostraUltimaAtualizacao(const QString& texto) = 0; // _lblUltAtualizacao
    virtual void MostraDiagnostico(const QString& texto) = 0;       // Memo1
    virtual void MostraPedido(const QString& texto) = 0;            // Memo2
    virtual void MostraToken(const QString& token) = 0;             // edtToken
    // _lblStatusLoja caption, the summary kept for the status dialog, and the open or closed
    // picture of _imgStatusLoja.
    virtual void MostraStatusLoja(const QString& legenda, const StatusLojaResumo& resumo,
                                  bool aberta) = 0;
    // The pending-orders alert. Must return at once: the alert slides, sounds and closes on
    // its own timers.
    virtual void ExibeAlerta(int quantidade, const QString& titulo) = 0;
};

// Keeps what the worker showed, for tests and for running without a window.
class JanelaSemTela : public IJanelaIntegracao
{
public:
    void MostraUltimaAtualizacao(const QString& texto) override { ultimaAtualizacao = texto; }
    void MostraDiagnostico(const QString& texto) override { memo1 = texto; }
    void MostraPedido(const QString& texto) override { memo2 = texto; }
    void MostraToken(const QString& t) override { token = t; }
    void MostraStatusLoja(const QString& legenda, const StatusLojaResumo& resumo,
                          bool aberta) override
    {
        statusLegenda = legenda;
        statusResumo = resumo;
        lojaAberta = aberta;
        ++statusMostrados;
    }
    void ExibeAlerta(int quantidade, const QString& titulo) override
    {
        alertas.push_back({quantidade, titulo});
    }

    QString ultimaAtualizacao, memo1, memo2, token, statusLegenda;
    StatusLojaResumo statusResumo;
    bool lojaAberta = false;
    int statusMostrados = 0;
    struct Alerta
    {
        int quantidade;
        QString titulo;
    };
    std::vector<Alerta> alertas;
};

} // namespace talvoro
