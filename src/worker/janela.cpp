#include "janela.h"

#include <QStringList>

namespace talvoro {

QString StatusLojaResumo::juntar() const
{
    return QStringList{available,   state,  title,     subtitle,
                       description, mtitle, msubtitle, mdescription}
        .join(u'|');
}

} // namespace talvoro
