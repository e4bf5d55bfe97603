#include "authoring/AnswerPatterns.h"

#include "bank/Scoring.h"

#include <QHash>
#include <QRegularExpression>

#include <algorithm>
#include <functional>
#include <span>

using namespace Qt::StringLiterals;

using bank::falseAnswer;
using bank::QuestionRecord;
using bank::QuestionType;
using bank::trueAnswer;

namespace authoring {

namespace {

// The answers a kind has; multiple choice has the eleven keys of two to four letters.
QStringList answerAlphabet(QuestionType type) {
    switch (type) {
    case QuestionType::SingleChoice:
        return {u"A"_s, u"B"_s, u"C"_s, u"D"_s};
    case QuestionType::TrueFalse:
        return {trueAnswer(), falseAnswer()};
    case QuestionType::MultipleChoice:
        return {u"AB"_s,  u"AC"_s,  u"AD"_s,  u"BC"_s,  u"BD"_s,  u"CD"_s,
                u"ABC"_s, u"ABD"_s, u"ACD"_s, u"BCD"_s, u"ABCD"_s};
    case QuestionType::Calculation:
        break;
    }
    return {};
}

// A strategy that answers from the last `look` standard answers: the chance that it hits `truth`.
struct SequenceStrategy {
    QString name;
    int look = 1;
    std::function<double(std::span<const int> previous, int truth, int alphabetSize)> hit;
};

double repeatPrevious(std::span<const int> previous, int truth, int) {
    return truth == previous.back() ? 1 : 0;
}

double otherThanPrevious(std::span<const int> previous, int truth, int alphabetSize) {
    return truth != previous.back() ? 1.0 / (alphabetSize - 1) : 0;
}

// The answers that occur least often among the previous ones, one of them at random.
double leastCommonOfPrevious(std::span<const int> previous, int truth, int alphabetSize) {
    std::vector<int> counts(static_cast<std::size_t>(alphabetSize), 0);
    for (int answer : previous)
        ++counts[static_cast<std::size_t>(answer)];
    const int least = *std::min_element(counts.begin(), counts.end());
    const auto ties = std::count(counts.begin(), counts.end(), least);
    return counts[static_cast<std::size_t>(truth)] == least ? 1.0 / static_cast<double>(ties) : 0;
}

QList<SequenceStrategy> sequenceStrategies(QuestionType type) {
    switch (type) {
    case QuestionType::SingleChoice:
        return {{u"repeat the previous answer"_s, 1, repeatPrevious},
                {u"any letter but the previous answer"_s, 1, otherThanPrevious},
                {u"the letter missing from the last three"_s, 3, leastCommonOfPrevious}};
    case QuestionType::TrueFalse:
        return {{u"repeat the previous answer"_s, 1, repeatPrevious},
                {u"the opposite of the previous answer"_s, 1, otherThanPrevious},
                {u"the minority answer of the last three"_s, 3, leastCommonOfPrevious}};
    case QuestionType::MultipleChoice:
        return {{u"repeat the previous key"_s, 1, repeatPrevious}};
    case QuestionType::Calculation:
        break;
    }
    return {};
}

double sequenceScore(const SequenceStrategy& strategy, const std::vector<int>& answers, int alphabetSize) {
    const std::size_t look = static_cast<std::size_t>(strategy.look);
    double hits = 0;
    for (std::size_t t = look; t < answers.size(); ++t)
        hits += strategy.hit(std::span(answers).subspan(t - look, look), answers[t], alphabetSize);
    return hits / static_cast<double>(answers.size() - look);
}

// The strategy's expected score over every order of the answers: each run of look + 1 positions holds
// a draw without replacement, so its probability follows from the answers' counts alone.
double sequenceChance(const SequenceStrategy& strategy, const std::vector<int>& counts, int total) {
    const int alphabetSize = static_cast<int>(counts.size());
    std::vector<int> tuple(static_cast<std::size_t>(strategy.look + 1), 0);
    double chance = 0;
    while (true) {
        double probability = 1;
        std::vector<int> used(counts.size(), 0);
        for (std::size_t j = 0; j < tuple.size(); ++j) {
            const auto answer = static_cast<std::size_t>(tuple[j]);
            probability *= static_cast<double>(counts[answer] - used[answer]) / (total - static_cast<int>(j));
            ++used[answer];
        }
        if (probability > 0)
            chance += probability *
                      strategy.hit(std::span(tuple).first(tuple.size() - 1), tuple.back(), alphabetSize);
        std::size_t digit = 0;
        while (digit < tuple.size() && ++tuple[digit] == alphabetSize)
            tuple[digit++] = 0;
        if (digit == tuple.size()) return chance;
    }
}

// The middle value, or the mean of the two middle values of an even count.
double medianOf(std::vector<int> values) {
    if (values.empty()) return 0;
    std::sort(values.begin(), values.end());
    const std::size_t half = values.size() / 2;
    return values.size() % 2 == 1 ? values[half] : (values[half - 1] + values[half]) / 2.0;
}

int nonBlankLength(const QString& text) {
    return static_cast<int>(std::count_if(text.begin(), text.end(), [](QChar c) { return !c.isSpace(); }));
}

// A wording cue predicts, for the questions it covers, a set of answers it picks one of at random.
using Predictions = QList<std::optional<QStringList>>;

PatternFigure wordingFigure(const QString& name, const QList<QuestionRecord>& rows,
                            const Predictions& predictions) {
    QHash<QString, int> counts;
    for (const QuestionRecord& row : rows)
        ++counts[row.da];
    PatternFigure figure{name, 0, 0, wordingLimit, 0};
    for (qsizetype i = 0; i < rows.size(); ++i) {
        if (!predictions[i]) continue;
        const QStringList& predicted = *predictions[i];
        const auto share = 1.0 / static_cast<double>(predicted.size());
        ++figure.covered;
        if (predicted.contains(rows[i].da)) figure.score += share;
        for (const QString& answer : predicted)
            figure.chance += share * counts.value(answer) / static_cast<double>(rows.size());
    }
    if (figure.covered > 0) {
        figure.score /= figure.covered;
        figure.chance /= figure.covered;
    }
    return figure;
}

// The letters of the options whose length `pick` chooses among the four lengths.
QStringList optionLetters(const QuestionRecord& row,
                          const std::function<bool(int, const std::vector<int>&)>& pick) {
    std::vector<int> lengths;
    for (const QString& option : row.options)
        lengths.push_back(nonBlankLength(option));
    QStringList letters;
    for (std::size_t i = 0; i < lengths.size(); ++i)
        if (pick(lengths[i], lengths)) letters.append(QString(QChar(u'A' + static_cast<char16_t>(i))));
    return letters;
}

QList<PatternFigure> wordingFigures(QuestionType type, const QList<QuestionRecord>& rows) {
    Predictions first, second;
    if (type == QuestionType::TrueFalse) {
        std::vector<int> lengths;
        for (const QuestionRecord& row : rows)
            lengths.push_back(nonBlankLength(row.tm));
        const double median = medianOf(lengths);
        for (const QuestionRecord& row : rows) {
            first.append(QStringList{nonBlankLength(row.tm) > median ? trueAnswer() : falseAnswer()});
            const bool absolute = holdsWord(row.tm, absoluteWords());
            second.append(absolute ? std::optional(QStringList{falseAnswer()}) : std::nullopt);
        }
        return {wordingFigure(u"longer than the median statement: 正确"_s, rows, first),
                wordingFigure(u"holds an absolute word: 错误"_s, rows, second)};
    }
    if (type == QuestionType::SingleChoice) {
        for (const QuestionRecord& row : rows) {
            first.append(optionLetters(row, [](int length, const std::vector<int>& all) {
                return length == *std::max_element(all.begin(), all.end());
            }));
            second.append(optionLetters(row, [](int length, const std::vector<int>& all) {
                return length == *std::min_element(all.begin(), all.end());
            }));
        }
        return {wordingFigure(u"the longest option"_s, rows, first),
                wordingFigure(u"the shortest option"_s, rows, second)};
    }
    for (const QuestionRecord& row : rows)
        first.append(QStringList{optionLetters(row, [](int length, const std::vector<int>& all) {
                                     int sum = 0;
                                     for (int each : all)
                                         sum += each;
                                     return length * static_cast<int>(all.size()) > sum;
                                 }).join(QString())});
    return {wordingFigure(u"every option longer than the question's mean option"_s, rows, first)};
}

// The one number in each option of a question whose four options differ only in it (450, 530 万元),
// or nothing.
std::optional<std::vector<double>> numericOptions(const QuestionRecord& row) {
    static const QRegularExpression number(u"\\d+(?:\\.\\d+)?"_s);
    std::vector<double> values;
    QString shape;
    for (const QString& option : row.options) {
        const QString plain = QString(option).remove(u' ').remove(u',');
        QRegularExpressionMatchIterator found = number.globalMatch(plain);
        if (!found.hasNext()) return std::nullopt;
        const QRegularExpressionMatch match = found.next();
        if (found.hasNext()) return std::nullopt;
        const QString masked = QString(plain).replace(match.capturedStart(), match.capturedLength(), u"#"_s);
        if (!shape.isNull() && masked != shape) return std::nullopt;
        shape = masked;
        values.push_back(match.captured().toDouble());
    }
    std::vector<double> distinct = values;
    std::sort(distinct.begin(), distinct.end());
    if (std::adjacent_find(distinct.begin(), distinct.end()) != distinct.end()) return std::nullopt;
    return values;
}

// Among single-choice questions with numeric options: how often the key is one of the two middle
// values, and how often it is the value nearest the mean (ties share the hit).
QList<PatternFigure> numericRankFigures(const QList<QuestionRecord>& rows) {
    PatternFigure middle{u"numeric options: the key is a middle value"_s, 0, 0.5, numericRankLimit, 0};
    PatternFigure nearest{u"numeric options: the key is the value nearest the mean"_s, 0, 0.25,
                          numericRankLimit, 0};
    for (const QuestionRecord& row : rows) {
        const std::optional<std::vector<double>> values = numericOptions(row);
        if (!values || row.da.size() != 1) continue;
        const auto key = static_cast<std::size_t>(row.da.at(0).unicode() - u'A');
        if (key >= values->size()) continue;
        const double keyed = (*values)[key];
        const auto below = std::count_if(values->begin(), values->end(), [&](double v) { return v < keyed; });
        middle.score += below == 1 || below == 2 ? 1 : 0;
        double mean = 0;
        for (double v : *values)
            mean += v / static_cast<double>(values->size());
        double least = std::abs(values->front() - mean);
        for (double v : *values)
            least = std::min(least, std::abs(v - mean));
        const auto nearestCount = std::count_if(values->begin(), values->end(),
                                                [&](double v) { return std::abs(v - mean) == least; });
        if (std::abs(keyed - mean) == least) nearest.score += 1.0 / static_cast<double>(nearestCount);
        ++middle.covered;
        ++nearest.covered;
    }
    if (middle.covered == 0) return {};
    middle.score /= middle.covered;
    nearest.score /= nearest.covered;
    return {middle, nearest};
}

// The key rate of multiple-choice options holding a restrictive word, beside the key rate of the
// others as its chance; nothing when no option holds one.
QList<PatternFigure> restrictiveWordFigure(const QList<QuestionRecord>& rows) {
    int restricted = 0, restrictedKeyed = 0, others = 0, othersKeyed = 0;
    for (const QuestionRecord& row : rows)
        for (std::size_t i = 0; i < row.options.size(); ++i) {
            const bool keyed = row.da.contains(QChar(u'A' + static_cast<char16_t>(i)));
            if (holdsWord(row.options[i], restrictiveWords())) {
                ++restricted;
                restrictedKeyed += keyed ? 1 : 0;
            } else {
                ++others;
                othersKeyed += keyed ? 1 : 0;
            }
        }
    if (restricted == 0) return {};
    const auto rate = [](int keyed, int all) { return all == 0 ? 0 : static_cast<double>(keyed) / all; };
    PatternFigure figure{u"options with a restrictive word are keyed"_s, rate(restrictedKeyed, restricted),
                         rate(othersKeyed, others), restrictiveWordLimit, restricted};
    figure.twoSided = true;
    return {figure};
}

QList<PatternFigure> constantFigures(QuestionType type, const QList<QuestionRecord>& rows) {
    QHash<QString, int> counts;
    for (const QuestionRecord& row : rows)
        ++counts[row.da];
    const QStringList alphabet = answerAlphabet(type);
    QStringList constants = alphabet;
    if (type == QuestionType::MultipleChoice) {
        QString commonest = alphabet.first();
        for (const QString& key : alphabet)
            if (counts.value(key) > counts.value(commonest)) commonest = key;
        constants = {u"ABCD"_s, commonest};
    }
    QList<PatternFigure> figures;
    const auto total = static_cast<double>(rows.size());
    for (const QString& answer : std::as_const(constants)) {
        const QString name = type == QuestionType::MultipleChoice && figures.size() == 1
                                 ? u"always the commonest key, %1"_s.arg(answer)
                                 : u"always %1"_s.arg(answer);
        figures.append({name, counts.value(answer) / total, 1.0 / static_cast<double>(alphabet.size()),
                        constantLimit, static_cast<int>(rows.size())});
    }
    return figures;
}

// Key sizes and options in the key, against the eleven keys chosen uniformly.
QList<PatternFigure> keyFigures(const QList<QuestionRecord>& rows) {
    QList<PatternFigure> figures;
    const auto total = static_cast<double>(rows.size());
    int letters = 0;
    const std::array<int, 3> keysOfSize{6, 4, 1};
    for (int size = 2; size <= 4; ++size) {
        const auto count = std::count_if(rows.begin(), rows.end(),
                                         [&](const QuestionRecord& row) { return row.da.size() == size; });
        letters += static_cast<int>(count) * size;
        figures.append({u"keys of %1 letters"_s.arg(size), static_cast<double>(count) / total,
                        keysOfSize[static_cast<std::size_t>(size - 2)] / 11.0, 0,
                        static_cast<int>(rows.size())});
    }
    figures.append(
        {u"an option is in the key"_s, letters / (4 * total), 28.0 / 44.0, 0, static_cast<int>(rows.size())});
    return figures;
}

} // namespace

const QStringList& absoluteWords() {
    static const QStringList words{u"只"_s, u"一定"_s, u"必须"_s, u"任何"_s, u"一律"_s, u"全部"_s,
                                   u"都"_s, u"均"_s,   u"所有"_s, u"凡是"_s, u"绝对"_s};
    return words;
}

const QStringList& restrictiveWords() {
    static const QStringList words{u"只"_s,   u"必须"_s, u"只能"_s, u"仅"_s,
                                   u"一律"_s, u"唯一"_s, u"绝对"_s, u"凡是"_s};
    return words;
}

bool holdsWord(const QString& text, const QStringList& words) {
    static const QStringList notRestrictive{u"所有者"_s, u"所有权"_s, u"平均"_s, u"不仅"_s};
    QString plain = text;
    for (const QString& compound : notRestrictive)
        plain.remove(compound);
    return std::any_of(words.begin(), words.end(), [&](const QString& word) { return plain.contains(word); });
}

QList<PatternFigure> sequenceFigures(QuestionType type, const QStringList& answers) {
    const QStringList alphabet = answerAlphabet(type);
    std::vector<int> indices;
    std::vector<int> counts(static_cast<std::size_t>(alphabet.size()), 0);
    for (const QString& answer : answers) {
        const auto index = static_cast<int>(alphabet.indexOf(answer));
        if (index < 0) continue; // the rules report it
        indices.push_back(index);
        ++counts[static_cast<std::size_t>(index)];
    }
    QList<PatternFigure> figures;
    for (const SequenceStrategy& strategy : sequenceStrategies(type)) {
        if (indices.size() <= static_cast<std::size_t>(strategy.look)) continue;
        const int alphabetSize = static_cast<int>(alphabet.size());
        figures.append({strategy.name, sequenceScore(strategy, indices, alphabetSize),
                        sequenceChance(strategy, counts, static_cast<int>(indices.size())), sequenceLimit,
                        static_cast<int>(indices.size()) - strategy.look});
    }
    return figures;
}

QList<PatternFigure> patternFigures(QuestionType type, const QList<QuestionRecord>& rows) {
    if (type == QuestionType::Calculation || rows.isEmpty()) return {};
    QStringList answers;
    for (const QuestionRecord& row : rows)
        answers.append(row.da);
    QList<PatternFigure> figures = sequenceFigures(type, answers);
    figures.append(constantFigures(type, rows));
    figures.append(wordingFigures(type, rows));
    if (type == QuestionType::SingleChoice) figures.append(numericRankFigures(rows));
    if (type == QuestionType::MultipleChoice) {
        figures.append(restrictiveWordFigure(rows));
        figures.append(keyFigures(rows));
    }
    return figures;
}

} // namespace authoring
