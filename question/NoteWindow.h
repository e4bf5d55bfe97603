#pragma once

#include <QDialog>

class QPlainTextEdit;

namespace question {

// 笔记: the candidate's own text on one question, kept when they press 保存 (or Ctrl+Enter).
class NoteWindow final : public QDialog {
    Q_OBJECT
public:
    static inline const QString kName = QStringLiteral("笔记");
    static inline const QString kText = QStringLiteral("笔记内容");
    static inline const QString kSave = QStringLiteral("保存");
    static inline const QString kCancel = QStringLiteral("取消");

    NoteWindow(const QString& note, QWidget* parent);
    QString note() const;

private:
    QPlainTextEdit* m_text = nullptr;
};

} // namespace question
