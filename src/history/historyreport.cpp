// SPDX-License-Identifier: MIT
#include "historyreport.h"

#include "backup.h"

#include <QCoreApplication>
#include <QFile>
#include <QFont>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QTextDocument>

namespace {
QString translated(const char *text)
{
    return QCoreApplication::translate("HistoryReport", text);
}

QString cell(const QString &text, bool marked = false)
{
    const QString escaped = text.toHtmlEscaped().replace('\n', "<br>");
    return marked ? "<td bgcolor=#ffeca8><b>" + escaped + "</b></td>" : "<td>" + escaped + "</td>";
}

// The name, the intensity, the matrix and the base index; those that differ from `other` marked.
QString blockCells(const CalibrationBlock &block, const CalibrationBlock &other, bool mark)
{
    QString cells;
    const auto texts = [](const CalibrationBlock &b) {
        return QStringList {historyName(b), historyNumber(b.absIntensityCal),
                            historyMatrixText(b), QString::number(baseCalibrationIndex(b))};
    };
    const QStringList mine = texts(block), theirs = texts(other);
    for (int i = 0; i < mine.size(); ++i)
        cells += cell(mine.at(i), mark && mine.at(i) != theirs.at(i));
    return cells;
}

QString fact(const QString &label, const QString &value)
{
    return "<tr><th align=left>" + label.toHtmlEscaped() + "</th>" + cell(value) + "</tr>";
}
}

// The fewest digits that read back to the same float: nine always do, most numbers need fewer.
QString historyNumber(float value)
{
    for (int digits = 6; digits < 9; ++digits) {
        const QString text = QString::number(double(value), 'g', digits);
        if (text.toFloat() == value)
            return text;
    }
    return QString::number(double(value), 'g', 9);
}

QString historyMatrixText(const CalibrationBlock &block)
{
    QStringList rows;
    for (const float *row : {block.xCal, block.yCal, block.zCal})
        rows << historyNumber(row[0]) + "  " + historyNumber(row[1]) + "  " + historyNumber(row[2]);
    return rows.join('\n');
}

QStringList historySlotHeaders()
{
    return {translated("Slot"), translated("Before"), translated("Intensity"), translated("Matrix"), translated("Base"),
            translated("After"), translated("Intensity"), translated("Matrix"), translated("Base"), translated("Change")};
}

QString historyReportHtml(const HistoryRun &run)
{
    const QString title = run.kind == RunKind::Restore   ? translated("Record of a restore of the TARVIK %1")
        : run.kind == RunKind::BackupTaken                ? translated("Record of a backup of the TARVIK %1")
                                                          : translated("Record of an update of the TARVIK %1");
    QString html = "<html><body><h1>" + title.arg(run.serial).toHtmlEscaped() + "</h1><table cellpadding=3>";
    html += fact(translated("Serial number"), run.serial) + fact(translated("Family"), run.family)
        + fact(translated("Started"), backupTimeText(run.started) + " (" + run.started.toUTC().toString(Qt::ISODate) + ")")
        + fact(translated("Ended"), run.ended.isValid() ? backupTimeText(run.ended) + " (" + run.ended.toUTC().toString(Qt::ISODate) + ")"
                                                          : QString())
        + fact(translated("User and host"), run.user + " @ " + run.host)
        + fact(translated("Program version"), run.programVersion)
        + fact(translated("Source"), run.source) + fact(translated("SHA-256 of the source"), run.sourceSha256)
        + fact(translated("Backup taken before"), run.backup) + fact(translated("SHA-256 of the backup"), run.backupSha256)
        + fact(translated("Verdict"), runVerdictText(run)) + "</table>";
    html += "<h2>" + translated("Slots before and after").toHtmlEscaped() + "</h2><table border=1 cellspacing=0 cellpadding=2><tr>";
    for (const QString &head : historySlotHeaders())
        html += "<th>" + head.toHtmlEscaped() + "</th>";
    html += "</tr>";
    for (const HistorySlot &slot : run.slotsWritten)
        html += "<tr>" + cell(QString::number(slot.slot)) + blockCells(slot.before, slot.after, false)
            + blockCells(slot.after, slot.before, true) + cell(slot.change) + "</tr>";
    html += "</table><p><b>" + (translated("Verdict") + ": " + runVerdictText(run)).toHtmlEscaped() + "</b></p></body></html>";
    return html;
}

QString writeHistoryReport(const HistoryRun &run, const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return file.errorString();
    {
        QPdfWriter writer(&file);
        // Across, so that the slots' ten columns keep their numbers whole.
        writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Landscape, QMarginsF(15, 15, 15, 15)));
        writer.setTitle(translated("Record of a run of the TARVIK %1").arg(run.serial));
        QTextDocument document;
        QFont font = document.defaultFont();
        font.setPointSizeF(8);
        document.setDefaultFont(font);
        document.setHtml(historyReportHtml(run));
        document.print(&writer); // without a page size of its own, the document is numbered page by page
    }
    if (!file.flush() || file.error() != QFileDevice::NoError)
        return file.errorString();
    return QString();
}
