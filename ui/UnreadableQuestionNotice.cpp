#include "ui/UnreadableQuestionNotice.h"

#include "ui/MessageBox.h"

#include "common/BankInUse.h"

using namespace Qt::StringLiterals;

namespace ui {

QString UnreadableQuestionNotice::reason(const QString& engineError) {
    return engineError == common::kBankInUse ? engineError : u"题库文件已损坏"_s;
}

QString UnreadableQuestionNotice::questionText(const QString& engineError) {
    return u"这道题无法从题库读取（%1），只能跳过。\n\n可以继续做其他题目。"_s.arg(reason(engineError));
}

QString UnreadableQuestionNotice::tableText(const QString& engineError) {
    return u"这一题型的题目无法从题库读取（%1）。\n\n可以关闭本窗口，练习其他题型。"_s.arg(
        reason(engineError));
}

QString UnreadableQuestionNotice::paperText(const QStringList& questions, const QString& engineError) {
    const QString which = questions.isEmpty() ? u"这套试卷无法从题库读取"_s
                                              : u"这套试卷的%1无法从题库读取"_s.arg(questions.join(u"、"_s));
    return u"%1（%2），考试没有开始，也没有计时。\n\n请选择其他试卷。"_s.arg(which, reason(engineError));
}

void UnreadableQuestionNotice::tell(QWidget* window, const QString& text) {
    if (m_told) return;
    m_told = true;
    showMessage(window, text);
}

} // namespace ui
