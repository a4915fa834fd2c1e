#pragma once
// The bus calls' arguments, read exactly as the command line reads its options, and carried out:
// a refused call sends nothing and answers why.
#include <QString>
#include <QStringList>
#include <QVariantMap>

#include "ops/KeyboardEndpoint.h"

class KeyboardOperations;

Outcome SetFromBus(KeyboardOperations& keyboard, const QVariantMap& settings);
Outcome PaintFromBus(KeyboardOperations& keyboard, const QStringList& keys, const QString& colour);
Outcome AssignFromBus(KeyboardOperations& keyboard, const QString& key, const QString& kind,
                      const QString& value);
