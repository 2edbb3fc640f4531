#include "data/seed/Towns.h"

#include "data/StoreError.h"

#include <QFile>

namespace {

const QString ResourcePath = QStringLiteral(":/data/comuni.tsv");
const QString Header = QStringLiteral("Codice\tComune\tProvincia\tRegione");

[[noreturn]] void fail(const QString& sentence, const QString& detail = {})
{
    throw StoreError(sentence, ResourcePath, QStringLiteral("ComuniMeteo"), {}, detail);
}

} // namespace

// The list lives in this static library; the linker keeps it only when asked for it by name, and
// the name must be declared outside any namespace.
static void loadTownResource()
{
    Q_INIT_RESOURCE(towns);
}

namespace Towns {

QVector<Town> parse(const QByteArray& utf8)
{
    const QStringList lines = QString::fromUtf8(utf8).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    if (lines.isEmpty() || lines.first().trimmed() != Header)
        fail(QStringLiteral("L'elenco dei comuni non è nel formato atteso."), lines.value(0));
    QVector<Town> towns;
    towns.reserve(lines.size() - 1);
    for (qsizetype number = 1; number < lines.size(); ++number) {
        QString line = lines.at(number);
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        const QStringList fields = line.split(QLatin1Char('\t'));
        if (fields.size() != 4)
            fail(QStringLiteral("L'elenco dei comuni ha una riga non valida (riga %1).").arg(number + 1), line);
        towns.append({fields.at(0), fields.at(1), fields.at(2), fields.at(3)});
    }
    return towns;
}

QVector<Town> all()
{
    loadTownResource();
    QFile file(ResourcePath);
    if (!file.open(QIODevice::ReadOnly))
        fail(QStringLiteral("L'elenco dei comuni non è disponibile nel programma."), file.errorString());
    return parse(file.readAll());
}

} // namespace Towns
