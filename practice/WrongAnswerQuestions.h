#pragma once

#include "common/Outcome.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

namespace practice {

// The IDs of the rows of `table` in the bank at `bankPath` whose question texts have the `hashes`
// (study::questionHash), in the order of `hashes`. Hashes of questions the bank no longer holds
// are passed over; a bank that cannot be read, or walked to its end, gives none.
QList<int> questionsWithHashes(const QString& bankPath, const QString& table, const QStringList& hashes);

// The question texts of `table` by their hashes; a bank that cannot be read gives its reason.
common::Outcome<QHash<QString, QString>> questionTextsByHash(const QString& bankPath, const QString& table);

} // namespace practice
