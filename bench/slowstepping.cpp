// Benchmark, not a test: stepping through a year as a user does, with the
// medium in a CD-ROM drive (120 ms seeks, 4 MB/s) and with it in the page
// cache, in the same run. Prints, slow against fast:
// - the longest time the window's event loop went without a tick of a 10 ms
//   timer, less the steps' own loads (a step loads its picture before it
//   returns, as it must), while stepping with a user's 300 ms pauses;
// - the time from a click to the next ad on screen once the look-ahead has
//   finished its work.
#include "benchutil.h"
#include "catalogue/lookahead.h"
#include "catalogue/selectyear.h"
#include "catalogue/stepping.h"
#include "widgets/picturebox.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTimer>
#include <algorithm>
#include <cstdio>

namespace {

const int AdsInYear = workload(12, 3);
constexpr int UserPauseMs = 300;
constexpr int TickMs = 10;

struct Round {
    double longestGapMs = 0;
    QList<double> loadMs;    // the steps' own loads while stepping with pauses
    QList<double> settledMs; // click to screen, look-ahead finished
};

// Steps forward with a user's pause before each step while a timer ticks on
// the window's thread; the longest time between two ticks, less the steps
// that ran between them.
double longestGap(Form1& form, int steps, QList<double>& loadMs) {
    QElapsedTimer clock;
    clock.start();
    QList<qint64> ticks;
    QList<std::pair<qint64, qint64>> loads;
    QTimer timer;
    timer.setTimerType(Qt::PreciseTimer);
    QObject::connect(&timer, &QTimer::timeout, [&] { ticks << clock.nsecsElapsed(); });
    timer.start(TickMs);
    for (int k = 0; k < steps; ++k) {
        pause(UserPauseMs);
        const qint64 start = clock.nsecsElapsed();
        StepForward(form);
        form.Image1->repaint();
        loads.append({start, clock.nsecsElapsed()});
        loadMs << (loads.last().second - start) / 1e6;
    }
    pause(UserPauseMs);
    timer.stop();
    double longest = 0;
    for (qsizetype i = 1; i < ticks.size(); ++i) {
        qint64 gap = ticks[i] - ticks[i - 1];
        for (const auto& [start, end] : loads)
            if (start >= ticks[i - 1] && end <= ticks[i])
                gap -= end - start;
        longest = std::max(longest, gap / 1e6);
    }
    return longest;
}

Round measure(BenchViewer& v, std::optional<SlowVolume::Speed> speed) {
    Form1& form = *v.form;
    v.setMediumSpeed(speed);
    Round r;
    settledStepMs(form, [&] { SelectYear(form, 0); });
    r.longestGapMs = longestGap(form, 2 * AdsInYear, r.loadMs);
    QCoreApplication::processEvents();
    form.lookAhead->waitForDone();
    for (int k = 0; k < 2 * AdsInYear; ++k)
        r.settledMs << settledStepMs(form, [&] { StepForward(form); });
    return r;
}

QString range(QList<double> v) {
    std::sort(v.begin(), v.end());
    return QStringLiteral("%1–%2").arg(v.first(), 0, 'f', 1).arg(v.last(), 0, 'f', 1);
}

} // namespace

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication qapp(argc, argv);
    const int rounds =
        argc > 1 ? std::max(1, QString::fromLocal8Bit(argv[1]).toInt()) : workload(3, 1);
    BenchViewer v;
    // Pictures of the size the disc holds on average: 38 MB in about 300 files.
    qint64 bytes = 0;
    for (int n = 0; n < AdsInYear; ++n)
        bytes += QFileInfo(v.writeAd(1964, n, QSize(900, 1200), 100 + n, 70)).size();
    v.show();

    QList<double> fastGap, slowGap, fastLoad, slowLoad, fastSettled, slowSettled;
    for (int round = 0; round < rounds; ++round) {
        const Round fast = measure(v, std::nullopt);
        const Round slow = measure(v, SlowVolume::Speed{});
        fastGap << fast.longestGapMs;
        slowGap << slow.longestGapMs;
        fastLoad << median(fast.loadMs);
        slowLoad << median(slow.loadMs);
        fastSettled << median(fast.settledMs);
        slowSettled << median(slow.settledMs);
    }
    std::printf("%d-ad year of 900x1200 pictures, %lld bytes each on average; %d rounds of %d "
                "steps each way\n",
                AdsInYear, bytes / AdsInYear, rounds, 2 * AdsInYear);
    std::printf("longest gap per round: slow %s ms, fast %s ms; step's own load with %d ms "
                "pauses, median: slow %.1f ms, fast %.1f ms\n",
                qPrintable(range(slowGap)), qPrintable(range(fastGap)), UserPauseMs,
                median(slowLoad), median(fastLoad));
    std::printf("settled step per round: slow %s ms, fast %s ms\n", qPrintable(range(slowSettled)),
                qPrintable(range(fastSettled)));
    reportBound(QStringLiteral("Longest event-loop gap beside the steps, slow vs fast"),
                median(slowGap), median(fastGap), 50);
    report(QStringLiteral("Click to next ad, look-ahead settled, slow vs fast"),
           median(slowSettled), median(fastSettled), 1.2);
    return benchExit();
}
