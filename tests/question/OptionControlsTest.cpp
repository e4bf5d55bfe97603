#include "question/OptionControls.h"

#include <QCheckBox>
#include <QRadioButton>
#include <QSignalSpy>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace bank;
namespace n = question::names;

namespace {

// The three option pages as both windows declare them, on one client area.
struct OptionPages {
    QWidget window;
    ui::Built built;
    question::OptionControls options;

    OptionPages() {
        ui::Declaration declared;
        // Each group on a page of its own, as radio buttons of one parent exclude each other.
        const auto add = [&](const QString& page, const QStringList& names, ui::Kind kind, int top) {
            declared.push_back({.name = page, .kind = ui::Kind::GroupBox, .rect = {0, top, 400, 130}});
            for (int i = 0; i < names.size(); ++i)
                declared.push_back(
                    {.name = names[i], .kind = kind, .rect = {20, 10 + 30 * i, 300, 24}, .parent = page});
        };
        add(u"单选页"_s, n::kSingleOptions, ui::Kind::RadioButton, 0);
        add(u"多选页"_s, n::kMultipleOptions, ui::Kind::CheckBox, 130);
        add(u"判断页"_s, n::kTrueFalseOptions, ui::Kind::RadioButton, 260);
        built = ui::buildWindow(&window, {.outerSize = {400, 400}}, declared);
        options = question::OptionControls(built);
        window.show();
    }
    QList<bool> checks(const QStringList& names) const {
        QList<bool> out;
        for (const QString& name : names)
            out.append(built.get<QAbstractButton>(name)->isChecked());
        return out;
    }
};

TEST(OptionControls, CaptionsCarryTheLetterBeforeTheBanksText) {
    OptionPages p;
    p.options.showCaptions({u"库存现金"_s, u"预付账款"_s, u"应收账款"_s, u"短期借款"_s});
    EXPECT_EQ(p.built.get<QAbstractButton>(n::kSingleOptions[1])->text(), u"B 预付账款"_s);
    EXPECT_EQ(p.built.get<QAbstractButton>(n::kMultipleOptions[3])->text(), u"D 短期借款"_s);
    EXPECT_EQ(p.built.get<QAbstractButton>(n::kTrueFalseOptions[0])->text(), u"正确"_s);
    EXPECT_EQ(p.built.get<QAbstractButton>(n::kTrueFalseOptions[1])->text(), u"错误"_s);
}

// A question's stored answer replaces whatever the pages showed, the checked radio button of an
// exclusive group included, and setting it is no click the window would record.
TEST(OptionControls, StatesReplaceWhatWasShownWithoutAClick) {
    OptionPages p;
    p.built.get<QAbstractButton>(n::kSingleOptions[2])->click();
    p.built.get<QAbstractButton>(n::kTrueFalseOptions[1])->click();
    ASSERT_TRUE(p.built.get<QAbstractButton>(n::kSingleOptions[2])->isChecked());
    QSignalSpy clicks(p.built.get<QAbstractButton>(n::kMultipleOptions[0]), &QAbstractButton::clicked);

    p.options.showStates(QuestionType::MultipleChoice, {true, false, true, true});
    EXPECT_EQ(p.checks(n::kMultipleOptions), QList<bool>({true, false, true, true}));
    EXPECT_EQ(p.checks(n::kSingleOptions), QList<bool>({false, false, false, false}));
    EXPECT_EQ(p.checks(n::kTrueFalseOptions), QList<bool>({false, false}));
    EXPECT_EQ(clicks.count(), 0);
    EXPECT_EQ(p.options.multipleAnswer(), u"ACD"_s);

    p.options.showStates(QuestionType::SingleChoice, {false, true, false, false});
    EXPECT_EQ(p.checks(n::kSingleOptions), QList<bool>({false, true, false, false}));
    EXPECT_EQ(p.checks(n::kMultipleOptions), QList<bool>({false, false, false, false}));
    p.options.showStates(QuestionType::SingleChoice, {});
    EXPECT_EQ(p.checks(n::kSingleOptions), QList<bool>({false, false, false, false}))
        << "an unanswered question unchecks the exclusive group";
    // The groups stay exclusive for the candidate's clicks.
    p.built.get<QAbstractButton>(n::kSingleOptions[0])->click();
    p.built.get<QAbstractButton>(n::kSingleOptions[3])->click();
    EXPECT_EQ(p.checks(n::kSingleOptions), QList<bool>({false, false, false, true}));
}

TEST(OptionControls, EnablingReachesEveryPage) {
    OptionPages p;
    p.options.setEnabled(false);
    for (const QString& name : n::kSingleOptions + n::kMultipleOptions + n::kTrueFalseOptions)
        EXPECT_FALSE(p.built.widget(name)->isEnabled()) << name.toStdString();
    p.options.setEnabled(true);
    EXPECT_TRUE(p.built.widget(n::kTrueFalseOptions[1])->isEnabled());
}

} // namespace
