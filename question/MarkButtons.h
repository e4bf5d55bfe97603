#pragma once

#include <QObject>
#include <QRect>
#include <QString>

class QPushButton;
class QWidget;

namespace study {
class StudyRecord;
}

namespace question {

// 收藏 and 笔记 on a window's question bar: the star and the note of the question on show, kept in
// the study record at once. A mark that cannot be kept is told to the candidate.
class MarkButtons final : public QObject {
    Q_OBJECT
public:
    static inline const QString kStar = QStringLiteral("收藏");
    static inline const QString kNote = QStringLiteral("笔记");
    static inline const QString kNotKept = QStringLiteral("未能保存到学习记录（%1）。请稍后再试。");
    // "【我的笔记】": what heads the note under the explanation.
    static inline const QString kNoteHeading = QStringLiteral("【我的笔记】");

    // The two buttons on `bar`, side by side, the first at `first`; `record` outlives them.
    MarkButtons(QWidget* bar, QRect first, study::StudyRecord& record);

    // The question on show (none with an empty table); the buttons follow its marks.
    void showQuestion(const QString& table, const QString& questionText);
    void clear();
    void toggleStar();
    // The note window for the question on show; its note is kept when saved.
    void openNote();
    // `explanation` with the candidate's note under it, as the answer window shows it.
    QString withNote(const QString& explanation);

    QPushButton* star() const { return m_star; }
    QPushButton* note() const { return m_note; }

private:
    void tellIfFailed(const QString& reason);

    QWidget* m_window;
    study::StudyRecord& m_record;
    QPushButton* m_star;
    QPushButton* m_note;
    QString m_table;
    QString m_questionText;
};

} // namespace question
