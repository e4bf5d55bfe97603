#pragma once

// The amounts page "计算分析题_计算": five amount boxes, one per sub-question, and 按钮3. Its
// answer texts are the boxes' texts as typed.

#include <QObject>
#include <QStringList>

#include <array>

class QLineEdit;
class QPushButton;

namespace ui {
class Built;
}

namespace entry {

class AmountsPage final : public QObject {
    Q_OBJECT
public:
    AmountsPage(QWidget* page, const ui::Built& built);

    QStringList answers() const;
    void setAnswers(const QStringList& recorded); // missing texts count as empty
    void clear();
    void setEnabled(bool enabled);
    QWidget* page() const { return m_page; }

Q_SIGNALS:
    void submitRequested();

private:
    QWidget* m_page;
    std::array<QLineEdit*, 5> m_inputs{};
    QPushButton* m_submit = nullptr;
};

} // namespace entry
