#include "authoring/PaperDraw.h"

#include "authoring/SeededShuffle.h"

#include <QSet>

#include <algorithm>
#include <cstdint>
#include <deque>
#include <random>
#include <vector>

using namespace Qt::StringLiterals;

using bank::amountsCalcType;
using bank::journalCalcType;
using bank::paperCount;
using bank::practiceTable;
using bank::QuestionType;

namespace authoring {

namespace {

// Pool indices of one round: every chapter shuffled, then its questions placed at evenly spaced
// fractions (2j+1)/(2n) of the round, so any stretch of the round holds the chapters in proportion.
std::vector<int> spreadRound(const QList<SourceQuestion>& pool, const std::vector<int>& members,
                             std::mt19937& rng, int round) {
    const int chapters = static_cast<int>(chapterTags().size());
    std::vector<std::vector<int>> byChapter(static_cast<std::size_t>(chapters + 1));
    for (int index : members) {
        const qsizetype chapter = chapterTags().indexOf(pool[index].chapter);
        byChapter[static_cast<std::size_t>(chapter < 0 ? chapters : chapter)].push_back(index);
    }
    struct Slot {
        std::int64_t numerator, denominator;
        int tie, index;
    };
    std::vector<Slot> slots;
    for (std::size_t c = 0; c < byChapter.size(); ++c) {
        std::vector<int>& group = byChapter[c];
        seededShuffle(group, rng);
        const int tie = (static_cast<int>(c) + round) % static_cast<int>(byChapter.size());
        for (std::size_t j = 0; j < group.size(); ++j)
            slots.push_back({static_cast<std::int64_t>(2 * j + 1),
                             static_cast<std::int64_t>(2 * group.size()), tie, group[j]});
    }
    std::sort(slots.begin(), slots.end(), [](const Slot& a, const Slot& b) {
        const std::int64_t left = a.numerator * b.denominator, right = b.numerator * a.denominator;
        return left != right ? left < right : a.tie < b.tie;
    });
    std::vector<int> order;
    for (const Slot& slot : slots)
        order.push_back(slot.index);
    return order;
}

// What a question shares with every question it must not meet in a paper: its text and its RE tags
// (a tag is marked so that it never equals a question text).
QStringList exclusionKeys(const SourceQuestion& question) {
    QStringList keys{question.record.tm};
    for (const QString& tag : question.related)
        keys.append(QChar(0x1) + tag);
    return keys;
}

bool sharesAny(const QStringList& keys, const QSet<QString>& taken) {
    return std::any_of(keys.begin(), keys.end(), [&](const QString& key) { return taken.contains(key); });
}

// Deals one kind's questions (or one calculation form's) round after round.
class PoolDealer {
public:
    PoolDealer(const QList<SourceQuestion>& pool, std::vector<int> members, std::uint32_t seed)
        : m_pool(pool), m_members(std::move(members)), m_rng(seed) {}

    // Adds `count` questions that share neither text nor RE tag with the paper yet; false when the pool
    // cannot.
    bool deal(QuestionType type, int count, Paper& paper, QSet<QString>& taken) {
        std::deque<int> skipped;
        // Every member is looked at at most twice per paper before the pool is declared too small.
        std::size_t budget = 2 * m_members.size() + 1;
        while (count > 0) {
            if (budget-- == 0 || m_members.empty()) return false;
            const int index = next();
            const QStringList keys = exclusionKeys(m_pool[index]);
            if (sharesAny(keys, taken)) {
                skipped.push_back(index);
                continue;
            }
            for (const QString& key : keys)
                taken.insert(key);
            paper.append({type, index});
            --count;
        }
        m_waiting.insert(m_waiting.begin(), skipped.begin(), skipped.end());
        return true;
    }

private:
    int next() {
        if (!m_waiting.empty()) {
            const int index = m_waiting.front();
            m_waiting.pop_front();
            return index;
        }
        if (m_round.empty()) {
            const std::vector<int> order = spreadRound(m_pool, m_members, m_rng, m_rounds++);
            m_round.assign(order.begin(), order.end());
        }
        const int index = m_round.front();
        m_round.pop_front();
        return index;
    }

    const QList<SourceQuestion>& m_pool;
    std::vector<int> m_members;
    std::mt19937 m_rng;
    std::deque<int> m_round;
    std::deque<int> m_waiting;
    int m_rounds = 0;
};

std::vector<int> membersWhere(const QList<SourceQuestion>& pool, const QString& tx) {
    std::vector<int> members;
    for (int i = 0; i < pool.size(); ++i)
        if (tx.isNull() || pool[i].record.tx == tx) members.push_back(i);
    return members;
}

} // namespace

common::Outcome<Papers> drawPapers(const QuestionPools& pools) {
    struct Section {
        QuestionType type;
        QString tx;
        int count;
    };
    const std::array<Section, 5> sections{{{QuestionType::SingleChoice, QString(), 20},
                                           {QuestionType::MultipleChoice, QString(), 20},
                                           {QuestionType::TrueFalse, QString(), 20},
                                           {QuestionType::Calculation, amountsCalcType(), 1},
                                           {QuestionType::Calculation, journalCalcType(), 1}}};
    std::vector<PoolDealer> dealers;
    for (std::size_t s = 0; s < sections.size(); ++s) {
        const QList<SourceQuestion>& pool = pools[static_cast<std::size_t>(sections[s].type)];
        dealers.emplace_back(pool, membersWhere(pool, sections[s].tx), static_cast<std::uint32_t>(20260 + s));
    }
    Papers papers;
    for (int p = 0; p < paperCount; ++p) {
        QSet<QString> taken;
        for (std::size_t s = 0; s < sections.size(); ++s) {
            const Section& section = sections[s];
            if (!dealers[s].deal(section.type, section.count, papers[static_cast<std::size_t>(p)], taken)) {
                const QString what = section.tx.isEmpty() ? practiceTable(section.type) : section.tx;
                return common::Failure{
                    u"the %1 questions cannot fill paper %2 with %3 different, unrelated questions"_s
                        .arg(what)
                        .arg(p + 1)
                        .arg(section.count)};
            }
        }
    }
    return papers;
}

} // namespace authoring
