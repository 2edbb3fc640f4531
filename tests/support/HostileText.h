#pragma once

#include <QList>
#include <QString>
#include <utility>

// Text an operator may type or paste that trips careless code: quoting in SQL and in the Jet LIKE
// dialect, format markers, characters beyond the display's code page, sheer length, a path. Every
// window that takes text runs every sample; each must store it exactly or refuse it with a message.
namespace HostileText {

inline QList<std::pair<const char*, QString>> samples()
{
    return {
        {"apostrophes", QStringLiteral("L'ufficio dell'anagrafe ''")},
        {"quotes", QStringLiteral("Sala \"A\" e \\\"B\\\"")},
        {"brackets", QStringLiteral("[Sportello] (1) {2} <3> [!a-z")},
        {"percent and underscore", QStringLiteral("100% _a_ %1 %s %n")},
        {"Jet wildcards", QStringLiteral("* ? # *#?")},
        {"SQL", QStringLiteral("x'); DELETE FROM utenti; --")},
        {"emoji", QStringLiteral("Caffè \u2615 \U0001F600 città")},
        {"10,000 characters", QString(9999, QLatin1Char('x')) + QLatin1Char('!')},
        {"path with blanks and accents", QStringLiteral("C:\\Sale d'attesa\\Città più bella\\foto è.jpg")},
    };
}

} // namespace HostileText
