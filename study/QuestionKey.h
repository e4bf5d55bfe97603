#pragma once

#include <QString>

namespace study {

// A question is known by its table and a hash of its text, so rebuilding the bank (new IDs,
// reordered rows) keeps its history.
QString questionHash(const QString& questionText);

// The chapter a question is filed under: its CH tag, or "未分类" when the bank has none.
QString chapterOrUnfiled(const QString& chapter);

// Whether chapter `a` comes before `b`: "第N章" by N written in Chinese numerals (一 … 九十九),
// other names after them in text order, "未分类" last.
bool chapterBefore(const QString& a, const QString& b);

} // namespace study
