#include "entry/GridNames.h"

using namespace Qt::StringLiterals;

namespace entry {
namespace {

QString numbered(const QString& kind, int n) {
    return kind + QString::number(n);
}

// Running number of the line's mark (and of its chooser button).
int lineNumber(int entry, int line) {
    if (entry == 1) return line;
    return kLinesPerEntry * (entry - 1) + (kLinesPerEntry + 1 - line);
}

} // namespace

LineNames lineNames(int entry, int line) {
    const int n = lineNumber(entry, line);
    // Edit boxes come in pairs per line: the first entry account first, the others amount first.
    const int account = entry == 1 ? 2 * n - 1 : 2 * n;
    const int amount = entry == 1 ? 2 * n : 2 * n - 1;
    // Labels: the first entry "会计科目:" before "金额:" after its number label; the others count
    // from their third line up, "金额:" first, and end with their number label.
    int accountCaption = 2 * line;
    int amountCaption = 2 * line + 1;
    if (entry > 1) {
        const int base = 7 * (entry - 1);
        const int fromBottom = kLinesPerEntry - line;
        amountCaption = base + 1 + 2 * fromBottom;
        accountCaption = base + 2 + 2 * fromBottom;
    }
    return {numbered(u"组合框_分录"_s, n),
            numbered(u"透明标签_分录"_s, accountCaption),
            numbered(u"编辑框_分录"_s, account),
            numbered(u"按钮_分录"_s, n),
            numbered(u"透明标签_分录"_s, amountCaption),
            numbered(u"编辑框_分录"_s, amount)};
}

QString entryBoxName(int entry) {
    return numbered(u"图片框"_s, entry + 4);
}

QString numberLabelName(int entry) {
    return numbered(u"透明标签_分录"_s, entry == 1 ? 1 : 7 * entry);
}

QString plusButtonName(int entry) {
    return numbered(u"超级按钮_分录"_s, entry);
}

QString amountEditName(int row) {
    return numbered(u"计算_编辑框"_s, row);
}

QString amountCaptionName(int row) {
    return numbered(u"标签"_s, row);
}

} // namespace entry
