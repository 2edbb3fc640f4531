#pragma once

#include <QRandomGenerator>
#include <QtGlobal>

// The seed of a test's random choices: TN2_SEED when set, a fresh one otherwise. It is printed, so
// a failure seen once can be run again with TN2_SEED=<seed>.
inline quint32 randomSeed()
{
    bool given = false;
    const quint32 seed = qEnvironmentVariable("TN2_SEED").toUInt(&given);
    const quint32 chosen = given ? seed : QRandomGenerator::global()->generate();
    qInfo("seed %u (rerun with TN2_SEED=%u)", chosen, chosen);
    return chosen;
}
