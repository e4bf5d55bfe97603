#include "ui/Keys.h"

using namespace Qt::StringLiterals;

namespace ui::keys {

QString keyText(const QKeySequence& sequence) {
    return sequence.toString(QKeySequence::NativeText);
}

namespace {

QString either(const QKeySequence& a, const QKeySequence& b) {
    return keyText(a) + u" 或 "_s + keyText(b);
}

// What the answering windows share: the options, the two true/false choices and the moves.
QList<Key> answeringKeys() {
    return {{u"A–D 或 1–4"_s, u"选中（或勾选）该字母的选项"_s},
            {keyText(kTrueChoice) + u" 或 ←"_s, u"判断题选“正确”"_s},
            {keyText(kFalseChoice) + u" 或 →"_s, u"判断题选“错误”"_s},
            {keyText(kPrevious), u"上一题"_s},
            {keyText(kNext), u"下一题"_s}};
}

const Key kTabKey{u"Tab / Shift+Tab"_s, u"在控件间移动"_s};
const Key kPressKey{u"Enter 或 空格"_s, u"按下有焦点的按钮"_s};
// Made when the list is, not before the program starts: naming a key asks Qt's key translations.
Key listKey() {
    return {keyText(kKeysList), u"显示本快捷键列表"_s};
}

QList<WindowKeys> build() {
    QList<WindowKeys> windows;
    windows.append({u"主窗口"_s,
                    {{keyText(kSearch), u"搜索题目"_s},
                     listKey(),
                     kTabKey,
                     kPressKey,
                     {keyText(findKey()), u"考试大纲、备考宝典页：查找"_s},
                     {either(kZoomIn, kZoomInPlus), u"考试大纲、备考宝典页：放大"_s},
                     {keyText(kZoomOut), u"考试大纲、备考宝典页：缩小"_s},
                     {keyText(kZoomReset), u"考试大纲、备考宝典页：恢复原大小"_s}}});
    windows.append({u"搜索题目"_s,
                    {{u"↑ / ↓"_s, u"在搜索结果中移动"_s},
                     {u"Enter 或 双击"_s, u"练习选中的题目"_s},
                     {keyText(kClose), u"关闭"_s}}});
    QList<Key> practice = answeringKeys();
    practice << Key{keyText(kScore), u"评分解析"_s} << Key{keyText(kStar), u"收藏或取消收藏本题"_s}
             << Key{keyText(kNote), u"写笔记（判断题页上 N 仍选“错误”）"_s} << listKey() << kTabKey
             << kPressKey << Key{keyText(kClose), u"退出练习"_s};
    windows.append({u"专项练习"_s, practice});
    QList<Key> exam = answeringKeys();
    exam << Key{keyText(kFlag), u"标记或取消待查"_s} << Key{keyText(kHandIn), u"交卷（先询问）"_s}
         << Key{keyText(kScore), u"交卷后：答案解析"_s}
         << Key{keyText(kStar), u"交卷后：收藏或取消收藏本题"_s}
         << Key{keyText(kNote), u"交卷后：写笔记（判断题页上 N 仍选“错误”）"_s} << listKey() << kTabKey
         << kPressKey << Key{keyText(kClose), u"退出考试（先询问）"_s};
    windows.append({u"全真考场"_s, exam});
    windows.append({u"评分解析"_s, {{u"Enter、空格 或 "_s + keyText(kClose), u"关闭"_s}, listKey()}});
    windows.append(
        {u"笔记"_s, {{keyText(kSaveNote), u"保存笔记"_s}, {keyText(kClose), u"不保存，关闭"_s}, kTabKey}});
    windows.append({u"快捷键"_s, {{keyText(kClose), u"关闭"_s}}});
    return windows;
}

} // namespace

const QList<WindowKeys>& everyWindowsKeys() {
    static const QList<WindowKeys> windows = build();
    return windows;
}

} // namespace ui::keys
