#pragma once

#include <QString>

namespace talvoro {

// Name of an order's file in ArqLog: display id + "_" + iFood order id + ".txt". Characters
// that would lead out of the folder or that file systems refuse become "_", so a strange id
// can never write elsewhere. The import writes the file, the order detail view reads it.
QString nomeArquivoPedido(const QString& shortReference, const QString& reference);

} // namespace talvoro
