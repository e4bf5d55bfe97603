#include "bank/JournalEntry.h"

using namespace Qt::StringLiterals;

namespace bank {

namespace {

QString withoutBlanks(const QString& text) {
    QString result;
    for (QChar c : text)
        if (!c.isSpace()) result.append(c);
    return result;
}

} // namespace

QString debitMark() {
    return u"借"_s;
}
QString creditMark() {
    return u"贷"_s;
}

QString formatJournalLine(const JournalLine& line) {
    return withoutBlanks(line.mark) + u' ' + line.account.trimmed() + u' ' + withoutBlanks(line.amount);
}

QString formatJournalEntry(const QList<JournalLine>& lines) {
    QStringList texts;
    for (const JournalLine& line : lines) {
        const JournalLine trimmed{withoutBlanks(line.mark), line.account.trimmed(),
                                  withoutBlanks(line.amount)};
        if (!trimmed.isEmpty()) texts.append(formatJournalLine(trimmed));
    }
    return texts.join(u'\n');
}

JournalLine parseJournalLine(const QString& text) {
    const QString line = text.endsWith(u'\r') ? text.chopped(1) : text;
    const qsizetype first = line.indexOf(u' ');
    if (first < 0) return {line, {}, {}};
    const qsizetype last = line.lastIndexOf(u' ');
    if (last == first) return {line.left(first), line.mid(first + 1).trimmed(), {}};
    return {line.left(first), line.mid(first + 1, last - first - 1).trimmed(), line.mid(last + 1)};
}

QList<JournalLine> parseJournalEntry(const QString& text) {
    QList<JournalLine> lines;
    for (const QString& part : text.split(u'\n')) {
        const JournalLine line = parseJournalLine(part);
        if (!line.isEmpty()) lines.append(line);
    }
    return lines;
}

} // namespace bank
