#include "authoring/BankSource.h"

#include "bank/BankTables.h"

#include <QRegularExpression>
#include <QSet>

using namespace Qt::StringLiterals;

using bank::practiceTable;
using bank::QuestionRecord;
using bank::QuestionType;

namespace authoring {

namespace {

// The one key a question may leave out: most questions have no related question.
QString relatedKey() {
    return u"RE"_s;
}

QSet<QString> allowedKeys(QuestionType type) {
    QSet<QString> keys{u"CH"_s, u"TM"_s, u"JX"_s, relatedKey()};
    switch (type) {
    case QuestionType::SingleChoice:
    case QuestionType::MultipleChoice:
        keys.unite({u"A"_s, u"B"_s, u"C"_s, u"D"_s, u"DA"_s});
        break;
    case QuestionType::TrueFalse:
        keys.insert(u"DA"_s);
        break;
    case QuestionType::Calculation:
        keys.unite({u"TX"_s, u"DA1"_s, u"DA2"_s, u"DA3"_s, u"DA4"_s, u"DA5"_s});
        break;
    }
    return keys;
}

// Only the journal lines of a calculation answer may repeat their key.
bool mayRepeat(const QString& key) {
    return key.size() == 3 && key.startsWith(u"DA"_s);
}

class BlockReader {
public:
    BlockReader(QString fileName, QuestionType type)
        : m_fileName(std::move(fileName)), m_type(type), m_allowed(allowedKeys(type)) {}

    void addLine(int lineNumber, const QString& line) {
        static const QRegularExpression form(u"^([A-Za-z0-9]+): (.*)$"_s);
        const QRegularExpressionMatch match = form.match(line);
        if (!match.hasMatch()) {
            problem(lineNumber, u"expected \"KEY: value\""_s);
            return;
        }
        if (m_lines.isEmpty()) m_start = lineNumber;
        m_lines.append({lineNumber, match.captured(1), match.captured(2).trimmed()});
    }

    void endBlock() {
        if (!m_lines.isEmpty()) readBlock();
        m_lines.clear();
    }

    ParsedSource result() { return std::move(m_result); }

private:
    struct KeyLine {
        int line;
        QString key;
        QString value;
    };

    void problem(int line, const QString& what) {
        m_result.problems.append(u"%1:%2: %3"_s.arg(m_fileName).arg(line).arg(what));
    }

    void readBlock() {
        SourceQuestion question;
        question.line = m_start;
        QSet<QString> seen;
        for (const KeyLine& entry : std::as_const(m_lines)) {
            if (!m_allowed.contains(entry.key)) {
                problem(entry.line, u"key %1 does not belong in %2"_s.arg(entry.key, sourceFileName(m_type)));
                continue;
            }
            if (entry.value.isEmpty()) problem(entry.line, u"%1 has no value"_s.arg(entry.key));
            if (seen.contains(entry.key) && !mayRepeat(entry.key))
                problem(entry.line, u"%1 given twice in one question"_s.arg(entry.key));
            seen.insert(entry.key);
            if (entry.key == relatedKey() && !entry.value.isEmpty() &&
                entry.value.split(u' ').contains(QString()))
                problem(entry.line, u"RE tags are separated by single blanks"_s);
            store(question, entry.key, entry.value);
        }
        QStringList missing;
        for (const QString& key : std::as_const(m_allowed))
            if (!seen.contains(key) && key != relatedKey()) missing.append(key);
        missing.sort();
        if (!missing.isEmpty())
            problem(m_start, u"question lacks %1"_s.arg(missing.join(u", "_s)));
        else if (!chapterTags().contains(question.chapter))
            problem(m_start, u"unknown chapter %1"_s.arg(question.chapter));
        question.record.id = static_cast<int>(m_result.questions.size()) + 1;
        m_result.questions.append(question);
    }

    static void store(SourceQuestion& question, const QString& key, const QString& value) {
        QuestionRecord& record = question.record;
        if (key == u"CH"_s)
            question.chapter = value;
        else if (key == u"TM"_s)
            record.tm = value;
        else if (key == u"JX"_s)
            record.jx = value;
        else if (key == u"TX"_s)
            record.tx = value;
        else if (key == relatedKey())
            question.related = value.split(u' ');
        else if (key == u"DA"_s)
            record.da = value;
        else if (key.size() == 1)
            record.options[static_cast<std::size_t>(key.at(0).unicode() - u'A')] = value;
        else {
            QString& field = record.standards[static_cast<std::size_t>(key.at(2).unicode() - u'1')];
            field = field.isEmpty() ? value : field + u'\n' + value;
        }
    }

    QString m_fileName;
    QuestionType m_type;
    QSet<QString> m_allowed;
    QList<KeyLine> m_lines;
    int m_start = 0;
    ParsedSource m_result;
};

} // namespace

const QStringList& chapterTags() {
    return bank::chapterTags();
}

QString sourceFileName(QuestionType type) {
    return practiceTable(type) + u".txt"_s;
}

ParsedSource parseBankSource(const QString& text, const QString& fileName, QuestionType type) {
    BlockReader reader(fileName, type);
    QStringList lines = text.split(u'\n');
    if (!lines.isEmpty() && lines.first().startsWith(QChar(0xFEFF))) lines.first().remove(0, 1);
    for (int i = 0; i < lines.size(); ++i) {
        QString line = lines.at(i);
        if (line.endsWith(u'\r')) line.chop(1);
        if (line.startsWith(u'#')) continue;
        if (line.trimmed().isEmpty())
            reader.endBlock();
        else
            reader.addLine(i + 1, line);
    }
    reader.endBlock();
    return reader.result();
}

} // namespace authoring
