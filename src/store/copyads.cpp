#include "copyads.h"

#include "platform/msgboxstyle.h"
#include "shell/appstate.h"
#include "shell/mediaprompt.h"

#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <cmath>
#include <optional>

namespace {

// The part of a composed path after its last separator.
QString fileNameOf(const QString& path) {
    const qsizetype cut =
        std::max(path.lastIndexOf(QLatin1Char('\\')), path.lastIndexOf(QLatin1Char('/')));
    return path.mid(cut + 1);
}

QString folderOf(const QString& path) {
    const qsizetype cut =
        std::max(path.lastIndexOf(QLatin1Char('\\')), path.lastIndexOf(QLatin1Char('/')));
    return cut < 0 ? QString() : path.left(cut);
}

// Reads exactly `size` bytes unless the source fails or ends early.
bool readFully(QIODevice& in, char* data, qint64 size) {
    qint64 got = 0;
    while (got < size) {
        const qint64 n = in.read(data + got, size - got);
        if (n <= 0)
            return false;
        got += n;
    }
    return true;
}

QString readError(const QIODevice& in) {
    const auto* file = qobject_cast<const QFileDevice*>(&in);
    if (file && file->error() != QFileDevice::NoError)
        return file->errorString();
    // The file ended before the length it had when the copy began.
    return QStringLiteral("Input past end of file");
}

// False when the drive of a path holds no disc (or cannot be read at all).
bool mediumPresent(const Files& files, const QString& path) {
    const auto loc = files.locate(path);
    return loc && loc->volume->list({}).has_value();
}

int runGauge(const CopyRun& run) {
    return GaugeLevel(100.0 - double(run.CopyBytesLeft) / AdsTotalBytes * 100.0);
}

// One failed file: its error box while the run has shown few, else only counted.
void fileFailed(AppState& app, CopyRun& run, CopyView& view, const QString& description) {
    run.failedNames << fileNameOf(run.CopySource);
    if (run.errorBoxesShown >= MaxCopyErrorBoxes)
        return;
    ++run.errorBoxesShown;
    QString text = description + CRLF + CRLF + run.CopySource;
    if (run.errorBoxesShown == MaxCopyErrorBoxes)
        text += CRLF + CRLF +
                QStringLiteral("Any further files that cannot be copied will be counted and "
                               "named when the copy ends.");
    // The box waits for the user: the normal pointer while it is up, and the
    // panel behind it showing where the run stopped.
    view.showProgress();
    app.platform.pointer.set(MousePointer::Default);
    app.platform.MsgBox(text, MsgStyle::OkOnly, QString());
    app.platform.pointer.set(MousePointer::Hourglass);
}

// The source file on its volume. The folder resolved at the start of the
// run serves every file of the list, so that no file costs a folder scan;
// a name it does not hold is looked up in full.
struct SourceFile {
    std::shared_ptr<Volume> volume;
    QStringList components;
    // Not known (-1) until the file is open, for a file of the run's folder.
    qint64 size = 0;
    // Found in the folder resolved at the start of the run.
    bool inRunFolder = false;
};

std::optional<SourceFile> findSource(const Files& files, const CopyRun& run, bool inRunFolder) {
    if (inRunFolder) {
        if (!run.sourceFolder || folderOf(run.CopySource) != run.sourceFolderText)
            return std::nullopt;
        // The run's listing named it; opening it tells whether it is still there.
        QStringList path = run.sourceFolder->components;
        path << fileNameOf(run.CopySource);
        return SourceFile{run.sourceFolder->volume, path, -1, true};
    }
    const auto loc = files.resolve(run.CopySource);
    if (!loc)
        return std::nullopt;
    const auto entry = loc->volume->stat(loc->components);
    if (!entry || entry->isDir)
        return std::nullopt;
    return SourceFile{loc->volume, loc->components, entry->size};
}

// The source, open, with its size; else the source as found, not open.
std::optional<SourceFile> openSource(const Files& files, const CopyRun& run,
                                     std::unique_ptr<QIODevice>& in) {
    if (auto source = findSource(files, run, true)) {
        in = source->volume->openRead(source->components);
        if (in) {
            source->size = in->size();
            return source;
        }
    }
    return findSource(files, run, false);
}

// The descriptor the kernel can copy from: a source that is a plain file on
// disk. A disc image's file or a slowed drive hands out its own reader: -1.
int kernelSource(QIODevice& in) {
    auto* file = qobject_cast<QFile*>(&in);
    return file ? file->handle() : -1;
}

// Appends the next `size` bytes of the source to the copy: inside the kernel
// while both files allow it, else through the run's one buffer. `moved` runs
// once the block is in hand and before it is written, so that a box about a
// full disk opens over gauges that count the block.
template <typename Moved>
std::optional<QString> moveBlock(QIODevice& in, int& kernelFd, ReplacingFile& out, char* buffer,
                                 qint64 size, Moved moved) {
    const qint64 end = out.written() + size;
    if (kernelFd >= 0) {
        if (out.copyFrom(kernelFd, out.written(), size)) {
            moved();
            return std::nullopt;
        }
        // The rest of the file goes through the buffer, from where the
        // kernel stopped; a real fault shows there with its own words.
        kernelFd = -1;
        if (!in.seek(out.written()))
            return readError(in);
    }
    const qint64 left = end - out.written();
    if (!readFully(in, buffer, left))
        return readError(in);
    moved();
    if (!out.write(buffer, left))
        return out.errorString();
    return std::nullopt;
}

QString destinationHostPath(const Files& files, const CopyRun& run) {
    const QString folder = folderOf(run.CopyDest);
    const QString name = fileNameOf(run.CopyDest);
    if (folder == run.destFolderText && !run.destFolderHost.isEmpty() && !name.isEmpty() &&
        name != QLatin1String(".") && name != QLatin1String(".."))
        return run.destFolderHost + QLatin1Char('/') + name;
    return files.hostPathInFolder(folder, name);
}

// The block copy itself; the error description when it fails. Both files are
// closed (and the unfinished one discarded) before this returns.
std::optional<QString> copyBlocks(AppState& app, CopyRun& run, CopyView& view) {
    const Files& files = *app.platform.files;
    std::unique_ptr<QIODevice> in;
    const std::optional<SourceFile> source = openSource(files, run, in);
    if (!source)
        return mediumPresent(files, run.CopySource) ? QStringLiteral("File not found")
                                                    : QStringLiteral("Device unavailable");
    const qint64 L = source->size;
    const QString destHost = destinationHostPath(files, run);
    if (destHost.isEmpty())
        return QStringLiteral("Path not found");
    const qint64 K = L / CopyBlockBytes;

    // With the medium in the program folder the source is its own copy:
    // leave it as it is and only count it.
    const bool apart =
        run.foldersApart && source->inRunFolder && folderOf(run.CopyDest) == run.destFolderText;
    if (!apart && Files::sameHostFile(source->volume->hostPath(source->components), destHost)) {
        if (K > 0)
            view.showSource(run.CopySource);
        run.CopyBytesLeft -= K * CopyBlockBytes;
        view.setFileGauge(100);
        view.setRunGauge(runGauge(run));
        return std::nullopt;
    }

    if (!in)
        in = source->volume->openRead(source->components);
    if (!in)
        return QStringLiteral("Path/File access error");
    const auto out = files.openWrite(destHost);
    if (!out || !out->isOpen())
        return out ? out->errorString() : QStringLiteral("Path not found");
    if (!out->reserve(L))
        return out->errorString();

    if (run.buffer.size() != CopyBlockBytes)
        run.buffer.resize(CopyBlockBytes);
    char* block = run.buffer.data();
    int kernelFd = kernelSource(*in);
    for (qint64 k = 1; k <= K; ++k) {
        const auto error = moveBlock(*in, kernelFd, *out, block, CopyBlockBytes, [&] {
            view.showSource(run.CopySource);
            view.setFileGauge(GaugeLevel(double(CopyBlockBytes) * double(k) / double(L) * 100.0));
            run.CopyBytesLeft -= CopyBlockBytes;
            view.setRunGauge(runGauge(run));
        });
        if (error)
            return error;
        view.doEvents();
    }
    view.setFileGauge(100);
    const qint64 rest = L - K * CopyBlockBytes;
    if (rest > 0)
        if (const auto error = moveBlock(*in, kernelFd, *out, block, rest, [] {}))
            return error;
    if (!out->commit())
        return out->errorString();
    return std::nullopt;
}

} // namespace

