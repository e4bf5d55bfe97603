#pragma once

// A stand-in for the practice and exam windows: an answer tab control 高级选择夹1 with five pages,
// the last two holding the calculation pages.

#include "entry/CalcPages.h"
#include "ui/TabControl.h"

#include <QWidget>

#include <memory>

namespace entry::testing {

// Types `text` into `widget` key by key, Chinese included (QTest::keyClicks takes ASCII only).
void typeText(QWidget* widget, const QString& text);

class EntryHost {
public:
    // The practice window's tab control is 936 wide, the exam window's 728; both 284 high.
    explicit EntryHost(int tabWidth = 936);

    QWidget* window() const { return m_window.get(); }
    ui::TabControl* tabs() const { return m_tabs; }
    CalcPages* pages() const { return m_pages; }
    template <class T> T* find(const QString& name) const { return m_window->findChild<T*>(name); }

private:
    std::unique_ptr<QWidget> m_window;
    ui::TabControl* m_tabs = nullptr;
    CalcPages* m_pages = nullptr;
};

} // namespace entry::testing
