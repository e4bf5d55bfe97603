// Controls declared with the default colour paint the platform's button face, so nothing under
// them shows through: the legend's 未做 swatch, the journal grid's even entries and its box, the
// amounts page's even caption bands.

#include "ExamWindowFixture.h"

#include "entry/CalcPages.h"
#include "entry/GridNames.h"
#include "exam/ExamNames.h"
#include "exam/QuestionNumbering.h"

#include <QApplication>
#include <QImage>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

QColor buttonFace() {
    return QApplication::palette().color(QPalette::Button);
}

// The colour the window shows at a point of one of its controls.
QColor shownAt(const ExamWindowFixture& f, const QString& name, QPoint at) {
    auto* control = f.window->findChild<QWidget*>(name);
    const QImage shot = f.window->grab().toImage();
    return shot.pixelColor(control->mapTo(f.window.get(), at));
}

} // namespace

TEST(DefaultColour, TheNotAnsweredSwatchLooksLikeAnUnansweredNumberButton) {
    ExamWindowFixture f;
    EXPECT_EQ(shownAt(f, u"图片框14"_s, {9, 6}), buttonFace());
    EXPECT_EQ(shownAt(f, exam::cardButtonName(3), {2, 2}), buttonFace()) << "the buttons it explains";
}

TEST(DefaultColour, EvenJournalEntriesAreBandsOfButtonFaceOverTheirWholeHeight) {
    ExamWindowFixture f;
    f.window->showQuestion(62);
    const QColor grey(221, 221, 221);
    for (const int entry : {2, 4}) {
        const QString box = entry::entryBoxName(entry);
        // Left of the number label: under the first line (where the entry above ends) and the second.
        EXPECT_EQ(shownAt(f, box, {4, 10}), buttonFace()) << entry << " first line";
        EXPECT_EQ(shownAt(f, box, {4, 35}), buttonFace()) << entry << " second line";
    }
    for (const int entry : {1, 3})
        EXPECT_EQ(shownAt(f, entry::entryBoxName(entry), {4, 35}), grey) << entry;
    EXPECT_EQ(shownAt(f, entry::kGridBoxName, {650, 100}), buttonFace()) << "the grid's own box";
}

TEST(DefaultColour, EvenAmountCaptionsLieOnButtonFace) {
    ExamWindowFixture f;
    f.window->showQuestion(61); // answered with amounts
    EXPECT_EQ(shownAt(f, entry::amountCaptionName(2), {100, 1}), buttonFace());
    EXPECT_EQ(shownAt(f, entry::amountCaptionName(4), {100, 1}), buttonFace());
    EXPECT_EQ(shownAt(f, entry::amountCaptionName(3), {100, 1}), QColor(221, 221, 221));
}