int GaugeLevel(double percent) {
    if (!(percent > 0)) // also NaN
        return 0;
    if (percent >= 100)
        return 100;
    // The default rounding mode: to nearest, halves to even.
    return int(std::nearbyint(percent));
}

bool BuildFileList(AppState& app, CopyRun& run) {
    app.MediaErrorCode = QStringLiteral("ca001");
    // The list is the medium's, not that of an earlier copy, which may lack
    // files: a run that failed half way is completed by the next one.
    // "*" takes every file, as "*.*" does on the original platform.
    const QString pattern = app.MediaRoot + QStringLiteral("\\Ads\\*");
    std::optional<QStringList> names = app.platform.files->listFiles(pattern);
    while (!names) {
        if (!ShowMediaPrompt(app))
            return false;
        names = app.platform.files->listFiles(pattern);
    }
    // Binary order of character codes: "B" before "a".
    std::sort(names->begin(), names->end());
    run.AdsFileList = QStringList{QString()};
    for (const QString& name : std::as_const(*names))
        run.AdsFileList << app.MediaRoot + QStringLiteral("\\Ads\\") + name;
    run.AdsFileCount = int(names->size());
    return true;
}

bool CopyOneFile(AppState& app, CopyRun& run, CopyView& view) {
    const std::optional<QString> error = copyBlocks(app, run, view);
    if (!error)
        return true;
    fileFailed(app, run, view, *error);
    return false;
}

