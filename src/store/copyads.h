#pragma once

#include "media/files.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

struct AppState;

// Bytes the whole set of ads needs on disk: the free-space requirement and
// the total of the overall gauge.
constexpr qint32 AdsTotalBytes = 38000000;
// Files move in blocks of this many bytes through one buffer, with one gauge
// update and one pass of pending events per block.
constexpr qint32 CopyBlockBytes = 25000;
// Per-file error boxes one run shows; later failures are only counted, so a
// run with many failures does not bury the user under boxes.
constexpr int MaxCopyErrorBoxes = 3;
// File names the closing message lists when some files failed.
constexpr int MaxFailedNamesShown = 5;

// What a copy run shows while it works: the copy panel in the program, a
// recorder in tests.
class CopyView {
public:
    virtual ~CopyView() = default;
    virtual void setPanelVisible(bool visible) = 0;
    // cmdCopy and cmdCancel.
    virtual void setButtonsEnabled(bool enabled) = 0;
    // The main window takes no input while busy (it still repaints).
    virtual void setBusy(bool busy) = 0;
    // Text2: the source path of the file being copied.
    virtual void showSource(const QString& path) = 0;
    // ProgressGuage (this file) and ProgressGuage2 (the run): fill level and
    // caption, in per cent.
    virtual void setFileGauge(int percent) = 0;
    virtual void setRunGauge(int percent) = 0;
    // Lets pending window events (painting, the clock) run.
    virtual void doEvents() = 0;
    // Puts the latest source path and gauge values on the controls now: a
    // message box is about to cover the run, or the run has ended.
    virtual void showProgress() = 0;
};

// The copy list and the file under way, for one run.
struct CopyRun {
    // Entry 0 is never used; entries 1 to AdsFileCount are full source paths.
    QStringList AdsFileList{QString()};
    int AdsFileCount = 0;
    // Bytes of AdsTotalBytes not yet accounted for; 64 bits so that a larger
    // medium cannot overflow it.
    qint64 CopyBytesLeft = AdsTotalBytes;
    QString CopySource;
    QString CopyDest;
    // Names of the files that failed in this run, in order.
    QStringList failedNames;
    int errorBoxesShown = 0;
    // The one block buffer of the run.
    QByteArray buffer;
    // The source and destination folders, resolved once per run.
    QString sourceFolderText;
    std::optional<LocatedPath> sourceFolder;
    QString destFolderText;
    QString destFolderHost;
    // The two folders are different folders on the disk, so that a file of
    // one cannot be a file of the other: no file needs looking at twice.
    bool foldersApart = false;
};

// A gauge's fill level from a computed percentage: the nearest whole number,
// halves to even, kept within 0–100.
int GaugeLevel(double percent);

// The copy list from the medium's ads folder, in binary order of names. A
// listing that fails shows the "ca001" prompt; Retry lists again. False when
// the user cancelled (the program ended).
bool BuildFileList(AppState& app, CopyRun& run);
// Copies every listed file from the medium into the ads folder of CopyPath
// and shows the result.
void CopyAds(AppState& app, CopyRun& run, CopyView& view);
// Copies CopySource to CopyDest block by block; a failure is shown (or
// counted) and leaves any earlier copy of the file as it was. False on failure.
bool CopyOneFile(AppState& app, CopyRun& run, CopyView& view);
// The "Copy Ads" button: list, copy, result, then the panel put back. AdsRoot
// becomes CopyPath only when every file was copied and its ads folder now
// holds ads.
void RunCopyCommand(AppState& app, CopyRun& run, CopyView& view);

// The closing message of a run in which some files failed.
QString CopyFailureText(const QStringList& failedNames, int fileCount, bool adsStayOnMedium);
