#include "study/StudyRecord.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

// Clearing reports why it could not, so the page can log it rather than lose it.
TEST(StudyRecordClear, ARecordThatCannotOpenSaysWhyItWasNotCleared) {
    QTemporaryDir dir;
    QFile blocker(dir.filePath(u"data"_s)); // a file where the record's folder would be
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    study::StudyRecord record(dir.filePath(u"data/study.sqlite"_s));
    const common::Outcome<> cleared = record.clear();
    EXPECT_FALSE(cleared.ok());
    EXPECT_EQ(cleared.reason(), u"文件打不开"_s);

    study::StudyRecord sound(dir.filePath(u"study.sqlite"_s));
    const common::Outcome<> soundCleared = sound.clear();
    EXPECT_TRUE(soundCleared.ok()) << soundCleared.reason().toStdString();
}
