// SPDX-License-Identifier: MIT
#ifndef DIALOG_H
#define DIALOG_H

#include "calibrationblock.h"
#include "calibrationlist.h"
#include "calibrationrecord.h"
#include "cataloguemerge.h"

#include <QDialog>
#include <QFile>
#include <QList>
#include <QNetworkReply>
#include <QString>
#include <QTemporaryDir>
#include <QVector>

#include <cstdint>
#include <memory>
#include <utility>

namespace Ui {
class dialog;
}
class FileDownloader;
class HistoryStore;
class QLockFile;
class Sorting;
struct HistoryRun;
struct WritePlan;

// One of the files the temporary catalogue was made of, with the offset where it ends there,
// so that a record the reader stops on can be traced to its file.
struct CataloguePart
{
    QString name;
    qint64 end;
};

// The main window. It owns everything one run works on: the open instrument,
// the calibration lists, the temporary catalogue file and the selection window.
class dialog : public QDialog
{
    Q_OBJECT

public:
    explicit dialog(QWidget *parent = nullptr);
    ~dialog() override;

    // False when the user declined to pick a local catalogue: the program ends then.
    bool catalogueChosen() const { return m_catalogueChosen; }
    // Quit was pressed before the event loop ran (while the instrument was read at start-up).
    bool quitRequested() const { return m_quitRequested; }

protected:
    void showEvent(QShowEvent *event) override;

private slots:
    void slotShowAbout();

public slots:
    bool findTARVIK();

private slots:
    void fileExit();
    void updateTARVIK(QList<std::pair<QString, QString> > chosen);
    // Lets the user pick one of this instrument's backups and writes it back.
    void restoreCalibrations();
    // The runs on record, this instrument's (every instrument's before one is found).
    void showHistory();

private:
    int getCalInternal();
    int getCalFromFile();
    void showSorting();
    void downloadCalibrations();
    // Fetches the listing and every listed file into tmpCalFile. Empty when all came whole
    // (or storing failed, which discovery reports); otherwise which request failed and why.
    QString fetchCatalogue();

    // The one way a failure's reason reaches the user, beneath the two status lines: in full,
    // wrapped and selectable, so a long folder name is never cut; empty hides it.
    void showReason(const QString &reason);

    void startWriting();
    // `run` says what is written where; the backup, the time and who runs it are added here.
    bool beginWriting(const QVector<CalibrationBlock> &held, HistoryRun run);
    WritePlan writePlan(const CalibrationPairList &chosen) const;
    // Shows what the update will write; true when the user chose to write it.
    bool confirmWrite(const CalibrationPairList &chosen);
    void announceStep(const QString &text, int progress);
    bool writeSlot(int slot, CalibrationBlock &block);
    void finishUpdate(bool succeeded);

    QString serial() const { return QString::fromUtf8(serialNumber); }
    bool lockInstrument();
    void showConnectionError(bool inUse);
    bool restoreFrom(const QString &backupPath);
    bool reopenInstrument();
    QVector<CalibrationBlock> readHeldSlots(); // slots 9 to 37 as held now; empty when a read failed
    // The main window with this reason, in front of the selection window.
    void showInFront(const QString &reason);
    void noticeUnfinishedUpdate();
    // Shows the Restore button when this instrument has a backup.
    void offerRestore();
    QWidget *frontWindow();
    HistoryStore &history();
    QString familyText() const;

    Ui::dialog *ui;
    std::int32_t deviceHandle = 0;
    CalibrationBlock workBlock {};
    CalibrationBlock ambientBlock {};
    Sorting *sortingDialog = nullptr;
    char serialNumber[14] = {};
    bool rgbbluFound = false;
    bool gbrledFound = false;
    CalibrationList catalogueCalibrations;
    CalibrationList addableCalibrations;
    CalibrationList instrumentCalibrations;
    FileDownloader *downloader = nullptr;
    int networkError = 0; // of the failed request the catalogue fetch reported, or 0
    QFile tmpCalFile;
    bool ambientFound = false;

    bool m_catalogueChosen = true;
    bool m_catalogueStored = true; // false when the fetched catalogue could not be written out
    bool m_restoreOnly = false; // the user chose Restore instead of a catalogue
    QVector<CalibrationBlock> m_slotsRead; // slots 9 to 37 as read, empty ones too: the backup and the preview
    bool m_quitRequested = false;
    bool m_catalogueFailed = false; // the catalogue could not be read: Connect fetches it again
    QVector<CataloguePart> m_catalogueParts;
    QString m_catalogueKeyId; // of the key that signed the catalogue on offer; empty when unsigned
    LeftOutCalibrations m_leftOut; // of the catalogue last read, for the selection window
    QString m_lastBackup;
    std::unique_ptr<HistoryStore> m_history;
    qint64 m_runId = 0; // the history's row of the run being written, 0 between runs
    int m_failedSlot = 0; // where the last write stopped, and the library's code (or kReadBackDiffers)
    int m_failedCode = 0;
    QString m_catalogueSource; // the catalogue's address, or the local file chosen instead
    // Held from discovery until the program ends: one program per instrument.
    std::unique_ptr<QLockFile> m_instrumentLock;
    // Holds tmpCalFile: made for this run alone and owner-only, so no other account can plant
    // or read the catalogue; removed with the window.
    QTemporaryDir m_runDirectory;

    friend class DialogProbe; // tests look at the members through this
};

#endif
