#pragma once

#include <QString>

// Makes a typed name safe inside a quoted search criterion: every apostrophe becomes "?", which
// would otherwise close the quote, and which LIKE still matches against the apostrophe stored in a
// name. Everything else is copied as it is, in order.
QString SostituisciApici(const QString& text);
