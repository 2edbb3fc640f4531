#pragma once

#include "designer/document/ElementGeometry.h"

#include <QString>
#include <QStringList>
#include <optional>

// What the operator typed for an element's place: left, top, width and height in display pixels.
// Either the place in twips or why it is refused, in Italian. A value typed as it is shown (the
// twips to the nearest pixel) keeps the exact twips behind it, so typing one value moves nothing
// else between pixels.
struct TypedGeometry {
    std::optional<ElementGeometry> geometry;
    QString refusal;
    // Which of the four values was refused; -1 when none.
    int field = -1;
};

TypedGeometry readTypedGeometry(const QStringList& typed, const ElementGeometry& now);
