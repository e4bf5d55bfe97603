#include "entry/CalcDeclaration.h"

#include "entry/GridNames.h"
#include "ui/Palette.h"

using namespace Qt::StringLiterals;
using ui::Border;
using ui::Control;
using ui::Kind;

namespace entry {
namespace {

using namespace ui::palette;
const ui::Font kCaptionFont{.pixels = 15};

// Odd rows and entries lie on a grey band, even ones on the default colour.
std::optional<QColor> bandFor(int row) {
    if (row % 2 == 1) return kBandGrey;
    return std::nullopt;
}

// `spoken` is what a screen reader calls it: the caption beside it, which it cannot tell is its own.
Control edit(const QString& name, const QRect& rect, const QString& spoken, const QString& parent = {}) {
    return {.name = name,
            .kind = Kind::LineEdit,
            .rect = rect,
            .parent = parent,
            .foreground = kBlack,
            .background = kWhite,
            .accessibleName = spoken,
            .border = Border::SingleLine};
}

QString amountCaption(int row) {
    return u"（%1）计算金额"_s.arg(row);
}

Control caption(const QString& name, const QRect& rect, const QString& text, const QString& parent) {
    return {.name = name,
            .kind = Kind::TransparentLabel,
            .rect = rect,
            .parent = parent,
            .text = text,
            .font = kCaptionFont,
            .foreground = kBlack};
}

void appendLine(ui::Declaration& out, int entry, int line) {
    const LineNames names = lineNames(entry, line);
    const QString box = entryBoxName(entry);
    const int top = kLineTops[line - 1];
    const int captionTop = line == 3 ? top + 1 : top;
    const QString spokenLine = u"（%1）第 %2 行 "_s.arg(entry).arg(line);
    out.push_back({.name = names.mark,
                   .kind = Kind::ComboBox,
                   .rect = {46, top, 48, 20},
                   .parent = box,
                   .background = kWhite,
                   .accessibleName = spokenLine + u"借贷"_s,
                   .items = {u"借"_s, u"贷"_s}});
    out.push_back(caption(names.accountCaption, {96, captionTop, 70, 20}, u"会计科目:"_s, box));
    out.push_back(edit(names.account, {174, top, 168, 20}, spokenLine + u"会计科目"_s, box));
    out.push_back({.name = names.chooser,
                   .kind = Kind::PushButton,
                   .rect = {350, top, 32, 20},
                   .parent = box,
                   .text = u"..."_s});
    out.push_back(caption(names.amountCaption, {392, top, 46, 20}, u"金额:"_s, box));
    out.push_back(edit(names.amount, {440, top, 110, 20}, spokenLine + u"金额"_s, box));
}

void appendEntryContents(ui::Declaration& out, int entry) {
    const QString box = entryBoxName(entry);
    out.push_back(caption(numberLabelName(entry), {14, 3, 32, 24}, u"(%1)"_s.arg(entry), box));
    for (int line = 1; line <= kLinesPerEntry; ++line)
        appendLine(out, entry, line);
    out.push_back({.name = plusButtonName(entry),
                   .kind = Kind::PictureButton,
                   .rect = {558, 3, 24, 20},
                   .parent = box,
                   .picture = u":/pictures/plus.bmp"_s,
                   .accessibleName = u"+"_s,
                   .transparentCorner = true,
                   .look = {.style = ui::ButtonStyle::HotFrame}});
}

} // namespace

ui::Declaration amountsPageDeclaration() {
    static const int kTops[] = {52, 82, 112, 142, 171};
    static const int kInputTops[] = {55, 85, 115, 144, 173};
    ui::Declaration out;
    // The inputs lie over their captions' bands, so they come first (on top).
    for (int row = 1; row <= 5; ++row)
        out.push_back(edit(amountEditName(row), {149, kInputTops[row - 1], 160, 24}, amountCaption(row)));
    out.push_back({.name = kAmountsSubmitName,
                   .kind = Kind::PushButton,
                   .rect = {360, 164, 80, 32},
                   .text = u"提交答案"_s});
    for (int row = 1; row <= 5; ++row)
        out.push_back({.name = amountCaptionName(row),
                       .kind = Kind::Label,
                       .rect = {32, kTops[row - 1], 280, 30},
                       .text = amountCaption(row) + u"："_s,
                       .font = kCaptionFont,
                       .foreground = kBlack,
                       .background = bandFor(row)});
    return out;
}

ui::Declaration journalPageDeclaration() {
    ui::Declaration out;
    out.push_back({.name = kGridBoxName, .kind = Kind::PictureBox, .rect = {0, 20, 704, 408}});
    // A closed entry's third line lies under the next entry's first line, so each entry box is
    // stacked above the one before it (declared first = on top).
    for (int entry = kEntryCount; entry >= 1; --entry)
        out.push_back({.name = entryBoxName(entry),
                       .kind = Kind::PictureBox,
                       .rect = {2, kEntrySpacing * (entry - 1), 600,
                                entry == kEntryCount ? kLastEntryHeight : kEntryHeight},
                       .parent = kGridBoxName,
                       .background = bandFor(entry)});
    for (int entry = 1; entry <= kEntryCount; ++entry)
        appendEntryContents(out, entry);
    out.push_back({.name = kScrollBarName,
                   .kind = Kind::VScrollBar,
                   .rect = {605, 7, 16, 248},
                   .parent = kGridBoxName,
                   .range = {.minimum = 1, .maximum = 100, .page = 50, .line = 1, .position = 1}});
    out.push_back({.name = kJournalSubmitName,
                   .kind = Kind::PushButton,
                   .rect = {629, 176, 64, 32},
                   .parent = kGridBoxName,
                   .text = u"提交答案"_s});
    return out;
}

ui::Declaration onTabPage(ui::Declaration controls, const QString& tabName, int page) {
    for (Control& c : controls) {
        if (!c.parent.isEmpty()) continue;
        c.parent = tabName;
        c.page = page;
    }
    return controls;
}

} // namespace entry
