// The exam window on a small screen (a 1366 × 768 laptop at 125–133 %: about 1024 × 576 logical
// pixels): nothing overlaps or is cut, the answer card included, and it cannot be made smaller.

#include "ExamWindowFixture.h"

#include "exam/ExamNames.h"
#include "exam/QuestionNumbering.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
namespace n = exam::names;

namespace {

// The card's own controls: its title, the four headings, the 62 number buttons and the legend.
QList<QWidget*> cardControls(const ExamWindowFixture& f) {
    QList<QWidget*> out{f.get(u"图片框1"_s), f.get(n::kLegend)};
    for (int i = 1; i <= 4; ++i)
        out << f.get(u"透明标签%1"_s.arg(i));
    for (int id = exam::kFirstQuestion; id <= exam::kLastQuestion; ++id)
        out << f.get(exam::cardButtonName(id));
    return out;
}

} // namespace

TEST(ExamSmallScreen, NothingOverlapsOrIsCutAtTheSmallestLaptopScreen) {
    ExamWindowFixture f;
    for (const QSize size : {QSize(1024, 576), QSize(944, 600), QSize(944, 627)}) {
        f.window->resize(size);
        QCoreApplication::processEvents();
        ASSERT_EQ(f.window->size(), size);
        QWidget* card = f.get(n::kCard);
        ASSERT_TRUE(QRect(QPoint(), size).contains(card->geometry())) << size.height();
        const QList<QWidget*> inCard = cardControls(f);
        for (int a = 0; a < inCard.size(); ++a) {
            EXPECT_TRUE(card->rect().contains(inCard[a]->geometry()))
                << size.height() << " " << inCard[a]->objectName().toStdString();
            for (int b = a + 1; b < inCard.size(); ++b)
                EXPECT_FALSE(inCard[a]->geometry().intersects(inCard[b]->geometry()))
                    << size.height() << " " << inCard[a]->objectName().toStdString() << " / "
                    << inCard[b]->objectName().toStdString();
        }
        EXPECT_GE(f.get(n::kAnswerPages)->height(), 284) << "the answer pages keep their height";
        EXPECT_LE(f.get(n::kAnswerPages)->geometry().bottom(), f.get(n::kBar)->y());
        EXPECT_EQ(f.get(n::kBar)->geometry().bottom(), size.height() - 1);
        // The options use the pages' width, so a long option is not cut short of their edge.
        const QRect option = f.get(n::singleOption(2))->geometry();
        EXPECT_GE(option.right(), f.get(n::kAnswerPages)->width() - 44) << size.width();
        EXPECT_LT(option.right(), f.get(n::kAnswerPages)->width()) << size.width();
    }
    // At the design size the card keeps its declared layout.
    EXPECT_EQ(f.get(exam::cardButtonName(62))->pos(), QPoint(35, 412));
    EXPECT_EQ(f.get(n::kLegend)->pos(), QPoint(0, 502));
}

TEST(ExamSmallScreen, TheWindowCannotBeMadeSmallerThanItsLayoutHolds) {
    ExamWindowFixture f;
    f.window->resize(400, 400);
    EXPECT_GE(f.window->width(), 944);
    EXPECT_GE(f.window->height(), 576);
}
