#include "authoring/GiveAways.h"

#include <QHash>

#include <algorithm>
#include <array>
#include <cstdint>
#include <map>
#include <vector>

using namespace Qt::StringLiterals;

using bank::QuestionType;

namespace authoring {

namespace {

constexpr double similarTexts = 0.5;
constexpr double statementInKey = 0.65;
constexpr int shortestStatement = 6; // pairs; shorter statements are contained by chance
constexpr double sameOptionTexts = 0.3;
constexpr int alikeOptions = 3;
constexpr double stockShare = 0.05;
constexpr int stockFloor = 10; // small banks: a pair in ten questions is still wording

using Bigrams = std::vector<std::uint32_t>; // sorted, unique

// Letters only, every run of digits one mask character (two questions on one template with other
// amounts are alike), and negations folded away (a statement and its negation say the same thing to
// a candidate who knows which is true).
QString normalised(const QString& text) {
    static const std::array<std::pair<QString, QString>, 4> negations{
        {{u"无需"_s, u"需"_s}, {u"无须"_s, u"须"_s}, {u"并非"_s, QString()}, {u"不"_s, QString()}}};
    QString kept;
    bool inNumber = false;
    for (QChar c : text) {
        const bool digit = c.isDigit() || ((c == u'.' || c == u'．') && inNumber);
        if (digit && !inNumber) kept.append(u'#');
        inNumber = digit;
        if (!digit && c.isLetterOrNumber()) kept.append(c);
    }
    for (const auto& [negated, plain] : negations)
        kept.replace(negated, plain);
    return kept;
}

// An option that is a number only (450, 12.5%): it says nothing of its own once numbers are masked.
bool isNumberOnly(const QString& normalisedOption) {
    return normalisedOption == u"#"_s || normalisedOption.isEmpty();
}

void addBigrams(const QString& text, Bigrams& into) {
    const QString kept = normalised(text);
    for (qsizetype i = 0; i + 1 < kept.size(); ++i)
        into.push_back(static_cast<std::uint32_t>(kept[i].unicode()) << 16 | kept[i + 1].unicode());
}

void makeSet(Bigrams& bigrams) {
    std::sort(bigrams.begin(), bigrams.end());
    bigrams.erase(std::unique(bigrams.begin(), bigrams.end()), bigrams.end());
}

std::size_t sharedCount(const Bigrams& a, const Bigrams& b) {
    std::size_t shared = 0;
    for (auto i = a.begin(), j = b.begin(); i != a.end() && j != b.end();)
        if (*i < *j)
            ++i;
        else if (*j < *i)
            ++j;
        else
            ++shared, ++i, ++j;
    return shared;
}

double jaccard(const Bigrams& a, const Bigrams& b) {
    const std::size_t shared = sharedCount(a, b);
    const std::size_t all = a.size() + b.size() - shared;
    return all == 0 ? 0 : static_cast<double>(shared) / static_cast<double>(all);
}

bool isChoice(QuestionType type) {
    return type == QuestionType::SingleChoice || type == QuestionType::MultipleChoice;
}

// What the comparison looks at in one question.
struct Profile {
    Bigrams stem;                    // the question text
    Bigrams full;                    // the question text and its keyed options
    Bigrams all;                     // the question text and every option
    std::vector<Bigrams> withOption; // the question text and one option, per option
    QStringList options;
};

Profile profile(const ComparedQuestion& question) {
    Profile result;
    addBigrams(question.record.tm, result.stem);
    result.full = result.stem;
    result.all = result.stem;
    if (isChoice(question.type)) {
        for (std::size_t i = 0; i < question.record.options.size(); ++i) {
            const QString& text = question.record.options[i];
            const QString option = normalised(text);
            result.options.append(option);
            Bigrams withOption = result.stem;
            addBigrams(text, withOption);
            addBigrams(text, result.all);
            makeSet(withOption);
            result.withOption.push_back(withOption);
            if (question.record.da.contains(QChar(u'A' + static_cast<char16_t>(i))))
                addBigrams(text, result.full);
        }
    }
    makeSet(result.stem);
    makeSet(result.full);
    makeSet(result.all);
    return result;
}

// Leaves out the stock pairs.
void dropStock(std::vector<Profile>& profiles) {
    QHash<std::uint32_t, int> questionsHolding;
    for (const Profile& p : profiles)
        for (std::uint32_t bigram : p.all)
            ++questionsHolding[bigram];
    const double limit = std::max<double>(stockFloor, stockShare * static_cast<double>(profiles.size()));
    const auto stock = [&](std::uint32_t bigram) { return questionsHolding.value(bigram) > limit; };
    const auto drop = [&](Bigrams& bigrams) {
        bigrams.erase(std::remove_if(bigrams.begin(), bigrams.end(), stock), bigrams.end());
    };
    for (Profile& p : profiles) {
        drop(p.stem);
        drop(p.full);
        drop(p.all);
        for (Bigrams& withOption : p.withOption)
            drop(withOption);
    }
}

// Pairs worth measuring: sharing two pairs of characters, or an option's text.
std::vector<std::pair<int, int>> candidatePairs(const std::vector<Profile>& profiles) {
    std::map<std::uint32_t, std::vector<int>> holders;
    QHash<QString, QList<int>> offeredBy;
    for (int i = 0; i < static_cast<int>(profiles.size()); ++i) {
        for (std::uint32_t bigram : profiles[static_cast<std::size_t>(i)].all)
            holders[bigram].push_back(i);
        for (const QString& option : profiles[static_cast<std::size_t>(i)].options)
            if (!isNumberOnly(option) && !offeredBy[option].contains(i)) offeredBy[option].append(i);
    }
    std::vector<std::pair<int, int>> pairs;
    std::vector<int> shared(profiles.size(), 0);
    for (int i = 0; i < static_cast<int>(profiles.size()); ++i) {
        std::fill(shared.begin(), shared.end(), 0);
        for (std::uint32_t bigram : profiles[static_cast<std::size_t>(i)].all)
            for (int j : holders[bigram])
                if (j > i && ++shared[static_cast<std::size_t>(j)] == 2) pairs.emplace_back(i, j);
        for (const QString& option : profiles[static_cast<std::size_t>(i)].options)
            for (int j : offeredBy.value(option))
                if (j > i && shared[static_cast<std::size_t>(j)] < 2) pairs.emplace_back(i, j);
    }
    std::sort(pairs.begin(), pairs.end());
    pairs.erase(std::unique(pairs.begin(), pairs.end()), pairs.end());
    return pairs;
}

// The share of a true/false statement's pairs that lie in a choice question's text with one of its
// options, keyed or not: a statement that is an option, or an option's negation, is settled by the
// question's key. The best option, as a letter, and its share.
std::pair<QChar, double> statementInOption(const Profile& statement, const Profile& choice) {
    std::pair<QChar, double> best{QChar(), 0};
    for (std::size_t i = 0; i < choice.withOption.size(); ++i) {
        const double share = static_cast<double>(sharedCount(statement.stem, choice.withOption[i])) /
                             static_cast<double>(statement.stem.size());
        if (share > best.second) best = {QChar(u'A' + static_cast<char16_t>(i)), share};
    }
    return best;
}

QString statementLikeness(const Profile& statement, const Profile& choice) {
    if (statement.stem.size() < shortestStatement) return {};
    const auto [letter, share] = statementInOption(statement, choice);
    if (share < statementInKey) return {};
    return u"the statement lies in the other's text and option %1 (%2 %)"_s.arg(letter).arg(share * 100, 0,
                                                                                            'f', 0);
}

// Two choice questions offering the same options: the same four, or three alike under texts alike
// (属于 in one, 不属于 in the other, whatever their keys).
QString optionsLikeness(const Profile& a, const Profile& b) {
    const auto alike = std::count_if(a.options.begin(), a.options.end(), [&](const QString& option) {
        return !isNumberOnly(option) && b.options.contains(option);
    });
    if (alike == static_cast<qsizetype>(a.options.size())) return u"the same %1 options"_s.arg(alike);
    const double stems = jaccard(a.stem, b.stem);
    if (alike >= alikeOptions && stems >= sameOptionTexts)
        return u"%1 options alike (texts' Jaccard %2)"_s.arg(alike).arg(stems, 0, 'f', 2);
    return {};
}

// Why the two give each other away, or nothing.
QString likeness(const ComparedQuestion& a, const Profile& pa, const ComparedQuestion& b, const Profile& pb) {
    const double texts = jaccard(pa.full, pb.full);
    if (texts >= similarTexts) return u"similar texts (Jaccard %1)"_s.arg(texts, 0, 'f', 2);
    if (a.type == QuestionType::TrueFalse && isChoice(b.type)) return statementLikeness(pa, pb);
    if (b.type == QuestionType::TrueFalse && isChoice(a.type)) return statementLikeness(pb, pa);
    if (isChoice(a.type) && isChoice(b.type)) return optionsLikeness(pa, pb);
    return {};
}

} // namespace

bool areRelated(const ComparedQuestion& a, const ComparedQuestion& b) {
    return std::any_of(a.related.begin(), a.related.end(),
                       [&](const QString& tag) { return b.related.contains(tag); });
}

QList<GiveAwayPair> findGiveAways(const QList<ComparedQuestion>& questions) {
    std::vector<Profile> profiles;
    for (const ComparedQuestion& question : questions)
        profiles.push_back(profile(question));
    dropStock(profiles);
    QList<GiveAwayPair> found;
    for (const auto& [i, j] : candidatePairs(profiles)) {
        const QString reason = likeness(questions[i], profiles[static_cast<std::size_t>(i)], questions[j],
                                        profiles[static_cast<std::size_t>(j)]);
        if (!reason.isEmpty()) found.append({i, j, reason});
    }
    return found;
}

} // namespace authoring