QString CopyFailureText(const QStringList& failedNames, int fileCount, bool adsStayOnMedium) {
    QString text = QStringLiteral("%1 of %2 files could not be copied to the hard drive:")
                       .arg(failedNames.size())
                       .arg(fileCount) +
                   CRLF;
    const int shown = int(std::min<qsizetype>(failedNames.size(), MaxFailedNamesShown));
    for (int i = 0; i < shown; ++i)
        text += QStringLiteral("    ") + failedNames[i] + CRLF;
    if (failedNames.size() > shown)
        text += QStringLiteral("    and %1 more").arg(failedNames.size() - shown) + CRLF;
    text += CRLF;
    text += adsStayOnMedium
                ? QStringLiteral("The ads will still be read from the CD-ROM.")
                : QStringLiteral("A file that could not be copied keeps its earlier copy, if any.");
    return text + CRLF;
}

void CopyAds(AppState& app, CopyRun& run, CopyView& view) {
    const QString copyPath = app.platform.program.CopyPath;
    app.platform.pointer.set(MousePointer::Hourglass);
    run.CopyBytesLeft = AdsTotalBytes;
    run.failedNames.clear();
    run.errorBoxesShown = 0;
    view.setBusy(true);
    run.sourceFolderText = app.MediaRoot + QStringLiteral("\\Ads");
    run.sourceFolder = app.platform.files->resolve(run.sourceFolderText);
    run.destFolderText = copyPath + QStringLiteral("\\Ads");
    run.destFolderHost = app.platform.files->hostPathForWrite(run.destFolderText);
    run.foldersApart =
        run.sourceFolder && !run.destFolderHost.isEmpty() &&
        QFileInfo(run.destFolderHost).isDir() &&
        !Files::sameHostFile(run.sourceFolder->volume->hostPath(run.sourceFolder->components),
                             run.destFolderHost);
    for (int i = 1; i <= run.AdsFileCount; ++i) {
        const QString name = fileNameOf(run.AdsFileList.at(i));
        run.CopyDest = copyPath + QStringLiteral("\\Ads\\") + name;
        run.CopySource = app.MediaRoot + QStringLiteral("\\Ads\\") + name;
        CopyOneFile(app, run, view);
    }
    view.setRunGauge(100);
    view.showProgress();
    app.platform.pointer.set(MousePointer::Default);
    if (run.failedNames.isEmpty()) {
        app.MessageText = QStringLiteral("Ads successfully copied!") + CRLF;
    } else {
        app.MessageText =
            CopyFailureText(run.failedNames, run.AdsFileCount, app.AdsRoot != copyPath);
    }
    const int reply = app.platform.MsgBox(app.MessageText, MsgStyle::Exclamation, ProductTitle);
    app.MessageReply = QString::number(reply);
    view.setBusy(false);
}

void RunCopyCommand(AppState& app, CopyRun& run, CopyView& view) {
    run = CopyRun{};
    if (!BuildFileList(app, run))
        return; // the program ended at the prompt
    view.setButtonsEnabled(false);
    view.setPanelVisible(true);
    const QString copyPath = app.platform.program.CopyPath;
    // Already there is fine.
    app.platform.files->MkDir(copyPath + QStringLiteral("\\ads\\"));
    CopyAds(app, run, view);
    // Pictures are read from the program folder only once it really holds them.
    if (run.failedNames.isEmpty() &&
        !app.platform.files->Dir(copyPath + QStringLiteral("\\ads\\*.jpg")).isEmpty())
        app.AdsRoot = copyPath;
    view.setPanelVisible(false);
    view.setButtonsEnabled(true);
    view.setFileGauge(0);
    view.setRunGauge(0);
}
