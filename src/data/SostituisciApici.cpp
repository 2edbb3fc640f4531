#include "data/SostituisciApici.h"

QString SostituisciApici(const QString& text)
{
    return QString(text).replace(QLatin1Char('\''), QLatin1Char('?'));
}
