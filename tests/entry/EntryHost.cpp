#include "EntryHost.h"

#include <QTest>

using namespace Qt::StringLiterals;

namespace entry::testing {

void typeText(QWidget* widget, const QString& text) {
    for (QChar c : text)
        QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
}

EntryHost::EntryHost(int tabWidth) : m_window(std::make_unique<QWidget>()) {
    m_window->resize(950, 627);
    m_tabs = new ui::TabControl(m_window.get());
    m_tabs->setObjectName(u"高级选择夹1"_s);
    m_tabs->setPages({u"单选题"_s, u"多选题"_s, u"判断题"_s, u"计算分析题_计算"_s, u"计算分析题_分录"_s},
                     ui::TabStrip::Top, 20);
    m_tabs->setGeometry(8, 324, tabWidth, 284);
    m_pages = new CalcPages(m_tabs);
    m_window->show();
}

} // namespace entry::testing
