#pragma once

#include "data/LayoutRecords.h"

#include <QString>
#include <QVariant>
#include <cstdint>
#include <optional>

// One row of a layout table, its sixteen columns as typed values. Null is kept only where a
// layout row may hold it: Testo, PercorsoImmagine and ColoreSfondo (which rows may is
// LayoutRecords::allowsNull's call). A yes/no column reads as yes only when it holds -1.
struct LayoutElement {
    QString descCampo;
    float top = 0.0f;
    float left = 0.0f;
    std::optional<QString> testo;
    QString nomeFont;
    float dimFont = 0.0f;
    bool fontBold = false;
    bool fontItalic = false;
    std::optional<std::uint32_t> coloreSfondo;
    std::uint32_t coloreTesto = 0;
    std::int16_t allineamento = 0;
    float altezza = 0.0f;
    float larghezza = 0.0f;
    bool visibile = false;
    std::optional<QString> percorsoImmagine;
    bool sfondoTestoTrasparente = false;

    bool operator==(const LayoutElement&) const = default;

    // Sets the field of `column` (matched without regard to case) from a stored value. False when the
    // column is unknown or the value does not fit the field: text where a number belongs, an
    // alignment other than 0, 1 or 2, a colour outside 32 bits, or Null in a field that cannot be
    // Null. Null in a yes/no column is accepted and reads as no.
    bool setColumn(const QString& column, const QVariant& value);

    // The field of `column` as it is written to the store: yes/no as -1 or 0, singles as floats,
    // colours as signed 32-bit numbers, a missing optional as Null. An unknown column gives an
    // invalid QVariant.
    QVariant columnValue(const QString& column) const;

    // Whether a Null in this column is read as a plain "no" rather than a missing value.
    static bool isYesNoColumn(const QString& column);
};
