#include "study/ReviewQueue.h"

#include <algorithm>
#include <tuple>

namespace study {

bool inReviewQueue(const MemoryEntry& entry, int today) {
    return entry.dueDay <= today || entry.lastGrade == memory::Grade::Again;
}

QList<MemoryEntry> reviewQueue(const QList<MemoryEntry>& entries, int today) {
    QList<MemoryEntry> queue;
    std::copy_if(entries.begin(), entries.end(), std::back_inserter(queue),
                 [today](const MemoryEntry& entry) { return inReviewQueue(entry, today); });
    std::sort(queue.begin(), queue.end(), [](const MemoryEntry& a, const MemoryEntry& b) {
        return std::tie(a.dueDay, a.type, a.questionHash) < std::tie(b.dueDay, b.type, b.questionHash);
    });
    return queue;
}

} // namespace study
