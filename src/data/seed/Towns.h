#pragma once

#include <QString>
#include <QVector>

// Every Italian town with the ISTAT code the weather service expects, as the program ships it in
// data/comuni.tsv (compiled in, so a moved program still has it). Ordered by name.
namespace Towns {

struct Town {
    QString codice; // six digits, leading zeros kept
    QString comune;
    QString provincia;
    QString regione;
};

// The shipped list. Throws StoreError when the compiled-in list is missing or malformed.
QVector<Town> all();

// Parses the list's text: a header line "Codice\tComune\tProvincia\tRegione", then one town per
// line. Throws StoreError naming the line that does not have four fields.
QVector<Town> parse(const QByteArray& utf8);

} // namespace Towns
