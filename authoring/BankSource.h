#pragma once

#include "bank/QuestionRecord.h"
#include "bank/QuestionType.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace authoring {

// A question as its source file writes it: the record it becomes, its chapter and where it stands.
struct SourceQuestion {
    bank::QuestionRecord record;
    QString chapter;
    QStringList related; // RE tags: questions sharing one give each other away
    int line = 0;        // first line of its block
};

struct ParsedSource {
    QList<SourceQuestion> questions;
    QStringList problems; // "file:line: what is wrong"; empty when the file is well formed
};

// The eight chapter tags a question may carry, in syllabus order.
const QStringList& chapterTags();

// The source file of a kind: danxuan.txt, duoxuan.txt, panduan.txt, fenxi.txt.
QString sourceFileName(bank::QuestionType type);

// Reads one source file: blocks of "KEY: value" lines separated by blank lines, "#" comment lines.
// Only the form is checked here (keys known and allowed for the kind, none missing but the optional RE,
// none repeated, values on one line, RE tags separated by single blanks); the content rules are BankRules'.
ParsedSource parseBankSource(const QString& text, const QString& fileName, bank::QuestionType type);

} // namespace authoring
