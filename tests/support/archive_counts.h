#pragma once
// What the value archive holds for one archive name: its rows and its text
// lines over every day folder below the archive root, since a long polling
// run may cross midnight. Header only: for test programs that link the
// archive layer.

#include "app/text_file.h"
#include "archive/day_query.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QStringList>

#include <gtest/gtest.h>

struct TArchiveCounts {
    int rows = 0;
    int lines = 0;
};

inline TArchiveCounts CountArchive(const QString &dbPath, const QString &name)
{
    TArchiveCounts counts;
    QDirIterator it(dbPath, {name + ".db"}, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QFileInfo table(it.next());
        // The day folder is <root>/yyyy/MM/dd.
        const QStringList parts = table.absolutePath().split('/');
        TDayQuery query;
        query.name = name;
        query.day = QDate(parts.at(parts.size() - 3).toInt(), parts.at(parts.size() - 2).toInt(), parts.last().toInt());
        QVector<TArchiveRow> day;
        QString error;
        EXPECT_TRUE(LoadDay(dbPath, query, day, error)) << error.toStdString();
        counts.rows += int(day.size());
        QStringList text;
        ReadTextLines(table.absolutePath() + "/" + name + ".txt", text);
        counts.lines += int(text.size());
    }
    return counts;
}
