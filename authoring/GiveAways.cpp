#include "authoring/GiveAways.h"

#include <QHash>
#include <QSet>

#include <algorithm>
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

QString normalised(const QString& text) {
    QString kept;
    for (QChar c : text)
        if (c.isLetterOrNumber()) kept.append(c);
    return kept;
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
    Bigrams stem; // the question text
    Bigrams full; // the question text and its keyed options
    QStringList options;
    QSet<QString> keyed;
};

Profile profile(const ComparedQuestion& question) {
    Profile result;
    addBigrams(question.record.tm, result.stem);
    result.full = result.stem;
    if (isChoice(question.type)) {
        for (std::size_t i = 0; i < question.record.options.size(); ++i) {
            const QString option = normalised(question.record.options[i]);
            result.options.append(option);
            if (question.record.da.contains(QChar(u'A' + static_cast<char16_t>(i)))) {
                result.keyed.insert(option);
                addBigrams(question.record.options[i], result.full);
            }
        }
    }
    makeSet(result.stem);
    makeSet(result.full);
    return result;
}

// Leaves out the stock pairs.
void dropStock(std::vector<Profile>& profiles) {
    QHash<std::uint32_t, int> questionsHolding;
    for (const Profile& p : profiles)
        for (std::uint32_t bigram : p.full)
            ++questionsHolding[bigram];
    const double limit = std::max<double>(stockFloor, stockShare * static_cast<double>(profiles.size()));
    const auto stock = [&](std::uint32_t bigram) { return questionsHolding.value(bigram) > limit; };
    for (Profile& p : profiles) {
        p.stem.erase(std::remove_if(p.stem.begin(), p.stem.end(), stock), p.stem.end());
        p.full.erase(std::remove_if(p.full.begin(), p.full.end(), stock), p.full.end());
    }
}

// Pairs worth measuring: sharing two pairs of characters, or a keyed option's text.
std::vector<std::pair<int, int>> candidatePairs(const std::vector<Profile>& profiles) {
    std::map<std::uint32_t, std::vector<int>> holders;
    QHash<QString, QList<int>> keyedBy;
    for (int i = 0; i < static_cast<int>(profiles.size()); ++i) {
        for (std::uint32_t bigram : profiles[static_cast<std::size_t>(i)].full)
            holders[bigram].push_back(i);
        for (const QString& option : profiles[static_cast<std::size_t>(i)].keyed)
            keyedBy[option].append(i);
    }
    std::vector<std::pair<int, int>> pairs;
    std::vector<int> shared(profiles.size(), 0);
    for (int i = 0; i < static_cast<int>(profiles.size()); ++i) {
        std::fill(shared.begin(), shared.end(), 0);
        for (std::uint32_t bigram : profiles[static_cast<std::size_t>(i)].full)
            for (int j : holders[bigram])
                if (j > i && ++shared[static_cast<std::size_t>(j)] == 2) pairs.emplace_back(i, j);
        for (const QString& option : profiles[static_cast<std::size_t>(i)].keyed)
            for (int j : keyedBy.value(option))
                if (j > i && shared[static_cast<std::size_t>(j)] < 2) pairs.emplace_back(i, j);
    }
    std::sort(pairs.begin(), pairs.end());
    pairs.erase(std::unique(pairs.begin(), pairs.end()), pairs.end());
    return pairs;
}

// Why the two give each other away, or nothing.
QString likeness(const ComparedQuestion& a, const Profile& pa, const ComparedQuestion& b, const Profile& pb) {
    const double texts = jaccard(pa.full, pb.full);
    if (texts >= similarTexts) return u"similar texts (Jaccard %1)"_s.arg(texts, 0, 'f', 2);
    const bool aStates = a.type == QuestionType::TrueFalse && isChoice(b.type);
    if (aStates || (b.type == QuestionType::TrueFalse && isChoice(a.type))) {
        const Profile& statement = aStates ? pa : pb;
        const Profile& choice = aStates ? pb : pa;
        const double inKey = static_cast<double>(sharedCount(statement.stem, choice.full)) /
                             static_cast<double>(statement.stem.size());
        if (statement.stem.size() >= shortestStatement && inKey >= statementInKey)
            return u"the statement lies in the other's text and key (%1 %)"_s.arg(inKey * 100, 0, 'f', 0);
    }
    if (isChoice(a.type) && isChoice(b.type)) {
        const auto alike = std::count_if(pa.options.begin(), pa.options.end(),
                                         [&](const QString& option) { return pb.options.contains(option); });
        const bool sharedKey = std::any_of(pa.keyed.begin(), pa.keyed.end(),
                                           [&](const QString& option) { return pb.keyed.contains(option); });
        const double stems = jaccard(pa.stem, pb.stem);
        if (alike >= alikeOptions && sharedKey && stems >= sameOptionTexts)
            return u"%1 options alike, one keyed in both (texts' Jaccard %2)"_s.arg(alike).arg(stems, 0, 'f',
                                                                                               2);
    }
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
