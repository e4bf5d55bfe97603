#pragma once

#include "authoring/PaperDraw.h"
#include "bank/BankTables.h"
#include "common/Outcome.h"

#include "jet/DatabaseCreator.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace authoring {

// From the question sources to a bank file: read the four pools, check every question, draw the
// papers, write all 24 tables into a new file. Every step reports its problems instead of going on.

struct LoadedPools {
    QuestionPools pools;
    QStringList problems;
};

// Reads danxuan.txt, duoxuan.txt, panduan.txt and fenxi.txt of `directory` and checks every question
// and every practice table by the bank's rules.
LoadedPools loadPools(const QString& directory);

// The standard answers of a pool, in source order.
QStringList poolAnswers(const QList<SourceQuestion>& pool);

// The four practice tables (questions numbered in practice order, see practiceOrder) and the twenty
// papers, drawn keeping apart questions related by RE tags or found to give each other away; fails when
// the pools cannot fill the papers.
common::Outcome<QList<bank::BankTable>> composeBank(const QuestionPools& pools);

// The table as the engine creates it: `columns` (a built table has tableColumns) and the rows' cells.
jet::NewTable newTable(const bank::BankTable& table, const QList<bank::BankColumn>& columns);

// Writes the tables into a new file at `path`, all of it or nothing.
common::Outcome<> writeBank(const QList<bank::BankTable>& tables, const QString& path);

// loadPools, composeBank, the rules on every table, writeBank.
QStringList compileBank(const QString& sourceDirectory, const QString& path);

} // namespace authoring
