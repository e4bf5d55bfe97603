#pragma once

#include "authoring/BankCompiler.h"

#include <QString>
#include <QStringList>

#include <cstdint>
#include <random>

// Question sources shaped like the shipped ones (options without letters, Chinese texts, every chapter,
// both calculation forms), `perKind` choice and true/false questions and `calculations` calculation
// questions. The answers are balanced, but the files list them in the patterned order a writer falls
// into: single choice cycling A B C D, true/false alternating. No two questions give each other away.
// Names of goods and projects: four characters drawn from common ones, so no two questions share them.
class Names {
public:
    explicit Names(std::uint32_t seed = 2026);
    QString next();

private:
    std::mt19937 m_rng;
};

struct SampleSources {
    QString danxuan, duoxuan, panduan, fenxi;
};
SampleSources sampleSources(int perKind, int calculations);

// Writes the four files into `directory`; false when one cannot be written.
bool writeSources(const SampleSources& sources, const QString& directory);

// The sources in `directory` read and composed into a bank's tables as `qvtb build` does, with the
// problems of either step.
struct ComposedSources {
    authoring::QuestionPools pools;
    QList<bank::BankTable> tables;
    QStringList problems;
};
ComposedSources composeSources(const QString& directory);
