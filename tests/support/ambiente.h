#pragma once

#include "data/dm.h"
#include "support/pastatemporaria.h"

#include <QString>

namespace talvoro::teste {

// A program folder of its own with a freshly created database and the data module on it
// (forced writes off: tests only).
struct Ambiente
{
    Ambiente() { dm.DataModuleCreate(); }

    PastaTemporaria pasta;
    TDM dm{false};

    // Lines of LogBrimeta.txt, without their "dd/mm/yyyy hh:nn:ss - " prefix.
    QStringList linhasLogTexto() const;
    // The file's text as written.
    QString logTexto() const;
};

// A file under tests/dados.
QString arquivoDeDados(const QString& nome);
QByteArray lerDados(const QString& nome);

} // namespace talvoro::teste
